#!/bin/bash
# with_xvfb.sh -- runs one command on a private virtual X server and returns its status.
# Xvfb picks a free display number itself (-displayfd), so tests can run side by side. The
# server, the command and the temporary folder go away however this script ends: normally, on
# an error, or killed by a signal (a test's time-out, Ctrl-C).
set -euo pipefail

dir=$(mktemp -d "${TMPDIR:-/tmp}/brinewings-xvfb.XXXXXX")
server=""
child=""
# shellcheck disable=SC2317  # called by the EXIT trap
cleanup() {
    if [[ -n $child ]]; then
        kill "$child" 2>/dev/null || true
        wait "$child" 2>/dev/null || true
    fi
    if [[ -n $server ]]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# -noreset: by default the server resets when its last client leaves, and a client that
# connects meanwhile (a window manager starting while a probe disconnects) is refused.
Xvfb -displayfd 3 -screen 0 1920x1920x24 -nolisten tcp -noreset +extension GLX 3>"$dir/display" 2>"$dir/log" &
server=$!
for _ in $(seq 200); do
    [[ -s $dir/display ]] && break
    sleep 0.05
done
if [[ ! -s $dir/display ]]; then
    echo "with_xvfb.sh: Xvfb did not start within 10 s:" >&2
    cat "$dir/log" >&2
    exit 1
fi
DISPLAY=":$(head -n 1 "$dir/display")"
export DISPLAY
# Mesa and the X libraries keep memory until exit; only the program's own leaks matter,
# and those are checked by the unit tests.
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export ASAN_OPTIONS

# The command runs in the background so that a signal reaches the traps at once; its
# standard input is handed on explicitly (a background job would get /dev/null).
"$@" <&0 &
child=$!
status=0
wait "$child" || status=$?
child=""
exit "$status"
