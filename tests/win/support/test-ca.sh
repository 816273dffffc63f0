#!/usr/bin/env bash
# The tests' certificate authority, made once for a build folder and kept
# there (never committed):
#   test-ca.sh FOLDER
# FOLDER/ca.pem, ca.key and ca.der (the authority, which the Wine session
# puts into its prefix's root store: scripts/wine-session.sh) and
# FOLDER/server.pem and server.key (a server certificate for 127.0.0.1 that
# the authority signed, which the tests' TLS servers and relays present).
# Made again when missing or within a week of their end; quiet and quick
# when nothing is to be done, so the build runs it every time.
set -euo pipefail
folder=$1
week=604800
mkdir -p "$folder"
cd "$folder"

valid() { [[ -s "$1" ]] && openssl x509 -in "$1" -noout -checkend "$week" >/dev/null 2>&1; }

if ! valid ca.pem || [[ ! -s ca.key || ! -s ca.der ]]; then
    openssl req -x509 -newkey rsa:2048 -nodes -days 365 -subj "/CN=Brevaro test authority" \
        -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
        -keyout ca.key.tmp -out ca.pem.tmp 2>/dev/null
    openssl x509 -in ca.pem.tmp -outform DER -out ca.der.tmp
    mv ca.key.tmp ca.key
    mv ca.der.tmp ca.der
    mv ca.pem.tmp ca.pem
    rm -f server.pem
fi

if ! valid server.pem || [[ ! -s server.key ]] ||
    ! openssl verify -CAfile ca.pem server.pem >/dev/null 2>&1; then
    # The name is given both as an address and as a DNS name: Wine's
    # certificate check compares the server name with DNS entries only.
    cat >server.ext <<'EOF'
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
subjectAltName=IP:127.0.0.1,DNS:127.0.0.1
EOF
    openssl req -newkey rsa:2048 -nodes -subj "/CN=127.0.0.1" -keyout server.key.tmp -out server.csr \
        2>/dev/null
    openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -set_serial "0x$(openssl rand -hex 8)" \
        -days 180 -extfile server.ext -out server.pem.tmp 2>/dev/null
    rm -f server.csr server.ext
    mv server.key.tmp server.key
    mv server.pem.tmp server.pem
fi
