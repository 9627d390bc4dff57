"""Writes a .deb's Installed-Size the way dpkg-gencontrol reckons it: each
file's size in KiB, rounded up, and 1 KiB for each folder and link. CPack
adds up what the staging folder's file system reports, folders included,
which differs between file systems (a folder is 4 KiB on ext4 and a few
bytes on tmpfs), so the same commit gave other bytes in a build on tmpfs.

    installed_size.py DEB ...
"""

import gzip
import io
import math
import os
import re
import sys
import tarfile


def members(data):
    """The ar archive's members: (header, name, contents)."""
    assert data.startswith(b"!<arch>\n"), "not an ar archive"
    at = 8
    while at < len(data):
        header = data[at:at + 60]
        size = int(header[48:58])
        yield header, header[:16].strip().rstrip(b"/"), data[at + 60:at + 60 + size]
        at += 60 + size + (size & 1)


def installed_size(data_tar):
    with tarfile.open(fileobj=io.BytesIO(data_tar)) as archive:
        return sum(math.ceil(m.size / 1024) if m.isfile() else 1
                   for m in archive.getmembers() if m.name not in (".", "./"))


def rewrite(path):
    with open(path, "rb") as stream:
        parts = list(members(stream.read()))
    data_tar = next(body for _, name, body in parts if name.startswith(b"data.tar"))
    size = installed_size(data_tar)
    out = [b"!<arch>\n"]
    for header, name, body in parts:
        if name == b"control.tar.gz":
            body = control_with(body, size)
            header = header[:48] + str(len(body)).encode().ljust(10) + header[58:]
        out += [header, body, b"\n" if len(body) & 1 else b""]
    with open(path + ".part", "wb") as stream:
        stream.write(b"".join(out))
    os.replace(path + ".part", path)


def control_with(control_tar_gz, size):
    source = tarfile.open(fileobj=io.BytesIO(gzip.decompress(control_tar_gz)))
    written = io.BytesIO()
    with tarfile.open(fileobj=written, mode="w", format=source.format) as target:
        for member in source.getmembers():
            body = source.extractfile(member).read() if member.isfile() else None
            if member.name in ("./control", "control"):
                body = re.sub(rb"(?m)^Installed-Size: \d+$", b"Installed-Size: %d" % size, body)
                member.size = len(body)
            target.addfile(member, io.BytesIO(body) if body is not None else None)
    mtime = int(os.environ.get("SOURCE_DATE_EPOCH", "0"))
    compressed = io.BytesIO()
    with gzip.GzipFile(filename="", mode="wb", fileobj=compressed, compresslevel=9, mtime=mtime) as stream:
        stream.write(written.getvalue())
    return compressed.getvalue()


if __name__ == "__main__":
    for deb in sys.argv[1:]:
        rewrite(deb)
