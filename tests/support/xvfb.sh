# Sourced by the shell tests and the benchmark: start_xvfb LOG starts a
# private Xvfb, 1024x768 at 24 bits, on a display number the server picks
# itself (-displayfd), listening on no TCP port, and sets xvfb_pid and
# DISPLAY. The caller ends it (kill "$xvfb_pid") in its own exit trap.
start_xvfb() {
    local log=$1 display_fd number
    exec {display_fd}<> <(:)
    Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >"$log" 2>&1 &
    xvfb_pid=$!
    if ! read -r -t 20 -u "$display_fd" number; then
        echo "FAIL: Xvfb did not start; its log: $(tail -n 5 "$log")" >&2
        exit 1
    fi
    exec {display_fd}<&-
    export DISPLAY=:$number
}
