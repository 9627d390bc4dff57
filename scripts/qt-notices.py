"""Writes the licence notices of the Qt libraries a Windows build ships.

    python3 scripts/qt-notices.py QT_SOURCE QT_BUILD OUTPUT_DIR

What is third-party code in the DLLs is read from the build itself: every
source and header that Ninja recorded as compiled into Qt6Core, Qt6Gui,
Qt6Widgets, the windows platform plugin and the bundled libraries linked into
them is matched against the qt_attribution.json files of Qt's source (an
entry naming files counts when one of them was used; one without, when any
file of its folder was). OUTPUT_DIR receives Qt's own licences (LGPL-3.0 and
the GPL-3.0 it builds on), THIRD-PARTY.txt with each such component, its
copyright and licence text, and Debian's patches to Qt's source.
"""

import json
import os
import shutil
import subprocess
import sys

SHIPPED = ("Core.dir", "Gui.dir", "Widgets.dir", "QWindowsIntegrationPlugin.dir",
           "BundledLibpng.dir", "BundledPcre2.dir", "BundledFreetype.dir", "BundledZLIB.dir")


def used_files(build):
    deps = subprocess.run(["ninja", "-C", build, "-t", "deps"], capture_output=True, text=True,
                          check=True).stdout
    used, keep = set(), False
    for line in deps.splitlines():
        if line and not line.startswith(" "):
            keep = any(f"/{target}/" in line.split(":")[0] for target in SHIPPED)
        elif keep and line.strip():
            used.add(os.path.normpath(line.strip()))
    return used


def attributions(source, used):
    for root, folders, files in sorted(os.walk(source)):
        folders.sort()
        relative = os.path.relpath(root, source)
        if "qt_attribution.json" not in files or relative.startswith(("tests", "util", "examples")):
            continue
        with open(os.path.join(root, "qt_attribution.json"), encoding="utf-8") as text:
            entries = json.loads(text.read(), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            # "Files" is a string of names, or (Qt 6.8) a list of them.
            files = entry.get("Files", "")
            files = files.split() if isinstance(files, str) else [f for name in files for f in name.split()]
            named = [os.path.normpath(os.path.join(root, f)) for f in files]
            if named:
                hits = [f for f in named if f in used or any(u.startswith(f + "/") for u in used)]
            else:
                hits = [u for u in used if u.startswith(root + "/")]
            if hits:
                yield root, entry


def main(source, build, output):
    os.makedirs(output, exist_ok=True)
    licences = os.path.join(source, "LICENSES")
    for name in ("LGPL-3.0-only.txt", "GPL-3.0-only.txt"):
        shutil.copy(os.path.join(licences, name), os.path.join(output, name))

    parts = ["Third-party code compiled into the Qt libraries of this program (Qt6Core.dll,\n"
             "Qt6Gui.dll, Qt6Widgets.dll, platforms/qwindows.dll), as Qt's source lists it.\n"]
    seen = set()
    for root, entry in attributions(source, used_files(build)):
        key = entry.get("Id") or entry.get("Name")
        if key in seen:
            continue
        seen.add(key)
        parts.append("\n" + "=" * 78 + "\n")
        parts.append(f"{entry.get('Name')} ({os.path.relpath(root, source)})\n")
        # A field is a string or (Qt 6.8) a list of lines or of files.
        for field in ("Version", "Homepage", "License", "Copyright"):
            value = entry.get(field)
            if value:
                value = value if isinstance(value, str) else "\n".join(value)
                parts.append(f"{field}: {value.strip()}\n")
        licence_files = entry.get("LicenseFiles") or entry.get("LicenseFile") or []
        for licence_file in [licence_files] if isinstance(licence_files, str) else licence_files:
            if os.path.isfile(os.path.join(root, licence_file)):
                with open(os.path.join(root, licence_file), encoding="utf-8", errors="replace") as text:
                    parts.append("\n" + text.read().strip() + "\n")
    with open(os.path.join(output, "THIRD-PARTY.txt"), "w", encoding="utf-8") as out:
        out.write("".join(parts))

    patches = os.path.join(source, "debian", "patches")
    if os.path.isdir(patches):
        shutil.copytree(patches, os.path.join(output, "debian-patches"), dirs_exist_ok=True)
    print(f"{len(seen)} third-party components in {output}/THIRD-PARTY.txt")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        raise SystemExit(f"usage: {sys.argv[0]} QT_SOURCE QT_BUILD OUTPUT_DIR")
    main(*sys.argv[1:])
