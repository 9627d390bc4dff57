"""The journeys of quenlory.exe under Wine, on a private X display.

    python3 journeys.py JOURNEY PATH/TO/quenlory.exe WINEPREFIX

The Linux journeys' Session (tests/e2e/harness.py) gives the private Xvfb,
the temporary home and the recording xdg-open; WineSession runs the program
through wine in a prefix prepared by scripts/wine-prefix.sh and reads the
settings from Wine's registry. Wine hands an address given to ShellExecute to
its winebrowser, which starts the first of xdg-open, firefox, ... found on the
host's PATH: the recorder.
"""

import datetime
import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

from harness import (MAIN_TITLE, MESSAGE_TITLE, Session, check,  # noqa: E402
                     run_journey, shift_text, wait_for)

SITE = "https://www.talvane.example/quenlory"
HOME_PAGE = SITE + "/ssd.php?page=home-page"
SETTINGS_KEY = r"HKCU\Software\quenlory\quenlory\Settings"
# Wine starts slower than a native program, the first time in a prefix most.
START_TIMEOUT = 60.0


class WineSession(Session):
    def __init__(self, binary, prefix, **options):
        super().__init__(binary, **options)
        self.prefix = os.path.abspath(prefix)

    def _start(self):
        super()._start()
        self.env.update({
            "WINEPREFIX": self.prefix,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        })
        check(os.path.exists(os.path.join(self.prefix, ".quenlory-ready")),
              f"the Wine prefix {self.prefix} is not prepared (scripts/wine-prefix.sh)")
        # Each journey starts with no settings of the program's own.
        self.run("wine", "reg", "delete", r"HKCU\Software\quenlory", "/f",
                 check_status=False, timeout=START_TIMEOUT)

    def start_program(self):
        index = len(self._programs)
        log = open(os.path.join(self.logs, f"quenlory-{index}.log"), "w")
        process = subprocess.Popen(["wine", self.binary], cwd=self.home,
                                   env={**self.env, **self.program_env},
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                   start_new_session=True)
        self._programs.append(process)
        return process

    def close(self):
        # The prefix's own processes (the desktop, services) would outlive
        # this X server; end them all, and the wineserver with them.
        if self.env:
            subprocess.run(["wineserver", "--kill"], env=self.env, check=False, timeout=30)
            subprocess.run(["wineserver", "--wait"], env=self.env, check=False, timeout=30)
        super().close()

    def registry(self):
        """The program's Settings key as {value name: text}, exported with wine reg.

        wine reg query prints in the console's code page, which cannot show
        the shifted characters; the export file is UTF-16 and exact.
        """
        export = os.path.join(self.root, "settings.reg")
        if os.path.exists(export):
            os.remove(export)
        result = self.run("wine", "reg", "export", SETTINGS_KEY, "Z:" + export.replace("/", "\\"),
                          "/y", check_status=False, timeout=START_TIMEOUT)
        if result.returncode != 0 or not os.path.exists(export):
            return {}
        # Only CR LF ends a line: the shifted "0" is U+0085, which Python's
        # splitlines() would take for a line break.
        with open(export, encoding="utf-16", newline="") as text:
            lines = text.read().split("\r\n")
        values = {}
        for line in lines:
            match = re.fullmatch(r'"((?:[^"\\]|\\.)*)"="((?:[^"\\]|\\.)*)"', line)
            if match:
                name, value = (re.sub(r"\\(.)", r"\1", group) for group in match.groups())
                values[name] = value
        return values

    def home_entries(self):
        """Every file and folder below the Windows user's home, links not followed."""
        users = os.path.join(self.prefix, "drive_c", "users")
        entries = []
        for root, folders, files in os.walk(users):
            entries += [os.path.join(root, name) for name in folders + files]
        return sorted(entries)


def start_main(session):
    program = session.start_program()
    main = session.wait_window(MAIN_TITLE, timeout=START_TIMEOUT)
    return program, main


def date_forms(day):
    """The ways Windows' short date may be written for day."""
    return {day.strftime("%-m/%-d/%Y"), day.strftime("%m/%d/%Y"), day.strftime("%-d/%-m/%Y"),
            day.strftime("%d/%m/%Y"), day.strftime("%-m/%-d/%y"), day.strftime("%d.%m.%Y"),
            day.strftime("%Y-%m-%d"), day.strftime("%d/%m/%y"), day.strftime("%m/%d/%y")}


def first_start(session):
    before = datetime.date.today()
    check(not session.registry(), "the program's registry key exists before the start")
    home_before = session.home_entries()
    program, main = start_main(session)
    check(session.title(main) == MAIN_TITLE, "main window title")

    stored_key = shift_text("Duration", 85)
    value = wait_for(lambda: session.registry().get(stored_key),
                     "the reminder date in the registry", timeout=START_TIMEOUT)
    decoded = shift_text(value, -85)
    after = datetime.date.today()
    check(decoded in date_forms(before) | date_forms(after),
          f"the stored date decodes to {decoded!r}, not to today")
    check(list(session.registry()) == [stored_key],
          f"the Settings key holds {sorted(session.registry())}")
    check(program.poll() is None, "the program ended by itself")
    check(session.home_entries() == home_before, "the program wrote into the user's home folder")


def test_run(session):
    program, main = start_main(session)
    # 23 July (Leo) and the sibling's 4 February (Aquarius), years moved too.
    session.type_text(main, "ann")
    for moves in (22, 6, 5, 3, 1, 2):
        session.keys(main, "Tab", *(["Down"] * moves))
    session.keys(main, "Tab", "space")

    result = session.wait_window(MAIN_TITLE, exclude=[main])
    session.wait_unmapped(main)
    check(session.search(name=MAIN_TITLE) == [result], "other windows than the result are shown")
    check(program.poll() is None, "the program ended by itself")


def second_copy(session):
    first, main = start_main(session)
    wait_for(lambda: session.registry(), "the first copy's settings", timeout=START_TIMEOUT)
    settings_before = session.registry()
    home_before = session.home_entries()

    second = session.start_program()
    box = session.wait_window(MESSAGE_TITLE, timeout=START_TIMEOUT)
    text = session.run("xdotool", "getwindowname", str(box)).stdout.strip()
    check(text == MESSAGE_TITLE, f"the second copy shows {text!r}")
    check(session.search(name=MAIN_TITLE) == [main], "the second copy shows a main window")
    session.keys(box, "Return")
    code = session.wait_exit(second, timeout=START_TIMEOUT)
    check(code == 0, f"the second copy ended with code {code}")
    check(first.poll() is None, "the first copy ended too")
    check(session.is_viewable(main), "the first copy's main window is gone")
    check(session.registry() == settings_before, "the second copy changed the settings")
    check(session.home_entries() == home_before, "a copy wrote into the user's home folder")

    # A copy that was killed leaves no mark behind: the next one starts.
    first.kill()
    first.wait(timeout=START_TIMEOUT)
    session.wait_unmapped(main, timeout=START_TIMEOUT)
    third, again = start_main(session)
    check(session.search(name=MESSAGE_TITLE) == [], "the copy after the killed one was refused")
    check(third.poll() is None, "the copy after the killed one ended")


def links(session):
    program, main = start_main(session)
    session.keys(main, "alt+h", "v")
    opened = session.wait_opened(1, timeout=START_TIMEOUT)
    check(opened == [HOME_PAGE], f"Help > Visit Us Online opened {opened}")
    time.sleep(1)
    check(len(session.opened_addresses()) == 1, "more addresses were opened than asked for")
    check(program.poll() is None, "the program ended by itself")


JOURNEYS = {f.__name__: f for f in (first_start, test_run, second_copy, links)}


def main(argv):
    if len(argv) != 4 or argv[1] not in JOURNEYS:
        print(f"usage: {argv[0]} {{{'|'.join(JOURNEYS)}}} PATH/TO/quenlory.exe WINEPREFIX",
              file=sys.stderr)
        return 2
    return run_journey(argv[1], JOURNEYS[argv[1]], WineSession(argv[2], argv[3]))

if __name__ == "__main__":
    sys.exit(main(sys.argv))
