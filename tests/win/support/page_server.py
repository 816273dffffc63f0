#!/usr/bin/python3
"""A small page server on 127.0.0.1 for the Windows tests that need a second
process: HTTPS with the certificate given (--tls CERT KEY), or plain HTTP.
Binds a free port, prints it on the first line of standard output, and serves
until it is terminated. Every page answers with its own path, so a test can
tell which request produced a body."""

import argparse
import http.server
import ssl
import sys


class Pages(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"  # keep-alive, as the boards' servers

    def do_GET(self):
        if self.path.startswith("/announcement"):
            body = "<p>在线公告内容1=今晚八点 &amp; 红包<br></p>".encode("utf-8")
        else:
            body = ("page " + self.path).encode("ascii")
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    options = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Pages)
    if options.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(*options.tls)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
