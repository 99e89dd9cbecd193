# Subsystems plug in here. A subsystem folder calls, in its CMakeLists.txt,
#
#   vendaro_subsystem(NAME research
#     CORE vendaro_research            # its window models (no Qt)
#     GUI vendaro_research_gui         # its views (Qt)
#     COMMANDS registerResearchCommands     # void(Workbench&)
#     WINDOWS registerResearchWindows       # void(Workbench&, QtToolWindowSlots&)
#     COMMAND_LINE addResearchCommandLine   # void(CommandLine&)
#     SETTINGS checkResearchSettings)       # void(const SettingsFile&), at start
#
# Every argument but NAME is optional. The build writes the calls of every
# registered function into the program (app/Subsystems.h declares what they
# are called through), so adding a subsystem edits nothing in app/ or platform/.
function(vendaro_subsystem)
  cmake_parse_arguments(ARG "" "NAME;CORE;GUI;COMMANDS;WINDOWS;COMMAND_LINE;SETTINGS" "" ${ARGN})
  foreach(kind CORE GUI COMMANDS WINDOWS COMMAND_LINE SETTINGS)
    if(ARG_${kind})
      set_property(GLOBAL APPEND PROPERTY VENDARO_SUBSYSTEM_${kind} ${ARG_${kind}})
    endif()
  endforeach()
endfunction()

# Writes one function that calls every registered function of one kind.
function(vendaro_write_calls file kind signature call)
  get_property(functions GLOBAL PROPERTY VENDARO_SUBSYSTEM_${kind})
  set(declarations "")
  set(calls "")
  foreach(function IN LISTS functions)
    string(APPEND declarations "void ${function}(${signature});\n")
    string(APPEND calls "  ${function}(${call});\n")
  endforeach()
  set(VENDARO_DECLARATIONS "${declarations}")
  set(VENDARO_CALLS "${calls}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${kind}.cpp.in ${file} @ONLY)
endfunction()
