#!/usr/bin/env bash
# The test command's own machinery, each part made to fail the way it could
# and its outcome checked: commands in the Debian 13 system (scripts/debian13.sh)
# fail when they fail, read none of the caller's input, leave no mount or
# process when killed, see no secret on a command line; an update waits for
# the commands running in it and finishes an interrupted dpkg by itself; the
# package helper asks apt nothing when nothing is missing; the Windows build
# refuses outside Debian 13 before it installs anything; the Qt for Windows
# it builds follows the installed host tools' revision. Needs the Debian 13
# system made (scripts/debian13.sh prepare); every inner command is small.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
cd "$repo"
source scripts/lib.sh
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
work=$(mktemp -d "${QUENLORY_CACHE:-/var/cache/quenlory}/check.XXXXXX")
trap 'remove_tree "$work"' EXIT
root=$(QUENLORY_RUN_ID=${QUENLORY_RUN_ID:-check} bash scripts/debian13.sh prepare)
d13() { bash scripts/debian13.sh run "$@"; }
# Waits up to a minute for a file a command writes once it runs (with a
# second word, for that text in it).
await() {
    local deadline=$((SECONDS + 60))
    until [[ -e $1 ]] && { [[ -z ${2:-} ]] || grep -F -- "$2" "$1" >/dev/null; }; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# A failing command fails the run, even one that reads its input; the
# caller's input never reaches it.
status=0; d13 sh -c 'cat >/dev/null; exit 1' <<<"exit 0" || status=$?
((status == 1)) || fail "a command that reads its input and exits 1 made the run exit $status"
status=0; printf 'exit 0\n' | d13 sh -c 'if read -r line; then exit 3; fi; exit 1' || status=$?
((status == 1)) || fail "the command inside read the caller's input (exit $status, not 1)"

# A secret in the environment reaches the command, and no command line.
QUENLORY_SIGN_PASSWORD=never-on-a-command-line-$$ d13 sh -c \
    "echo \"\$QUENLORY_SIGN_PASSWORD\" >$work/secret; while [ ! -e $work/go ]; do sleep 0.1; done" &
runner=$!
if await "$work/secret"; then
    grep -lF "never-on-a-command-line-$$" /proc/[0-9]*/cmdline 2>/dev/null >"$work/seen" || true
    [[ -s $work/seen ]] && fail "the password shows on the command line of $(cat "$work/seen")"
    [[ $(cat "$work/secret") == "never-on-a-command-line-$$" ]] || fail "the password did not reach the command"
else
    fail "the command with a secret did not start"
fi
touch "$work/go"
wait "$runner" || fail "the command with a secret failed"

# kill -9 of the caller in the middle of a command: every process of that
# command ends (a lock it holds comes free; other commands, such as a build
# of Qt in the background, may go on), no mount of it is left, and the next
# command runs.
setsid bash -c 'exec bash scripts/debian13.sh run flock "$1/held" sh -c "touch $1/started; sleep 300"' _ "$work" &
runner=$!
if await "$work/started"; then
    kill -KILL "$runner"
    wait "$runner" 2>/dev/null || true
    flock -x -w 60 "$work/held" true || fail "processes of the killed command still run in the system a minute later"
    grep -F " $root" /proc/mounts && fail "mounts of the killed command are left"
    d13 true || fail "the next command after a kill -9 did not run"
else
    fail "the command to be killed did not start"
    kill -KILL "$runner"
fi

# Two at once, one updating: the update waits for the command running in
# the system and says so; an interrupted dpkg (a package unpacked and never
# configured, as a stopped upgrade leaves it) is finished by itself.
d13 sh -c 'cd /tmp && apt-get download -qq xauth && dpkg --unpack xauth_*.deb >/dev/null'
[[ -n $(d13 dpkg --audit) ]] || fail "the unpacked package did not leave dpkg unfinished"
d13 sh -c "touch $work/running; while [ ! -e $work/done ]; do sleep 0.1; done; sleep 1; touch $work/ran" &
first=$!
if await "$work/running"; then
    QUENLORY_RUN_ID=check-$$ bash scripts/debian13.sh prepare >"$work/update.out" 2>"$work/update.err" &
    second=$!
    await "$work/update.err" "waiting for the commands running" || fail "the update did not say it waits"
    touch "$work/done"
    wait "$first" || fail "the command running during the update failed"
    wait "$second" || fail "the update failed: $(tail -n 5 "$work/update.err")"
    [[ -e $work/ran && $work/ran -ot $root/.updated ]] || fail "the update did not wait for the running command"
    grep -q "dpkg was interrupted" "$work/update.err" || fail "the update did not say it repairs dpkg"
    [[ -z $(d13 dpkg --audit) ]] || fail "dpkg is still unfinished after the update"
else
    fail "the command to run during the update did not start"
fi

# Nothing missing: the package helper asks apt for nothing (no update).
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$0 $*" >>%s/apt-calls\nexit 1\n' "$work" >"$work/bin/apt-get"
chmod +x "$work/bin/apt-get"
d13 env PATH="$work/bin:/usr/bin:/bin:/usr/sbin:/sbin" bash scripts/deps.sh --windows ||
    fail "scripts/deps.sh --windows failed with nothing missing"
[[ -e $work/apt-calls ]] && fail "scripts/deps.sh --windows called apt with nothing missing: $(cat "$work/apt-calls")"

# The Windows build outside Debian 13 stops before apt, naming the command.
if [[ $(. /etc/os-release && echo "$VERSION_CODENAME") != trixie ]]; then
    status=0
    PATH="$work/bin:$PATH" bash scripts/windows.sh >"$work/windows.out" 2>&1 || status=$?
    ((status != 0)) || fail "scripts/windows.sh went on outside Debian 13"
    grep -q "scripts/debian13.sh run bash scripts/windows.sh" "$work/windows.out" ||
        fail "scripts/windows.sh did not name the command to use: $(cat "$work/windows.out")"
    [[ -e $work/apt-calls ]] && fail "scripts/windows.sh called apt outside Debian 13"
fi

# Qt for Windows follows the host tools' source revision: the source it
# fetches and its cache folder, for two made-up revisions; older host tools
# than Debian 13's are refused.
cat >"$work/bin/dpkg-query" <<EOF
#!/bin/sh
case "\$*" in
    *qt6-base-dev-tools*) echo "\$FAKE_REVISION" ;;
    *) echo "g++-mingw-w64-x86-64-posix 14.2.0-19+27"; echo "gcc-mingw-w64-x86-64-posix 14.2.0-19+27"
       echo "mingw-w64-x86-64-dev 12.0.0-5" ;;
esac
EOF
chmod +x "$work/bin/dpkg-query"
qt() { env -u QUENLORY_WINDOWS_QT PATH="$work/bin:$PATH" FAKE_REVISION=$1 bash scripts/windows-qt.sh "$2"; }
for revision in 6.8.2+dfsg-9+deb13u7 6.8.3+dfsg-1; do
    [[ $(qt "$revision" --source) == "qt6-base=$revision" ]] || fail "for host tools $revision the source is $(qt "$revision" --source)"
    qt "$revision" --prefix >>"$work/prefixes"
done
mapfile -t prefixes <"$work/prefixes"
[[ ${prefixes[0]} == */qt-6.8.2-mingw-* && ${prefixes[1]} == */qt-6.8.3-mingw-* ]] ||
    fail "the cache folders do not follow the version: ${prefixes[*]}"
[[ $(qt 6.8.2+dfsg-9+deb13u8 --prefix) != "${prefixes[0]}" ]] || fail "a new revision of the same version keeps the old cache folder"
qt 6.4.2+dfsg-10 --source >/dev/null 2>&1 && fail "host tools of Qt 6.4 were taken for the Windows build"

echo "debian13 machinery: $failures failures"
exit $((failures > 0))
