"""The journeys a person takes through quenlory, run on a private X display.

    python3 journeys.py JOURNEY PATH/TO/quenlory
    python3 journeys.py JOURNEY PATH/TO/quenlory.exe --wine WINEPREFIX

Each journey starts the real program in a fresh session, drives it with the
keyboard and the mouse, and checks only what can be seen from outside: the
windows, the clipboard, the addresses handed to the browser, the settings
store and the exit code. With --wine the Windows program runs under Wine
(harness.WineSession); the journeys are the same, with the checks that only
one system allows marked where they stand.
"""

import datetime
import os
import re
import sys

from harness import (MAIN_TITLE, MESSAGE_TITLE, Session, WineSession, build_setting, check,
                     query_parameters, run_journey, shift_text, wait_for)

# Listing the journeys (--list, for the build) needs no site.
SITE = "" if sys.argv[1:2] == ["--list"] else build_setting("QUENLORY_SITE")
HOME_PAGE = SITE + "/ssd.php?page=home-page"
DOWNLOAD_PAGE = SITE + "/ssd.php?page=download-web-page"

# The main window's client area is 394 px high below its menu bar; the top
# banner sits 9 px into it and is 39 px high across 480 px.
MAIN_CLIENT_HEIGHT = 394
RESULT_CLIENT_WIDTH = 577
# The result window's client area below its menu bar, and a spot inside its
# first profile box there (its frame at 0,160, the box 16,72 into it and 545
# by 65).
RESULT_CLIENT_HEIGHT = 505
PROFILE_BOX_SPOT = (30, 160 + 72 + 12)
TOP_BANNER_CENTRE = (248, 9 + 19)


def shown(session, program):
    """The program's visible windows (under Wine, those with its caption)."""
    return session.search(name=MAIN_TITLE) if session.wine else session.search(pid=program.pid)


def start_main(session):
    program = session.start_program()
    main = session.wait_window(MAIN_TITLE, pid=program.pid)
    return program, main


def run_test_with_keyboard(session, main, name, moves):
    """Types the name, moves each of the six date lists down by its steps and presses the button."""
    session.type_text(main, name)
    for steps in moves:
        session.keys(main, "Tab", *(["Down"] * steps))
    session.keys(main, "Tab", "space")


def date_forms(day):
    """The ways a short date may be written for day, here or on Windows."""
    return {day.strftime(form) for form in ("%-d/%-m/%y", "%-m/%-d/%y", "%d/%m/%Y", "%m/%d/%Y",
                                            "%-m/%-d/%Y", "%-d/%-m/%Y", "%Y-%m-%d", "%d.%m.%Y",
                                            "%d/%m/%y", "%m/%d/%y")}


def first_start(session):
    before = datetime.date.today()
    check(not session.settings(), "the program's settings exist before the start")
    home_before = session.home_entries() if session.wine else None
    # On Linux the build's counter of font lookups rides along (fontlookups.cpp).
    lookups = os.path.join(session.root, "font-lookups")
    counter = os.environ.get("QUENLORY_FONT_COUNTER")
    if not session.wine:
        check(counter and os.path.exists(counter), f"QUENLORY_FONT_COUNTER names no counter: {counter!r}")
        session.program_env.update(LD_PRELOAD=counter, QUENLORY_FONT_LOOKUPS=lookups)
    program, main = start_main(session)

    def lookup_counts():
        text = open(lookups, encoding="ascii").read() if os.path.exists(lookups) else ""
        return list(map(int, text.split())) or None

    check(session.title(main) == MAIN_TITLE, "main window title")
    check(not session.search(name=MESSAGE_TITLE, pid=program.pid), "a message box is shown at the first start")
    stored_key = shift_text("Duration", 85)
    value = wait_for(lambda: session.settings().get(stored_key), "the stored reminder date",
                     timeout=session.timeout)
    decoded = shift_text(value, -85)
    check(decoded in date_forms(before) | date_forms(datetime.date.today()),
          f"the stored date decodes to {decoded!r}, not to today")
    check(list(session.settings()) == [stored_key], f"the settings hold {sorted(session.settings())}")
    check(program.poll() is None, "the program ended by itself")
    if session.wine:
        check(session.home_entries() == home_before, "the program wrote into the user's home folder")
        return
    check("Duration" not in open(session.settings_file(), encoding="utf-8").read(),
          "the key name is stored in plain text")
    # The window icon comes with the window, at the two small sizes.
    icon = session.run("xprop", "-id", str(main), "_NET_WM_ICON").stdout
    sizes = re.findall(r"Icon \((\d+) x (\d+)\)", icon)
    check(sorted(sizes) == [("32", "32"), ("48", "48")], f"window icon sizes {sizes}")
    # Starting decoded no picture file: no image-format plugin is loaded.
    with open(f"/proc/{program.pid}/maps", encoding="utf-8") as maps:
        plugins = {line.split()[-1] for line in maps if "/imageformats/" in line}
    check(not plugins, f"start-up loaded image-format plugins {sorted(plugins)}")
    # Up to the main window's first picture on the X server and on to the end
    # of these checks, the start made no more of fontconfig's sorts of all
    # fonts (one per font a window loads with fallback) and matches than
    # these; each sort costs a desktop with thousands of fonts a few
    # milliseconds.
    wait_for(lambda: (lookup_counts() or [0, 0, 0])[2] > 0, "the main window's first picture",
             timeout=session.timeout)
    sorts, matches, _ = lookup_counts()
    check(sorts <= 3 and matches <= 4, f"start-up made {sorts} font sorts and {matches} matches, "
          "more than the 3 and 4 of a window of its widgets in Qt's own way")


def test_run(session):
    program, main = start_main(session)
    copied = "copied before the test"
    holder = None if session.wine else session.own_clipboard(copied)

    # 23 July (Leo) and the sibling's 4 February (Aquarius), years moved too.
    run_test_with_keyboard(session, main, "ann", (22, 6, 5, 3, 1, 2))

    result = session.wait_window(MAIN_TITLE, pid=program.pid, exclude=[main])
    session.wait_unmapped(main)
    check(session.window_info(result)["width"] == RESULT_CLIENT_WIDTH, "the window shown is not the result window")
    check(shown(session, program) == [result], "other windows than the result are shown")
    check(program.poll() is None, "the program ended by itself")
    if holder:
        wait_for(lambda: session.clipboard() != copied, "the clipboard to be emptied")
        wait_for(lambda: holder.poll() is not None, "the clipboard's owner to lose it")
        check(not session.clipboard(), "the clipboard still holds text")
        # Text selected with the mouse in a profile box (a triple click takes
        # its paragraph): X11's selection is emptied too once the button is
        # released. The selection's holder losing it shows that the program
        # took a selection.
        menu_bar = session.window_info(result)["height"] - RESULT_CLIENT_HEIGHT
        check(0 < menu_bar < 60, f"odd result window height {menu_bar + RESULT_CLIENT_HEIGHT}")
        session.xdotool("mousemove", "--sync", "--window", str(result),
                        str(PROFILE_BOX_SPOT[0]), str(PROFILE_BOX_SPOT[1] + menu_bar))
        primary = session.own_clipboard("selected elsewhere", selection="primary")
        session.xdotool("click", "--repeat", "3", "--delay", "60", "1")
        wait_for(lambda: primary.poll() is not None, "the program to take the selection")
        wait_for(lambda: not session.clipboard("primary"), "X11's selection to be emptied")


def back_and_exit(session):
    program, main = start_main(session)
    run_test_with_keyboard(session, main, "ann", (0,) * 6)
    result = session.wait_window(MAIN_TITLE, pid=program.pid, exclude=[main])
    session.wait_unmapped(main)

    # The focus starts on Back, so Enter goes back.
    session.keys(result, "Return")
    wait_for(lambda: session.is_viewable(main), "the main window to come back")
    session.wait_unmapped(result)
    check(shown(session, program) == [main], "more than the main window is shown after Back")

    session.keys(main, "Escape")
    exit_screen = session.wait_window(MAIN_TITLE, pid=program.pid, exclude=[main, result])
    session.wait_unmapped(main)
    check("_NET_WM_STATE_ABOVE" in session.net_wm_state(exit_screen),
          "the exit screen does not ask to stay on top")
    # Under a window manager its frames are the root's children: its own stacking list says.
    stack = session.client_stacking() if session.window_manager else session.top_level_windows()
    check(stack[-1:] == [exit_screen], "the exit screen is not the top window")
    check(shown(session, program) == [exit_screen], "other windows beside the exit screen")

    session.keys(exit_screen, "alt+x")
    code = session.wait_exit(program)
    check(code == 0, f"the program ended with code {code}")
    check(shown(session, program) == [], "windows are left after the end")
    if not session.wine:    # Wine's own windows (its desktop's, its IME's) outlive the program
        check(session.top_level_windows() == [], "windows are left after the end")


def second_copy(session):
    first, main = start_main(session)
    wait_for(session.settings, "the first copy's settings", timeout=session.timeout)
    settings_before = session.stored_bytes()
    home_before = session.home_entries() if session.wine else None

    second = session.start_program()
    box = session.wait_window(MESSAGE_TITLE, pid=second.pid)
    check(shown(session, second) == ([main] if session.wine else [box]),
          "the second copy shows more than its message")
    session.keys(box, "Return")
    code = session.wait_exit(second)
    check(code == 0, f"the second copy ended with code {code}")

    check(first.poll() is None, "the first copy ended too")
    check(session.is_viewable(main), "the first copy's main window is gone")
    check(session.stored_bytes() == settings_before, "the second copy changed the settings")
    if session.wine:
        check(session.home_entries() == home_before, "a copy wrote into the user's home folder")
    else:
        check(shown(session, first) == [main], "the first copy shows another window")
        # The first copy still answers: its Esc brings the exit screen.
        session.keys(main, "Escape")
        session.wait_window(MAIN_TITLE, pid=first.pid, exclude=[main])

    # A copy that was killed leaves no mark behind: the next one starts.
    first.kill()
    first.wait(timeout=session.timeout)
    session.wait_unmapped(main)
    third, _ = start_main(session)
    check(not session.search(name=MESSAGE_TITLE, pid=third.pid), "the copy after the killed one was refused")
    check(third.poll() is None, "the copy after the killed one ended")


def second_copy_over_exit_screen(session):
    """Runs under openbox, which honours the exit screen's "above" state."""
    first, main = start_main(session)
    session.keys(main, "Escape")
    exit_screen = session.wait_window(MAIN_TITLE, pid=first.pid, exclude=[main])
    wait_for(lambda: "_NET_WM_STATE_ABOVE" in session.net_wm_state(exit_screen),
             "the exit screen to be kept above")

    second = session.start_program()
    box = session.wait_window(MESSAGE_TITLE, pid=second.pid)

    def box_on_top():
        stack = session.client_stacking()
        return box in stack and exit_screen in stack and stack.index(box) > stack.index(exit_screen)
    wait_for(box_on_top, "the refusal to be stacked above the exit screen")
    wait_for(lambda: session.active_window() == box, "the refusal to be the active window")
    check(session.is_viewable(box), "the refusal is not viewable")

    session.keys(box, "Return")
    code = session.wait_exit(second)
    check(code == 0, f"the second copy ended with code {code}")
    check(first.poll() is None, "the first copy ended too")
    check(session.is_viewable(exit_screen), "the first copy's exit screen is gone")


def links(session):
    program, main = start_main(session)

    session.keys(main, "alt+h", "v")
    check(session.wait_opened(1) == [HOME_PAGE], "Help > Visit Us Online")
    # The next address to arrive is the next command's: a second address
    # from the first would come before it.
    session.keys(main, "alt+h", "u")
    check(session.wait_opened(2) == [HOME_PAGE, DOWNLOAD_PAGE],
          f"Help > Check for Software Update after Visit Us Online: {session.opened_addresses()}")
    if session.wine:
        # Under Wine the banners and the exit screen's form are not driven
        # (docs/testing.md): the menu's addresses are.
        check(program.poll() is None, "the program ended by itself")
        return

    info = session.window_info(main)
    menu_bar = info["height"] - MAIN_CLIENT_HEIGHT
    check(0 < menu_bar < 60, f"odd main window height {info['height']}")
    session.click(main, TOP_BANNER_CENTRE[0], menu_bar + TOP_BANNER_CENTRE[1])
    check(session.wait_opened(3)[2] == HOME_PAGE, "the top banner")

    session.keys(main, "Escape")
    exit_screen = session.wait_window(MAIN_TITLE, pid=program.pid, exclude=[main])
    typed = {"taf1": "Ann Lee", "taf2": "ann@example.org", "taf4": "Bob",
             "taf5": "bob@example.net", "taf3": "Take the test"}
    # The form's boxes in their tab order; each empties its placeholder on focus.
    for index, field in enumerate(("taf1", "taf2", "taf4", "taf5", "taf3")):
        if index:
            session.keys(exit_screen, "Tab")
        session.type_text(exit_screen, typed[field])
    session.keys(exit_screen, "alt+n")

    address = session.wait_opened(4)[3]
    check(address.startswith(SITE + "/ssd.php?page=qrzx-refer-a-friend&"), f"referral address {address}")
    parameters = query_parameters(address)
    expected = [("page", "qrzx-refer-a-friend")] + [(name, typed[name]) for name in
                                                    ("taf1", "taf2", "taf3", "taf4", "taf5")]
    expected.append(("taf6", SITE + "/"))
    check(parameters == expected, f"referral parameters {parameters}, expected {expected}")
    check(session.is_viewable(exit_screen), "the exit screen closed after the referral")
    check(len(session.opened_addresses()) == 4, "more addresses were opened than asked for")


JOURNEYS = {f.__name__: f for f in (first_start, test_run, back_and_exit, second_copy,
                                     second_copy_over_exit_screen, links)}
# Journeys that need a window manager's stacking, run under openbox.
UNDER_WINDOW_MANAGER = {"second_copy_over_exit_screen"}


def main(argv):
    # The build registers one test per journey from this list; all of them
    # run under Wine too (--wine), with a window manager like every Wine
    # journey (harness.WineSession).
    if argv[1:] in (["--list"], ["--list", "--wine"]):
        print(";".join(JOURNEYS))
        return 0
    wine = len(argv) == 5 and argv[3] == "--wine"
    if len(argv) not in (3, 5) or argv[1] not in JOURNEYS or (len(argv) == 5 and not wine):
        print(f"usage: {argv[0]} {{{'|'.join(JOURNEYS)}}} PROGRAM [--wine WINEPREFIX]\n"
              f"       {argv[0]} --list [--wine]", file=sys.stderr)
        return 2
    if wine:
        session = WineSession(argv[2], argv[4])
    else:
        session = Session(argv[2], window_manager=argv[1] in UNDER_WINDOW_MANAGER)
    return run_journey(argv[1], JOURNEYS[argv[1]], session)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
