#!/usr/bin/python3
"""HTTPS in front of a Windows test's own loopback server: the article site
and the Lumaq site are polled over HTTPS, while the pages a test scripts come
from its plain HTTP server (support/LoopbackServer.h). Started by the test
under Wine (Wine runs Unix programs directly):

    tls_relay.py BACKEND_PORT FOLDER WATCHDOG_SECONDS [AUTHORITY_FOLDER]

Presents the server certificate for 127.0.0.1 that the tests' authority
signed (AUTHORITY_FOLDER/server.pem and server.key, support/test-ca.sh; the
test session's Wine prefix trusts that authority), or without
AUTHORITY_FOLDER a throw-away self-signed one made in FOLDER, which nothing
trusts. Listens on a free port of 127.0.0.1, writes that port to FOLDER/port
(last, so its presence means ready) and relays every TLS connection's bytes,
both ways, to 127.0.0.1:BACKEND_PORT. It ends when FOLDER/running is
removed, or after the watchdog if the test died without removing it."""

import os
import select
import socket
import ssl
import subprocess
import sys
import threading
import time


def self_signed_certificate(folder):
    cert = os.path.join(folder, "cert.pem")
    key = os.path.join(folder, "key.pem")
    # The name is given both as an address and as a DNS name: Wine's
    # certificate check compares the server name with DNS entries only.
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
         "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1,DNS:127.0.0.1",
         "-keyout", key, "-out", cert],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def relay(context, client, backend_port, alive):
    try:
        tls = context.wrap_socket(client, server_side=True)
    except (OSError, ssl.SSLError):
        client.close()
        return
    try:
        plain = socket.create_connection(("127.0.0.1", backend_port))
    except OSError:
        tls.close()
        return
    try:
        while alive():
            # Bytes already decrypted wait in the TLS object, not the socket.
            ready = [tls] if tls.pending() else select.select([tls, plain], [], [], 0.5)[0]
            for source in ready:
                data = source.recv(65536)
                if not data:
                    return
                (plain if source is tls else tls).sendall(data)
    except (OSError, ssl.SSLError):
        pass
    finally:
        for end in (tls, plain):
            try:
                end.close()
            except OSError:
                pass


def main():
    backend_port, folder, watchdog = int(sys.argv[1]), sys.argv[2], int(sys.argv[3])
    authority = sys.argv[4] if len(sys.argv) > 4 else None
    lifeline = os.path.join(folder, "running")
    deadline = time.monotonic() + watchdog

    def alive():
        return os.path.exists(lifeline) and time.monotonic() < deadline

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    if authority:
        context.load_cert_chain(os.path.join(authority, "server.pem"), os.path.join(authority, "server.key"))
    else:
        context.load_cert_chain(*self_signed_certificate(folder))
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    listener.settimeout(0.2)
    with open(os.path.join(folder, "port.tmp"), "w") as port:
        port.write(str(listener.getsockname()[1]))
    os.replace(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))

    while alive():
        try:
            client, _ = listener.accept()
        except socket.timeout:
            continue
        client.settimeout(None)
        threading.Thread(target=relay, args=(context, client, backend_port, alive), daemon=True).start()
    listener.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
