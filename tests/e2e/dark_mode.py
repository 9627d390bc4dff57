"""Windows in dark mode: every window draws exactly as in light mode.

    python3 dark_mode.py PATH/TO/quenlory.exe WINEPREFIX PATH/TO/quenlory_theme.exe

Under Wine, with the apps' and the system's theme set to dark
(AppsUseLightTheme = 0 under HKCU\\Software\\Microsoft\\Windows\\
CurrentVersion\\Themes\\Personalize) before the program starts, walks
through the windows scripts/screenshots.py pictures: the input check's
message box, the main window, its opened year list, the result window, the
about box and the exit screen. Each is pictured three times while it is
open: as it came up in dark mode, after Windows is switched to light mode
and after it is switched back to dark (quenlory_theme.exe sets the theme
and sends WM_SETTINGCHANGE, as Windows' settings do). The three must be the
same, pixel for pixel. One run of the program, so its random draws (the
bottom banner, the exit screen's text) are the same in all three. Before
each picture the tool has every window paint itself and returns only when
they have (for the first, with the theme left dark), so a repaint the
switch brings is in the picture, not after it.
"""

import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))

from harness import JourneyFailed, WineSession, check  # noqa: E402
from screenshots import Camera, take_pictures  # noqa: E402

PICTURES = ("input-check", "main-window", "year-list", "result-window", "about-box", "exit-screen")


class ThreeModes:
    """Stands in for the camera of take_pictures: each picture in three modes."""

    def __init__(self, session, camera, switch):
        self.session, self.camera, self.switch = session, camera, switch
        self.compared = []

    def shoot(self, window, name, also=()):
        pictures = []
        for step, light in enumerate((False, True, False)):
            self.switch(light)
            self.camera.shoot(window, f"{name}-{step}", also=also)
            pictures.append(self.camera.pictures[f"{name}-{step}"])
        for step, mode in ((1, "light"), (2, "dark again")):
            differ = sum(a[x:x + 3] != b[x:x + 3] for a, b in zip(pictures[0], pictures[step])
                         for x in range(0, len(a), 3))
            check(len(pictures[step]) == len(pictures[0]) and not differ,
                  f"{name}: {differ} pixels differ between dark mode and {mode}")
        self.compared.append(name)


def main(binary, prefix, theme_tool):
    with tempfile.TemporaryDirectory(prefix="quenlory-dark-mode-") as work:
        try:
            with WineSession(binary, prefix, framebuffer_dir=work) as session:
                def switch(light):
                    session.run("wine", theme_tool, "1" if light else "0", timeout=session.timeout)

                switch(False)
                modes = ThreeModes(session, Camera(session, work, work), switch)
                try:
                    take_pictures(session, modes)
                finally:
                    session.run("wine", "reg", "delete",
                                r"HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize", "/f",
                                check_status=False, timeout=session.timeout)
                check(modes.compared == list(PICTURES), f"pictured {modes.compared}")
        except JourneyFailed as failure:
            print(f"FAIL dark_mode: {failure}", file=sys.stderr)
            return 1
    print(f"PASS dark_mode: {', '.join(PICTURES)} the same in dark and light mode")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        raise SystemExit(f"usage: {sys.argv[0]} PATH/TO/quenlory.exe WINEPREFIX PATH/TO/quenlory_theme.exe")
    sys.exit(main(*sys.argv[1:]))
