# Sourced by the scripts and the shell tests: the few things they all do the
# same careful way.

# remove_tree DIR...: removes each folder as rm -rf would, but never crosses
# into another file system, and refuses, naming it, when anything is mounted
# at or below the folder (a bind mount of the host left behind, say), so that
# no removal can reach through a mount into the host.
remove_tree() {
    local dir real mounted
    for dir in "$@"; do
        [[ -e $dir || -L $dir ]] || continue
        real=$(realpath -m -- "$dir")
        mounted=$(findmnt -rn -o TARGET | awk -v d="$real" '$0 == d || index($0, d "/") == 1')
        if [[ -n $mounted ]]; then
            echo "refusing to remove $dir: mounted below it: $(echo $mounted)" >&2
            return 1
        fi
        rm -rf --one-file-system -- "$dir"
    done
}

# lock FD FILE [shared] WHAT: takes a lock on FILE through descriptor FD,
# exclusive unless the third word is "shared", and when another holder has it
# says so (WHAT: what is being waited for) before waiting.
lock() {
    local fd=$1 file=$2 mode=-x
    shift 2
    [[ $1 == shared ]] && { mode=-s; shift; }
    local what=$1
    eval "exec $fd>>\"\$file\""
    if ! flock -n "$mode" "$fd"; then
        echo "waiting for $what (lock $file)" >&2
        flock "$mode" "$fd"
    fi
}

# checkout_lock REPO: one test, run or release command at a time in a
# checkout; a second one waits for the first and says so. The commands these
# start themselves (a test that runs the release command) hold it already.
checkout_lock() {
    local file=$1/build/.quenlory.lock
    [[ ${QUENLORY_CHECKOUT_LOCK:-} == "$file" ]] && return 0
    mkdir -p "$1/build"
    lock 6 "$file" "another test, run or release command in this checkout"
    export QUENLORY_CHECKOUT_LOCK=$file
}

# with_few_fds COMMAND...: runs COMMAND with only standard input, output and
# error open. mmdebstrap hands apt a pipe by its number to a /bin/sh (dash)
# command, and dash takes no descriptor above 9: under CTest, with the
# runner's and the locks' descriptors open, the pipe came as 11 and every
# download failed ("Bad fd number").
with_few_fds() {
    (
        local fd
        for fd in $(ls /proc/$BASHPID/fd); do
            ((fd > 2)) && eval "exec $fd>&-"
        done
        exec "$@"
    )
}

# minbase_tarball SUITE MIRROR TARBALL: makes TARBALL, a bare minimal Debian
# SUITE from MIRROR (mmdebstrap, in a mount namespace of its own), unless it
# is there; under a lock beside it, so that two runs make it once.
minbase_tarball() {
    local suite=$1 mirror=$2 tarball=$3
    (
        lock 7 "$tarball.lock" "the bare $suite being made"
        [[ -f $tarball ]] && exit 0
        echo "making a bare $suite from $mirror (mmdebstrap --variant=minbase): $tarball" >&2
        # mmdebstrap takes the format from the name: a tarball made in gzip.
        local part=${tarball%.tar.gz}.part.tar.gz log=${tarball%.tar.gz}.log
        if ! with_few_fds mmdebstrap --mode=unshare --variant=minbase --aptopt='Acquire::Retries "3"' \
                "$suite" "$part" "$mirror" >"$log" 2>&1; then
            rm -f "$part"
            echo "making the bare $suite failed; the end of $log:" >&2
            grep -v '^I: \|^Get:' "$log" | tail -n 15 >&2
            exit 1
        fi
        mv "$part" "$tarball"
    )
}
