#!/usr/bin/env python3
"""OAuth2 token introspection (RFC 7662) for the tests' dovecot, on 127.0.0.1.

Usage: oauth-token-server.py PORT_FILE USER TOKEN
Answers every POST: active for USER when the form's token is TOKEN, else
inactive. Writes the port it listens on into PORT_FILE once it is ready.
"""
import http.server
import json
import os
import sys
import urllib.parse

port_file, user, good_token = sys.argv[1:4]


class Introspection(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        form = urllib.parse.parse_qs(self.rfile.read(length).decode())
        active = form.get("token", [""])[0] == good_token
        body = json.dumps({"active": True, "username": user} if active else {"active": False})
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body.encode())

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Introspection)
with open(port_file + ".tmp", "w") as out:
    out.write(str(server.server_address[1]))
os.rename(port_file + ".tmp", port_file)
server.serve_forever()
