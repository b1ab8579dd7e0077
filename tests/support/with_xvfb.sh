#!/bin/sh
# with_xvfb.sh -- runs one command on a private virtual X server and returns its status.
# Xvfb picks a free display number itself (-displayfd), so tests can run side by side.
set -u
dir=$(mktemp -d "${TMPDIR:-/tmp}/brinewings-xvfb.XXXXXX")
Xvfb -displayfd 3 -screen 0 1920x1920x24 -nolisten tcp +extension GLX 3>"$dir/display" 2>"$dir/log" &
server=$!
i=0
while [ ! -s "$dir/display" ] && [ $i -lt 200 ]; do
    sleep 0.05
    i=$((i + 1))
done
if [ ! -s "$dir/display" ]; then
    echo "with_xvfb.sh: Xvfb did not start:" >&2
    cat "$dir/log" >&2
    kill $server 2>/dev/null
    rm -rf "$dir"
    exit 1
fi
DISPLAY=":$(head -n 1 "$dir/display")"
export DISPLAY
# Mesa and the X libraries keep memory until exit; only the program's own leaks matter,
# and those are checked by the unit tests.
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export ASAN_OPTIONS
"$@"
status=$?
kill $server 2>/dev/null
wait $server 2>/dev/null
rm -rf "$dir"
exit $status
