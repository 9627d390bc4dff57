"""Renders the Windows program's main and result windows under Wine.

    python3 scripts/windows-screenshots.py PATH/TO/quenlory.exe WINEPREFIX OUTPUT_DIR

Writes windows-main-window.png and windows-result-window.png: the same
inputs as scripts/screenshots.py, drawn by Qt's windows platform and the
program's own style in a Wine prefix from scripts/wine-prefix.sh (DejaVu Sans standing in
for Verdana and the dialog fonts).
"""

import os
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)

from screenshots import Camera  # noqa: E402
from harness import MAIN_TITLE, WineSession  # noqa: E402


def main(binary, prefix, output_dir):
    os.makedirs(output_dir, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="quenlory-wine-shots-") as work:
        with WineSession(binary, prefix, framebuffer_dir=work) as session:
            camera = Camera(session, work, output_dir)
            session.start_program()
            main_window = session.wait_window(MAIN_TITLE)
            # Ann, born 23 July 1990; her brother 4 February 1994.
            session.type_text(main_window, "ann lee")
            for moves in (22, 6, 90, 3, 1, 94):
                session.keys(main_window, "Tab", *(["Down"] * moves))
            camera.shoot(main_window, "windows-main-window")

            session.keys(main_window, "Tab", "space")
            result = session.wait_window(MAIN_TITLE, exclude=[main_window])
            session.wait_unmapped(main_window)
            camera.shoot(result, "windows-result-window")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        raise SystemExit(f"usage: {sys.argv[0]} PATH/TO/quenlory.exe WINEPREFIX OUTPUT_DIR")
    main(*sys.argv[1:])
