#!/usr/bin/python3
"""FTP server for the tests: pyftpdlib on 127.0.0.1, one account.

usage: ftp_peer.py ROOT COMMAND_LOG [--listing FILE] [--refuse-type A,I]
                   [--end-list-with-426] [--user U] [--password P]

Prints the port it listens on, then serves until terminated. Every command
received goes to COMMAND_LOG, one per line ("USER Firmware", "LIST", ...).
--listing: LIST sends the bytes of FILE unchanged instead of a real listing.
--refuse-type: TYPE with one of these letters is answered 504.
--end-list-with-426: after the listing's data the server reports 426 (1 s later).
"""
import argparse
import logging

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

ap = argparse.ArgumentParser()
ap.add_argument("root")
ap.add_argument("command_log")
ap.add_argument("--listing")
ap.add_argument("--refuse-type", default="")
ap.add_argument("--end-list-with-426", action="store_true")
ap.add_argument("--user", default="Firmware")
ap.add_argument("--password", default="Hq8mTw")
a = ap.parse_args()
refused = {t.strip().upper() for t in a.refuse_type.split(",") if t.strip()}
canned = None
if a.listing:
    with open(a.listing, "rb") as f:
        canned = f.read()
log = open(a.command_log, "a", buffering=1)


class Dtp(DTPHandler):
    def close(self):
        if a.end_list_with_426 and self._resp and self._resp[0].startswith("226"):
            # Answered a moment later: a 4xx reply that reaches a client
            # together with the 125 makes it drop the data connection unread.
            self._resp = None
            self.ioloop.call_later(1.0, self.cmd_channel.respond, "426 Connection closed; transfer aborted.")
        super().close()


class Handler(FTPHandler):
    dtp_handler = Dtp

    def pre_process_command(self, line, cmd, arg):
        log.write(("PASS ***" if cmd == "PASS" else line) + "\n")
        return super().pre_process_command(line, cmd, arg)

    def ftp_TYPE(self, line):
        if line.strip().upper()[:1] in refused:
            self.respond("504 Type not accepted by this test server.")
            return
        return super().ftp_TYPE(line)

    def ftp_LIST(self, path):
        if canned is None:
            return super().ftp_LIST(path)
        self.push_dtp_data(canned, isproducer=False, cmd="LIST")
        return path


auth = DummyAuthorizer()
auth.add_user(a.user, a.password, a.root, perm="elr")
Handler.authorizer = auth
Handler.permit_foreign_addresses = False
Handler.banner = "vorn test FTP ready."
Handler.auth_failed_timeout = 0
logging.basicConfig(level=logging.CRITICAL)
server = FTPServer(("127.0.0.1", 0), Handler)
print(server.address[1], flush=True)
server.serve_forever(handle_exit=True)
