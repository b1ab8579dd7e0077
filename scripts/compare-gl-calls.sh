#!/bin/bash
# compare-gl-calls.sh OLD_BINARY NEW_BINARY [DATA_FOLDER] -- traces both programs, run without
# options, with apitrace on a private virtual X server while xdotool works every control (the
# pointer left and right, W, S, B, M twice each, Up, Down, Page Up, Page Down, F twice, an
# unbound key, Q), and compares their OpenGL calls: the start-up calls with every argument, then
# each frame's sequence of call names, one line per run of identical frames. Run lengths and
# freeglut's glXMakeContextCurrent before each callback follow the timing of the input and are
# left out. Prints the diff and exits 1 when they differ. The data folder defaults to build/.
# Installs apitrace when missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source-path=SCRIPTDIR source=lib.sh
source "$(dirname "$0")/lib.sh"
if [[ $# -lt 2 ]]; then
    echo "usage: compare-gl-calls.sh OLD_BINARY NEW_BINARY [DATA_FOLDER]" >&2
    exit 2
fi
install_missing apitrace xdotool xvfb python3
old=$(realpath "$1") new=$(realpath "$2") data=$(realpath "${3:-$here/build}")
work=$(mktemp -d)
trap '[[ -n ${KEEP:-} ]] || rm -rf "$work"' EXIT
for file in cessna.txt propeller.txt sea02.jpg sky08.jpg; do
    cp "$data/$file" "$work/"
done

cat >"$work/drive.sh" <<'DRIVE'
#!/bin/bash
# drive.sh BINARY OUT: traces BINARY in the current folder and works every control.
set -euo pipefail
xdotool mousemove 1900 1900
apitrace trace -o "$2" "$1" >"$2.stdout" 2>"$2.stderr" &
pid=$!
window=""
for _ in $(seq 200); do
    window=$(xdotool search --name '^brinewings$' 2>/dev/null | head -n 1 || true)
    [[ -n $window ]] && break
    sleep 0.1
done
sleep 3
for x in 300 900; do
    xdotool mousemove --window "$window" "$x" 600
    sleep 0.5
done
for key in w w s s b b m m Up Down Prior Next f f x q; do
    xdotool key --window "$window" "$key"
    sleep 0.25
done
wait "$pid"
DRIVE
chmod +x "$work/drive.sh"

cat >"$work/shape.py" <<'SHAPE'
import hashlib, re, sys
out = open(sys.argv[1], 'w')
startup, frame, runs, started, frames = [], [], [], False, 0
for line in sys.stdin:
    m = re.match(r'^\d+ (\w+)(.*)$', line.rstrip('\n'))
    if not m:
        continue
    name = m.group(1)
    started = started or name == 'glClear'
    if name == 'glXMakeContextCurrent':
        continue
    if not started:
        startup.append(re.sub(r'0x[0-9a-f]+', 'PTR', name + m.group(2)))
    else:
        frame.append(name)
        if name == 'glXSwapBuffers':
            entry = f'{len(frame)} calls {hashlib.md5(" ".join(frame).encode()).hexdigest()[:12]}'
            if not runs or runs[-1] != entry:
                runs.append(entry)
            frames += 1
            frame = []
out.write('\n'.join(startup + ['== frames'] + runs + ['== after the last frame'] + frame) + '\n')
print(f'{sys.argv[1]}: {len(startup)} start-up calls, {frames} frames in {len(runs)} runs')
SHAPE

cd "$work"
# shellcheck disable=SC2016  # expanded by the inner shell
"$here/tests/support/with_xvfb.sh" bash -c './drive.sh "$0" old.trace && ./drive.sh "$1" new.trace' "$old" "$new"
cmp -s old.trace.stdout new.trace.stdout || { echo "standard output differs" >&2; exit 1; }
for side in old new; do
    apitrace dump --color=never "$side.trace" 2>/dev/null | python3 shape.py "$side.calls"
done
diff old.calls new.calls && echo "same start-up calls, same frames, same standard output"
