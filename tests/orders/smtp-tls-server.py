#!/usr/bin/env python3
"""An aiosmtpd server on 127.0.0.1 that speaks TLS and wants a login.

Usage: smtp-tls-server.py FOLDER PORT MODE USER PASSWORD
MODE is "starttls" (plain, then STARTTLS before anything else) or "smtps"
(TLS from the first byte). Makes a certificate for 127.0.0.1 in FOLDER
(cert.pem, also the authority a client trusts), keeps every mail in the
Maildir FOLDER/mail and takes mail only after AUTH with USER and PASSWORD.
"""
import subprocess
import ssl
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.handlers import Mailbox
from aiosmtpd.smtp import AuthResult, LoginPassword

folder, port, mode, user, password = sys.argv[1:6]
cert, key = f"{folder}/cert.pem", f"{folder}/key.pem"
subprocess.run(
    ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
     "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
     "-addext", "subjectAltName=IP:127.0.0.1"],
    check=True, capture_output=True)
context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
context.load_cert_chain(cert, key)


def authenticate(server, session, envelope, mechanism, data):
    good = (isinstance(data, LoginPassword) and data.login.decode() == user
            and data.password.decode() == password)
    return AuthResult(success=good)


# aiosmtpd counts only STARTTLS as TLS when it decides whether to offer AUTH;
# over SMTPS the whole connection is encrypted already.
tls = {"ssl_context": context, "auth_require_tls": False} if mode == "smtps" else {
    "tls_context": context, "require_starttls": True}
controller = Controller(Mailbox(f"{folder}/mail"), hostname="127.0.0.1", port=int(port),
                        authenticator=authenticate, auth_required=True, **tls)
controller.start()
print("ready", flush=True)
threading.Event().wait()
