#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, skipping the ones
# already installed. Runs without prompting (CI has no standard input).
set -euo pipefail

packages=(
    cmake ninja-build g++ make
    googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686
    wine64 xvfb xauth x11-utils imagemagick xcompmgr
    fonts-wqy-microhei fonts-wqy-zenhei
    zbar-tools libpng-dev libjpeg-dev
    libqrcodegencpp-dev libqrencode-dev
    python3 openssl
    # make fuzz: clang with libFuzzer and the sanitizer runtimes
    clang-14 libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
    [[ "$status" == ii* ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    echo "dependencies: all ${#packages[@]} packages present"
    exit 0
fi

echo "dependencies: installing ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null; then
        sudo_cmd=(sudo)
    else
        echo "dependencies: missing packages and not root (run as root or install: ${missing[*]})" >&2
        exit 1
    fi
fi
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
