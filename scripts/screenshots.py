"""Renders the program's windows on a private X server into PNG files.

    python3 scripts/screenshots.py PATH/TO/quenlory OUTPUT_DIR

The same build gives the same pictures: the screen size and depth are fixed,
fontconfig sees only the DejaVu fonts (with the usual generic aliases), and
the program runs under libfaketime with a frozen wall clock, so its date and its seeded draws (the bottom banner,
the exit screen's text) come out the same on every run. Pictures are cut from
Xvfb's framebuffer file, so nothing but Python's standard library is needed to
write them.
"""

import os
import struct
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

from harness import MAIN_TITLE, MESSAGE_TITLE, Session, wait_for  # noqa: E402

FAKETIME_LIBRARIES = ("/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                      "/usr/lib/aarch64-linux-gnu/faketime/libfaketime.so.1",
                      "/usr/lib/faketime/libfaketime.so.1")
FROZEN_CLOCK = "2026-03-14 10:00:00"

# Only the DejaVu fonts, with the aliases a desktop's own configuration
# gives the generic names: Qt asks for "Sans Serif" where a window keeps the
# desktop's font (the menu bars), which without them would be drawn in the
# first face fontconfig knows, a serif one.
FONTS_CONF = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>{cache}</cachedir>
  <alias binding="same"><family>Sans Serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias><family>serif</family><prefer><family>DejaVu Serif</family></prefer></alias>
  <alias><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <config></config>
</fontconfig>
"""


def read_xwd(path):
    """Xvfb's framebuffer file as (width, height, rows of RGB bytes)."""
    with open(path, "rb") as xwd:
        data = xwd.read()
    order = ">" if struct.unpack(">I", data[:4])[0] < 0x10000 else "<"
    fields = struct.unpack(order + "25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    ncolors = fields[19]
    if bits_per_pixel != 32:
        raise SystemExit(f"expected a 32-bit framebuffer, got {bits_per_pixel} bits")
    start = header_size + 12 * ncolors
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + 4 * width]
        if byte_order == 0:     # least significant byte first: B, G, R, pad
            rgb = bytearray(3 * width)
            rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
        else:                   # pad, R, G, B
            rgb = bytearray(3 * width)
            rgb[0::3], rgb[1::3], rgb[2::3] = line[1::4], line[2::4], line[3::4]
        rows.append(bytes(rgb))
    return width, height, rows


def crop(rows, x, y, width, height):
    return [row[3 * x:3 * (x + width)] for row in rows[y:y + height]]


def write_png(path, rows):
    height, width = len(rows), len(rows[0]) // 3

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + row for row in rows)
    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n")
        png.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        png.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        png.write(chunk(b"IEND", b""))


class Camera:
    def __init__(self, session, framebuffer_dir, output_dir):
        self.session = session
        self.framebuffer = os.path.join(framebuffer_dir, "Xvfb_screen0")
        self.output_dir = output_dir
        self.pictures = {}      # name: rows of RGB bytes, as saved

    def shoot(self, window, name, also=()):
        """Waits until the picture of the window, and of the windows in also
        (an opened list), stops changing, then saves it."""
        # Xvfb draws the pointer into its framebuffer: park it in a corner
        # that no window of the program covers.
        self.session.xdotool("mousemove", "1023", "767")
        infos = [self.session.window_info(shown) for shown in (window, *also)]
        left = min(info["x"] for info in infos)
        top = min(info["y"] for info in infos)
        right = max(info["x"] + info["width"] for info in infos)
        bottom = max(info["y"] + info["height"] for info in infos)
        box = (left, top, right - left, bottom - top)
        last = [None]

        def settled():
            picture = crop(read_xwd(self.framebuffer)[2], *box)
            same = picture == last[0]
            last[0] = picture
            return same and picture

        picture = wait_for(settled, f"the picture of {name} to settle", interval=0.3)
        self.pictures[name] = picture
        path = os.path.join(self.output_dir, name + ".png")
        write_png(path, picture)
        print(f"{path}: {box[2]}x{box[3]}")


def faketime_library():
    for path in FAKETIME_LIBRARIES:
        if os.path.exists(path):
            return path
    raise SystemExit("libfaketime is missing: apt-get install faketime")


def main(binary, output_dir):
    os.makedirs(output_dir, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix="quenlory-shots-") as work:
        with open(os.path.join(work, "fonts.conf"), "w") as conf:
            conf.write(FONTS_CONF.format(cache=os.path.join(work, "fontcache")))
        program_env = {
            "LD_PRELOAD": faketime_library(),
            "FAKETIME": FROZEN_CLOCK,
            "FAKETIME_DONT_FAKE_MONOTONIC": "1",
            "FAKETIME_NO_CACHE": "1",
            # The program is killed at the end; without this libfaketime
            # leaves its shared-memory files behind in /dev/shm.
            "FAKETIME_DISABLE_SHM": "1",
            "FONTCONFIG_FILE": os.path.join(work, "fonts.conf"),
        }
        with Session(binary, screen="1024x768x24", framebuffer_dir=work,
                     program_env=program_env) as session:
            take_pictures(session, Camera(session, work, output_dir))


def take_pictures(session, camera):
    program = session.start_program()
    main_window = session.wait_window(MAIN_TITLE, pid=program.pid)

    # The input check: the test button with no name typed.
    session.keys(main_window, *(["Tab"] * 7), "space")
    box = session.wait_window(MESSAGE_TITLE, pid=program.pid)
    camera.shoot(box, "input-check")
    session.keys(box, "Return")
    session.wait_unmapped(box)

    # The check put the focus back into the name box. Ann, born 23 July
    # 1990; her brother 4 February 1994.
    session.type_text(main_window, "ann lee")
    for moves in (22, 6, 90, 3, 1, 94):
        session.keys(main_window, "Tab", *(["Down"] * moves))
    camera.shoot(main_window, "main-window")

    # The user's year list opened (Alt+Down), 1990 chosen; Esc closes it
    # without a change. The keys go straight to the list, which holds the
    # keyboard while it is open.
    session.keys(main_window, *(["shift+Tab"] * 3), "alt+Down")
    year_list = session.wait_window(pid=program.pid, exclude=[main_window])
    camera.shoot(main_window, "year-list", also=[year_list])
    session.xdotool("key", "Escape")
    session.wait_unmapped(year_list)
    session.keys(main_window, *(["Tab"] * 3))

    session.keys(main_window, "Tab", "space")
    result = session.wait_window(MAIN_TITLE, pid=program.pid, exclude=[main_window])
    session.wait_unmapped(main_window)
    camera.shoot(result, "result-window")

    session.keys(result, "alt+h", "a")
    about = session.wait_window(MAIN_TITLE, pid=program.pid, exclude=[main_window, result])
    camera.shoot(about, "about-box")
    session.keys(about, "Escape")
    session.wait_unmapped(about)

    session.keys(result, "Escape")
    exit_screen = session.wait_window(MAIN_TITLE, pid=program.pid,
                                      exclude=[main_window, result, about])
    session.wait_unmapped(result)
    # From the name box back round to Exit: the box gets its placeholder
    # back, and no blinking caret is left in the picture.
    session.keys(exit_screen, "shift+Tab")
    camera.shoot(exit_screen, "exit-screen")
    session.keys(exit_screen, "alt+x")
    session.wait_exit(program)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(f"usage: {sys.argv[0]} PATH/TO/quenlory OUTPUT_DIR")
    main(sys.argv[1], sys.argv[2])
