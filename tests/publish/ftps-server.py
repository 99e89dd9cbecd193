"""A private FTPS server (explicit TLS required) for the publishing tests.
Arguments: PORT ROOT USER PASSWORD CERTFILE (certificate and key in one file)."""
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer


class DataHandler(TLS_DTPHandler):
    # Keeps reading while the TLS handshake that libcurl starts before STOR
    # is still going on; otherwise the data connection is dropped.
    def readable(self):
        return True if getattr(self, "_ssl_accepting", False) else super().readable()

    # Reads what TLS has already decrypted before the socket is seen closed;
    # otherwise the end of an upload is lost.
    def handle_read(self):
        super().handle_read()
        while self.receive and self.socket is not None and self.socket.pending():
            super().handle_read()


port, root, user, password, certfile = sys.argv[1:6]
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")
handler = TLS_FTPHandler
handler.certfile = certfile
handler.authorizer = authorizer
handler.tls_control_required = True
handler.tls_data_required = True
handler.dtp_handler = DataHandler
FTPServer(("127.0.0.1", int(port)), handler).serve_forever()
