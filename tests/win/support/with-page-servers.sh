#!/usr/bin/env bash
# Runs a command with three page servers on 127.0.0.1: HTTPS with the server
# certificate of the tests' authority (support/test-ca.sh; the test session's
# Wine prefix trusts it), HTTPS with a self-signed certificate made now, which
# nothing trusts, and plain HTTP. Exports their ports to the command and
# stops the servers afterwards.
#   with-page-servers.sh AUTHORITY_FOLDER COMMAND...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
authority=$1
shift
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# The name is given both as an address and as a DNS name: Wine's certificate
# check compares the server name with DNS entries only.
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=127.0.0.1" \
    -addext "subjectAltName=IP:127.0.0.1,DNS:127.0.0.1" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null

# Debian's python3: the project's dependencies come from Debian packages.
start() {
    local portFile=$1; shift
    /usr/bin/python3 "$here/page_server.py" "$@" >"$portFile" &
    pids+=($!)
    for _ in $(seq 100); do
        [[ -s "$portFile" ]] && return 0
        sleep 0.05
    done
    echo "page server did not start" >&2
    return 1
}
start "$work/https.port" --tls "$authority/server.pem" "$authority/server.key"
start "$work/untrusted.port" --tls "$work/cert.pem" "$work/key.pem"
start "$work/http.port"

BREVARO_HTTPS_PORT=$(head -n 1 "$work/https.port")
BREVARO_UNTRUSTED_HTTPS_PORT=$(head -n 1 "$work/untrusted.port")
BREVARO_HTTP_PORT=$(head -n 1 "$work/http.port")
export BREVARO_HTTPS_PORT BREVARO_UNTRUSTED_HTTPS_PORT BREVARO_HTTP_PORT
"$@"
