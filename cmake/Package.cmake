# `make package`: a Debian package of what `cmake --install` installs. Its
# dependencies are the Debian packages of the shared libraries the program
# links (found by dpkg-shlibdeps), plus the Qt plug-ins it loads at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vendaro)
set(CPACK_PACKAGE_VENDOR "Vendaro")
set(CPACK_PACKAGE_CONTACT "Vendaro developers <developers@vendaro.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Workbench for small on-line merchants")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, ca-certificates")
include(CPack)
