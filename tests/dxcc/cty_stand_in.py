#!/usr/bin/env python3
"""A stand-in for the country file's web site, for the download tests.

Listens on 127.0.0.1 on a free port, prints the port on its first line and
serves until it is ended:

  GET /cty.csv    the file given with --file
  GET /short.csv  its first 20 lines: a country file, but far too few entities
  GET /page.html  a web page in place of the file
  anything else   404
"""
import argparse
import http.server
import sys


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--file", required=True)
    args = parser.parse_args()
    with open(args.file, "rb") as f:
        whole = f.read()
    answers = {
        "/cty.csv": whole,
        "/short.csv": b"".join(whole.splitlines(keepends=True)[:20]),
        "/page.html": b"<html><body>Moved</body></html>\n",
    }

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            body = answers.get(self.path)
            if body is None:
                self.send_error(404)
                return
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
