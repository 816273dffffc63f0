#!/usr/bin/env bash
# Runs a command with two page servers on 127.0.0.1: HTTPS with a throw-away
# certificate made now, and plain HTTP. Exports their ports and the
# certificate (DER) to the command, stops both servers and removes the
# certificate afterwards. With --trust, the certificate is trusted in the Wine
# prefix (by the given trust_certificate.exe, in a process of its own) while
# the command runs.
#   with-page-servers.sh [--trust TRUST_TOOL.exe] COMMAND...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../../scripts/wine-run.sh"
trust_tool=""
if [[ "${1:-}" == "--trust" ]]; then
    trust_tool=$2
    shift 2
fi
work=$(mktemp -d)
pids=()
cleanup() {
    if [[ -n "$trust_tool" && -f "$work/cert.der" ]]; then
        "$wine_run" "$trust_tool" remove "$work/cert.der" || true
    fi
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
openssl x509 -in "$work/cert.pem" -outform DER -out "$work/cert.der"

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
start "$work/https.port" --tls "$work/cert.pem" "$work/key.pem"
start "$work/http.port"

BREVARO_HTTPS_PORT=$(head -n 1 "$work/https.port")
BREVARO_HTTP_PORT=$(head -n 1 "$work/http.port")
BREVARO_TEST_CERT="$work/cert.der"
export BREVARO_HTTPS_PORT BREVARO_HTTP_PORT BREVARO_TEST_CERT
if [[ -n "$trust_tool" ]]; then
    "$wine_run" "$trust_tool" add "$work/cert.der"
fi
"$@"
