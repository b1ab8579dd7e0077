#!/bin/bash
# fresh-debian.sh -- checks the README's commands on a freshly bootstrapped Debian, as a new user's
# machine would have it: bootstraps Debian 12 or 13 with debootstrap into a folder, clones this
# repository's committed HEAD into it and, inside it (chroot), runs ./scripts/test.sh, then
# ./scripts/run.sh on a private virtual X server with a scripted flight that ends itself. Prints
# each step's wall time and CTest's summary line; exits 0 only when both commands succeed.
#   fresh-debian.sh 12|13 [FOLDER]
# FOLDER (default: a new folder under /var/tmp) must be absent or empty; it holds the root and the
# logs, and a default folder is removed again after a run that passed. Needs root (debootstrap,
# chroot, mounts) and the network to the Debian mirror that this machine's apt uses (or
# DEBIAN_MIRROR). Takes 3 to 8 minutes on the 2-core build machine; not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source-path=SCRIPTDIR source=lib.sh
source scripts/lib.sh

case "${1:-}" in
    12) suite=bookworm ;;
    13) suite=trixie ;;
    *)
        echo "usage: fresh-debian.sh 12|13 [FOLDER]" >&2
        exit 2
        ;;
esac
release=$1
[[ $(id -u) -eq 0 ]] || fail "needs root (debootstrap, chroot and mounts)"

# The first non-security Debian mirror of this machine's apt sources, in either format.
mirror=${DEBIAN_MIRROR:-}
if [[ -z $mirror ]]; then
    lists=()
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [[ -f $list ]] && lists+=("$list")
    done
    mirror=$(awk '$1 == "URIs:" && $2 !~ /security/ { print $2; exit }
                  $1 == "deb" && !/security/ { for (i = 2; i <= NF; i++) if ($i ~ /^https?:\/\//) { print $i; exit } }' \
                 /dev/null "${lists[@]}")
fi
[[ -n $mirror ]] || fail "no Debian mirror found in the apt sources; set DEBIAN_MIRROR"

made_folder=""
if [[ -n ${2:-} ]]; then
    folder=$(realpath -m "$2")
    mkdir -p "$folder"
    [[ -z $(ls -A "$folder") ]] || fail "$folder is not empty"
else
    folder=$(mktemp -d "/var/tmp/brinewings-debian$release.XXXXXX")
    made_folder=$folder
fi
root=$folder/root
mkdir "$root"

mounted=()
# shellcheck disable=SC2317  # called by the EXIT trap
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true
    done
    mounted=()
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

mount_in_root() {  # mount_in_root TARGET MOUNT-ARGUMENTS...
    local target=$root$1
    shift
    mount "$@" "$target"
    mounted+=("$target")
}

# Runs a bash command line inside the root with a clean environment, as root.
in_root() {
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "$1"
}

elapsed() {  # elapsed START: the wall time since START ($SECONDS) as "12m 34s"
    local seconds=$((SECONDS - $1))
    printf '%dm %02ds' $((seconds / 60)) $((seconds % 60))
}

# Prints the last lines of a failed step's log, and stops.
step_failed() {  # step_failed LOG WHAT
    tail -n 40 "$1" >&2
    fail "$2 failed (log: $1)"
}

install_missing debootstrap git
started=$SECONDS

echo "== Debian $release ($suite): bootstrapping into $root =="
step=$SECONDS
debootstrap "$suite" "$root" "$mirror" >"$folder/bootstrap.log" 2>&1 ||
    step_failed "$folder/bootstrap.log" "debootstrap"
echo "bootstrapped in $(elapsed "$step")"

# Services that packages would start are not started in the root: nothing there may outlive a step.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount_in_root /proc -t proc proc
mount_in_root /sys -t sysfs sysfs
mount_in_root /dev --bind /dev
mount_in_root /dev/pts --bind /dev/pts
mount_in_root /dev/shm -t tmpfs -o mode=1777 shm

git clone --quiet --no-checkout . "$root/root/brinewings"
git -C "$root/root/brinewings" checkout --quiet --detach "$(git rev-parse HEAD)"
echo "cloned $(git rev-parse --short HEAD)"

echo "== ./scripts/test.sh =="
step=$SECONDS
test_status=0
in_root "cd /root/brinewings && ./scripts/test.sh" >"$folder/test.log" 2>&1 || test_status=$?
summary=$(grep -E '^[0-9]+% tests passed' "$folder/test.log" || true)
echo "test.sh: ${summary:-no CTest summary}, in $(elapsed "$step")"
[[ $test_status -eq 0 ]] || step_failed "$folder/test.log" "./scripts/test.sh (status $test_status)"

echo "== ./scripts/run.sh with a scripted flight =="
step=$SECONDS
printf '0 pointer 600 1200\n30 quit\n' >"$root/root/check.flight"
in_root "cd /root/brinewings && timeout 1200 tests/support/with_xvfb.sh ./scripts/run.sh --replay /root/check.flight" \
    >"$folder/run.log" 2>&1 || step_failed "$folder/run.log" "./scripts/run.sh --replay"
echo "run.sh flew the scripted flight and exited 0, in $(elapsed "$step")"

cleanup
echo "Debian $release ($suite): both commands passed in $(elapsed "$started") (bootstrap included)"
echo "$summary"
if [[ -n $made_folder ]]; then
    if grep -qF " $root/" /proc/mounts; then
        echo "fresh-debian.sh: something is still mounted under $root; $folder is kept" >&2
    else
        rm -rf --one-file-system "$made_folder"
    fi
fi
