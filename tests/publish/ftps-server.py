"""A private FTPS server (explicit TLS required) for the publishing tests.
Arguments: PORT ROOT USER PASSWORD CERTFILE (certificate and key in one file)."""
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer
from OpenSSL import SSL


class DataHandler(TLS_DTPHandler):
    # Keeps reading while the TLS handshake that libcurl starts before STOR
    # is still going on; otherwise the data connection is dropped.
    def readable(self):
        return True if getattr(self, "_ssl_accepting", False) else super().readable()


port, root, user, password, certfile = sys.argv[1:6]
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")
handler = TLS_FTPHandler
handler.certfile = certfile
# TLS 1.2: the session tickets TLS 1.3 sends after the handshake stay unread
# by an uploading client, whose close then resets the data connection and
# drops the end of the file still queued at the server.
handler.ssl_options |= SSL.OP_NO_TLSv1_3
handler.authorizer = authorizer
handler.tls_control_required = True
handler.tls_data_required = True
handler.dtp_handler = DataHandler
FTPServer(("127.0.0.1", int(port)), handler).serve_forever()
