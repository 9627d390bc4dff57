"""Writes a Windows icon file from PNG pictures of the program's icon.

    python3 make_ico.py OUT.ico PICTURE.png...

Each PNG becomes one image of the icon, stored as PNG (Windows Vista and
later read such icons), at the size its header gives, at most 256 pixels.
"""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit(f"{name} is not a PNG picture")
    width, height = struct.unpack(">II", data[16:24])
    if not (1 <= width <= 256 and 1 <= height <= 256):
        raise SystemExit(f"{name} is {width}x{height}; an icon image is at most 256x256")
    return width, height


def main(argv):
    if len(argv) < 3:
        raise SystemExit(f"usage: {argv[0]} OUT.ico PICTURE.png...")
    pictures = []
    for name in argv[2:]:
        with open(name, "rb") as f:
            data = f.read()
        pictures.append((png_size(data, name), data))
    pictures.sort(key=lambda picture: picture[0])
    # ICONDIR, then one 16-byte ICONDIRENTRY per image, then the images.
    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    entries, images = b"", b""
    for (width, height), data in pictures:
        # A width or height of 256 is written as 0.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        images += data
        offset += len(data)
    with open(argv[1], "wb") as f:
        f.write(header + entries + images)


if __name__ == "__main__":
    main(sys.argv)
