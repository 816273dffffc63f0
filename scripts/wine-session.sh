# Sourced by the test scripts: a private Xvfb display and a Wine prefix under
# build/ for running the x86_64 Windows executables. BREVARO_WINE_PREFIX
# names another prefix (two sessions must not share one: stopping a session
# ends every process of its prefix). BREVARO_WINE_DISPLAY=current runs on the
# display in DISPLAY instead of a private one (when DISPLAY is set);
# BREVARO_XVFB_OPTIONS adds options to the private Xvfb (-wr: a white root).
# BREVARO_TEST_BUILD names the x86_64 build whose tests' certificate
# authority the prefix trusts (default build/win64);
# BREVARO_TRUST_TEST_AUTHORITY=0 trusts none (the prefix of make run, where
# the program talks to the real sites).
#   wine_session_start   starts Xvfb, prepares the prefix, starts its server
#                        for the session, makes the prefix trust the tests'
#                        certificate authority, exports the variables
#   wine_session_stop    shuts the prefix's wineserver down, ends the TLS
#                        relays of its tests and stops Xvfb
# Only the processes this session started are stopped.

wine_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine_prefix="${BREVARO_WINE_PREFIX:-$wine_root/build/wine-prefix}"
wine_xvfb_pid=""

# Wine's 64-bit loader and server are not on PATH: the package lists them.
wine_locate() {
    BREVARO_WINE64=$(dpkg -L wine64 2>/dev/null | grep -E '/wine64$' | head -n 1)
    BREVARO_WINESERVER=$(dpkg -L wine64 2>/dev/null | grep -E '/wineserver(64)?$' | head -n 1)
    if [[ -z "$BREVARO_WINE64" || ! -x "$BREVARO_WINE64" || -z "$BREVARO_WINESERVER" ]]; then
        echo "wine: the wine64 package's loader was not found" >&2
        return 1
    fi
    export BREVARO_WINE64 BREVARO_WINESERVER
}

wine_start_xvfb() {
    local display_file
    display_file=$(mktemp)
    # -displayfd picks a free display number and writes it once the server
    # accepts connections.
    # shellcheck disable=SC2086 # the options are words
    Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp ${BREVARO_XVFB_OPTIONS:-} 3>"$display_file" 2>/dev/null &
    wine_xvfb_pid=$!
    local waited=0
    while [[ ! -s "$display_file" ]]; do
        if ! kill -0 "$wine_xvfb_pid" 2>/dev/null || [[ $waited -ge 200 ]]; then
            echo "wine: Xvfb did not start" >&2
            rm -f "$display_file"
            return 1
        fi
        sleep 0.05
        waited=$((waited + 1))
    done
    export DISPLAY=":$(head -n 1 "$display_file" | tr -d '[:space:]')"
    rm -f "$display_file"
}

# The prefix is made once and kept under build/; its settings are imported
# again whenever scripts/wine-prefix.reg changes. Chinese text needs a CJK
# font linked into the prefix; the registry file must be UTF-16LE with a
# byte-order mark, or the Chinese face names arrive garbled. There is no
# window manager on the private display: windows are unmanaged, which also
# spares Wine's wait for a manager when a visible window is destroyed.
wine_prepare_prefix() {
    local stamp="$wine_prefix/.brevaro-ready"
    local settings="$wine_root/scripts/wine-prefix.reg"
    local wanted
    wanted=$(sha256sum "$settings" | cut -d' ' -f1)
    [[ -f "$stamp" && "$(cat "$stamp")" == "$wanted" ]] && return 0
    if [[ ! -f "$stamp" ]]; then
        rm -rf "$wine_prefix"
        mkdir -p "$wine_prefix"
        "$BREVARO_WINE64" wineboot -i >/dev/null 2>&1
        "$BREVARO_WINESERVER" -w
    fi
    local reg="$wine_prefix/brevaro-settings.reg"
    { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$settings"; } >"$reg"
    "$BREVARO_WINE64" regedit /S "$reg" >/dev/null 2>&1
    "$BREVARO_WINESERVER" -w
    echo "$wanted" >"$stamp"
}

# The tests' TLS servers and relays present certificates of the tests' own
# authority (tests/win/support/test-ca.sh, made in the build folder): it goes
# into the prefix's machine root store (never the machine's), in a process of
# its own before any program of the session checks a certificate, since a
# process reads the root store once. An authority made again replaces the
# one trusted before. Without a build that made them, nothing is trusted.
wine_trust_test_authority() {
    local build="${BREVARO_TEST_BUILD:-$wine_root/build/win64}"
    local authority="$build/test-ca/ca.der" tool="$build/tests/win/trust_certificate.exe"
    local trusted="$wine_prefix/brevaro-test-ca.der"
    [[ "${BREVARO_TRUST_TEST_AUTHORITY:-1}" != 0 ]] || return 0
    [[ -f "$authority" && -f "$tool" ]] || return 0
    cmp -s "$authority" "$trusted" && return 0
    if [[ -f "$trusted" ]]; then
        "$BREVARO_WINE64" "$tool" remove "$trusted" </dev/null >/dev/null 2>&1 || true
    fi
    if ! "$BREVARO_WINE64" "$tool" add "$authority" </dev/null >/dev/null 2>&1; then
        echo "wine: the tests' certificate authority could not be trusted in $wine_prefix" >&2
        return 1
    fi
    cp "$authority" "$trusted"
}

wine_session_start() {
    wine_locate || return 1
    export WINEPREFIX="$wine_prefix" WINEARCH=win64 WINEDEBUG=-all
    # No Mono or Gecko install dialog may appear and block a run.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ "${BREVARO_WINE_DISPLAY:-}" != current || -z "${DISPLAY:-}" ]]; then
        wine_start_xvfb || return 1
    fi
    wine_prepare_prefix || return 1
    # One server for the whole session, and Wine's own processes (services,
    # the desktop) started here, with nothing to hold: whatever Wine process
    # starts them hands them its standard output, and a test whose output
    # pipe they hold never ends for CTest, which waits for the pipe to close.
    # Without a server of its own for the session they would start again,
    # from whichever test came first after a quiet moment.
    "$BREVARO_WINESERVER" -p
    "$BREVARO_WINE64" cmd.exe /c exit </dev/null >/dev/null 2>&1
    wine_trust_test_authority
}

wine_session_stop() {
    if [[ -n "${BREVARO_WINESERVER:-}" && -d "$wine_prefix" ]]; then
        WINEPREFIX="$wine_prefix" "$BREVARO_WINESERVER" -k 2>/dev/null || true
    fi
    # The TLS relays (tests/win/support/TlsRelay.h) are host programs that
    # Wine does not stop: each ends once its lifeline folder, in the
    # prefix's temporary folder, is gone.
    if [[ -d "$wine_prefix/drive_c/users" ]]; then
        find "$wine_prefix/drive_c/users" -maxdepth 6 -type d -name 'brevaro-tls-relay-*' \
            -prune -exec rm -rf {} + 2>/dev/null || true
    fi
    if [[ -n "$wine_xvfb_pid" ]]; then
        kill "$wine_xvfb_pid" 2>/dev/null || true
        wait "$wine_xvfb_pid" 2>/dev/null || true
        wine_xvfb_pid=""
    fi
}
