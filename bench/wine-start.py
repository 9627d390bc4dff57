"""Start-up of two builds of quenlory.exe side by side under Wine.

    python3 bench/wine-start.py A.exe B.exe WINEPREFIX [ROUNDS]

On one private X server and one running wineserver, starts A and B in turn
(A B A B ..., after one warm-up start of each), each time measuring from the
start of `wine quenlory.exe` to its main window being mapped, then ends it and
waits for it to go. Prints each build's median and range and the median of
the ratios A/B taken pair by pair. The prefix is one of scripts/wine-prefix.sh.
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from harness import MAIN_TITLE, WineSession, wait_for  # noqa: E402


def time_to_window(session, binary):
    started = time.monotonic()
    process = subprocess.Popen(["wine", binary], cwd=session.home, env=session.env,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    wait_for(lambda: session.search(name=MAIN_TITLE), "the main window", timeout=60, interval=0.01)
    mapped = time.monotonic() - started
    process.kill()
    process.wait()
    subprocess.run(["wine", "taskkill", "/f", "/im", "quenlory.exe"], env=session.env,
                   capture_output=True, check=False)
    wait_for(lambda: not session.search(name=MAIN_TITLE), "the window to go", timeout=60)
    return mapped


def main(first, second, prefix, rounds=15):
    with WineSession(first, prefix) as session:
        # A wineserver that stays up for the whole run, so that no start pays for it.
        keeper = subprocess.Popen(["wineserver", "--persistent", "--foreground"], env=session.env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            time_to_window(session, first)
            time_to_window(session, second)
            times = {first: [], second: []}
            for _ in range(rounds):
                for binary in (first, second):
                    times[binary].append(time_to_window(session, binary))
        finally:
            keeper.terminate()
    for label, binary in (("A", first), ("B", second)):
        values = times[binary]
        print(f"{label} {binary}: median {statistics.median(values) * 1000:.0f} ms "
              f"(min {min(values) * 1000:.0f}, max {max(values) * 1000:.0f}) over {rounds} starts")
    ratios = [a / b for a, b in zip(times[first], times[second])]
    print(f"A/B: median {statistics.median(ratios):.3f} (min {min(ratios):.3f}, max {max(ratios):.3f})")


if __name__ == "__main__":
    if len(sys.argv) not in (4, 5):
        raise SystemExit(f"usage: {sys.argv[0]} A.exe B.exe WINEPREFIX [ROUNDS]")
    main(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3],
         *(int(a) for a in sys.argv[4:]))
