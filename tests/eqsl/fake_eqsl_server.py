#!/usr/bin/env python3
"""A stand-in for the eQSL ADIF import, for the upload tests.

Listens on 127.0.0.1 on a free port and prints the port on the first line of
its output. Every POST is written down in the record directory (request
number n in the folder n/: the path, the Authorization header and each form
field's bytes) and answered with a reply laid out like the service's:
line 3 the title, line 11 the information, line 12 a duplicate or bad-QSO
notice, line 13 the error or the result, line 15 a closing line.

The replies are given in order, one per request; after the last one, or
after --lifetime seconds, the server ends by itself.

With --secret-file, every request also notes in n/secret_seen which other
processes show the file's bytes (the account's password) on their command
line, as `ps` would show them to any user of the machine.
"""
import argparse
import http.server
import os
import sys
import time


def reply_lines(kind, user):
    lines = [""] * 16
    lines[0] = "<HTML>"
    lines[1] = "<HEAD>"
    lines[2] = "<TITLE>Reply form eQSL.cc ADIF Import</TITLE>"
    lines[3] = "</HEAD>"
    lines[4] = "<BODY>"
    lines[10] = "Information: From: %s received 1 record" % user
    if kind == "success":
        lines[12] = "Result: 1 out of 1 records added<BR>"
    elif kind == "duplicate":
        lines[11] = "Warning: Y=2021 M=05 D=07 Bad record: Duplicate<BR>"
        lines[12] = "Result: 0 out of 1 records added<BR>"
    elif kind == "warning":
        lines[11] = "Warning: Bad QSO: the date is in the future<BR>"
        lines[12] = "Result: 0 out of 1 records added<BR>"
    elif kind == "error":
        lines[12] = "Error: No match on eQSL_User/eQSL_Pswd<BR>"
    lines[14] = "<BR>Thank you for using eQSL"
    lines[15] = "</BODY></HTML>"
    return lines


def processes_showing(secret):
    """Other processes whose command line holds `secret`: 'pid name' lines."""
    seen = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                cmdline = f.read()
        except OSError:
            continue
        if secret and secret in cmdline:
            seen.append("%s %s" % (entry, cmdline.split(b"\0")[0].decode("latin-1")))
    return "\n".join(seen)


def multipart_fields(content_type, body):
    """The parts of a multipart/form-data body: {name: bytes}, byte for byte."""
    boundary = None
    for param in content_type.split(";")[1:]:
        key, _, value = param.strip().partition("=")
        if key.lower() == "boundary":
            boundary = value.strip('"').encode("latin-1")
    if not boundary:
        return {}
    fields = {}
    delimiter = b"--" + boundary
    for part in body.split(delimiter)[1:]:
        if part.startswith(b"--"):
            break
        if part.startswith(b"\r\n"):
            part = part[2:]
        head, _, data = part.partition(b"\r\n\r\n")
        if data.endswith(b"\r\n"):
            data = data[:-2]
        name = None
        for line in head.split(b"\r\n"):
            if line.lower().startswith(b"content-disposition:"):
                for item in line.split(b";")[1:]:
                    key, _, value = item.strip().partition(b"=")
                    if key == b"name":
                        name = value.strip(b'"').decode("latin-1")
        if name is not None:
            fields[name] = data
    return fields


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--record", required=True, help="directory for what was received")
    parser.add_argument("--replies", default="success",
                        help="comma-separated: success, duplicate, warning, error, noreply")
    parser.add_argument("--delay", type=float, default=0.0, help="seconds before each answer")
    parser.add_argument("--lifetime", type=float, default=60.0)
    parser.add_argument("--secret-file", help="bytes that no command line may show")
    args = parser.parse_args()
    secret = b""
    if args.secret_file:
        with open(args.secret_file, "rb") as f:
            secret = f.read()
    replies = args.replies.split(",")
    state = {"count": 0}

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *unused):
            pass

        def do_POST(self):
            n = state["count"] + 1
            state["count"] = n
            length = int(self.headers.get("Content-Length", "0"))
            body = self.rfile.read(length)
            fields = multipart_fields(self.headers.get("Content-Type", ""), body)
            folder = os.path.join(args.record, str(n))
            os.makedirs(folder, exist_ok=True)
            with open(os.path.join(folder, "path"), "wb") as f:
                f.write(self.path.encode("latin-1"))
            with open(os.path.join(folder, "authorization"), "wb") as f:
                f.write(self.headers.get("Authorization", "").encode("latin-1"))
            for name, data in fields.items():
                with open(os.path.join(folder, "field_" + name), "wb") as f:
                    f.write(data)
            if args.secret_file:
                with open(os.path.join(folder, "secret_seen"), "wb") as f:
                    f.write(processes_showing(secret).encode("latin-1"))
            open(os.path.join(folder, "complete"), "wb").close()

            time.sleep(args.delay)
            kind = replies[min(n, len(replies)) - 1]
            user = fields.get("EQSL_USER", b"").decode("latin-1")
            text = b"" if kind == "noreply" else (
                "\r\n".join(reply_lines(kind, user)) + "\r\n").encode("latin-1")
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(text)))
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(text)
            self.close_connection = True

    server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
    server.timeout = 0.2
    print(server.server_address[1], flush=True)
    deadline = time.monotonic() + args.lifetime
    while state["count"] < len(replies) and time.monotonic() < deadline:
        server.handle_request()
    server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
