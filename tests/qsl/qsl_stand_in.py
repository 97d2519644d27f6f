#!/usr/bin/env python3
"""A stand-in for eQSL's and LoTW's pages, for the QSL service tests.

Listens on 127.0.0.1 on a free port, prints the port on its first line and
serves until it is ended. Every request is written down in the record
directory (request n in the folder n/: method, path, query and, for a
multipart post, each field's bytes).

  POST /qslcard/ImportADIF.cfm    judges each record of the uploaded file as
                                  eQSL does: a call with DUP is a duplicate,
                                  a call with BAD has a bad date, the rest are
                                  added; a wrong password is an Error line
  GET  /qslcard/DownloadInBox.cfm the inbox page naming the file, or one of
                                  eQSL's refusals
  GET  /qslcard/downloadedfiles/inbox.adi   the --confirmations file
  GET  /lotwuser/lotwreport.adi   the --confirmations file as LoTW's report

--mode changes the answers: ok, nolog, nocall, truncated, limit;
--delay makes every answer wait (a slow service).
"""
import argparse
import http.server
import os
import re
import sys
import time
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "eqsl"))
from fake_eqsl_server import multipart_fields  # noqa: E402


def adif_records(data):
    """The records of an ADIF text as {field: value} dicts (names upper case)."""
    eoh = re.search(rb"<eoh>", data, re.I)
    pos = eoh.end() if eoh else 0
    records, current = [], {}
    tag = re.compile(rb"<([^:>]+)(?::(\d+)(?::[^>]*)?)?>")
    while True:
        m = tag.search(data, pos)
        if not m:
            break
        name = m.group(1).decode("latin-1").upper()
        if m.group(2) is None:
            pos = m.end()
            if name == "EOR":
                records.append(current)
                current = {}
            continue
        n = int(m.group(2))
        current[name] = data[m.end():m.end() + n].decode("latin-1")
        pos = m.end() + n
    return records


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--record", required=True)
    parser.add_argument("--user", default="DL1VOS")
    parser.add_argument("--password", required=True)
    parser.add_argument("--confirmations", default="")
    parser.add_argument("--mode", default="ok")
    parser.add_argument("--delay", type=float, default=0.0)
    args = parser.parse_args()
    state = {"count": 0}

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *unused):
            pass

        def note(self, fields):
            state["count"] += 1
            folder = os.path.join(args.record, str(state["count"]))
            os.makedirs(folder, exist_ok=True)
            url = urllib.parse.urlsplit(self.path)
            for name, data in [("method", self.command.encode()), ("path", url.path.encode()),
                               ("query", url.query.encode())] + \
                    [("field_" + k, v) for k, v in fields.items()]:
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(data)

        def answer(self, body, status=200, declared=None):
            time.sleep(args.delay)
            try:
                self.send_response(status)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(declared or len(body)))
                self.send_header("Connection", "close")
                self.end_headers()
                self.wfile.write(body)
            except (BrokenPipeError, ConnectionResetError):
                pass
            self.close_connection = True

        def confirmations(self):
            with open(args.confirmations, "rb") as f:
                return f.read()

        def do_POST(self):
            body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
            fields = multipart_fields(self.headers.get("Content-Type", ""), body)
            self.note(fields)
            if self.path != "/qslcard/ImportADIF.cfm":
                return self.answer(b"not here", 404)
            lines = ["<HTML><HEAD><TITLE>eQSL.cc ADIF Import</TITLE></HEAD><BODY>"]
            if fields.get("EQSL_USER") != args.user.encode() or \
                    fields.get("EQSL_PSWD") != args.password.encode():
                lines.append("Error: No match on eQSL_User/eQSL_Pswd<BR>")
            else:
                records = adif_records(fields.get("Filename", b""))
                added = 0
                for r in records:
                    d = r.get("QSO_DATE", "")
                    head = "Warning: Y=%s M=%s D=%s %s %s %s" % (
                        d[0:4], d[4:6], d[6:8], r.get("CALL", ""), r.get("BAND", "").upper(),
                        r.get("MODE", ""))
                    if "DUP" in r.get("CALL", ""):
                        lines.append(head + " Bad record: Duplicate<BR>")
                    elif "BAD" in r.get("CALL", ""):
                        lines.append(head + " Bad record: QSO date is in the future<BR>")
                    else:
                        added += 1
                lines.append("Result: %d out of %d records added<BR>" % (added, len(records)))
            lines.append("</BODY></HTML>")
            self.answer(("\r\n".join(lines) + "\r\n").encode("latin-1"))

        def do_GET(self):
            self.note({})
            url = urllib.parse.urlsplit(self.path)
            query = dict(urllib.parse.parse_qsl(url.query))
            if url.path == "/qslcard/DownloadInBox.cfm":
                if query.get("UserName") != args.user or query.get("Password") != args.password:
                    return self.answer(b"<HTML><BODY>Error: No such Username/Password found"
                                       b"</BODY></HTML>")
                if args.mode == "nocall":
                    return self.answer(b"<HTML><BODY>Error: No such Callsign found</BODY></HTML>")
                if args.mode == "nolog":
                    return self.answer(b"<HTML><BODY>Error: You have no log entries</BODY></HTML>")
                return self.answer(b"<HTML><BODY>Your ADIF log file has been built.<BR>\r\n"
                                   b"<LI><A HREF=\"downloadedfiles/inbox.adi\">.ADI file</A>\r\n"
                                   b"</BODY></HTML>")
            if url.path == "/qslcard/downloadedfiles/inbox.adi":
                data = self.confirmations().replace(b"<APP_LoTW_EOF>\r\n", b"")
                if args.mode == "truncated":
                    # The connection ends before the declared length.
                    return self.answer(data[:len(data) // 2], declared=len(data))
                return self.answer(data)
            if url.path == "/lotwuser/lotwreport.adi":
                if query.get("login") != args.user or query.get("password") != args.password:
                    return self.answer(b"<HTML><BODY>Username/password incorrect</BODY></HTML>")
                if args.mode == "limit":
                    return self.answer(b"<HTML><BODY>Page Request Limit!</BODY></HTML>")
                data = self.confirmations()
                if args.mode == "truncated":
                    data = data[:data.rfind(b"<APP_LoTW_EOF>")]
                return self.answer(data)
            self.answer(b"not here", 404)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
