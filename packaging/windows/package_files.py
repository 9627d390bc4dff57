"""The Windows packages take their files in one fixed order, by name, not in
the order the build machine's file system happens to list a folder (ext4 and
tmpfs list the same folder differently), so that a release is the same byte
for byte wherever it is made.

    package_files.py nsis STAGED OUT.nsh   the installer's File and the
                                           uninstaller's Delete commands
    package_files.py zip ZIP ...           each zip's entries put in order
"""

import os
import sys
import zipfile


def staged(root):
    """Every file and folder below root, relative, with / between names, in
    byte order."""
    files, folders = [], []
    for folder, subfolders, names in os.walk(root):
        relative = os.path.relpath(folder, root)
        for name in subfolders:
            folders.append(os.path.normpath(os.path.join(relative, name)).replace(os.sep, "/"))
        for name in names:
            files.append(os.path.normpath(os.path.join(relative, name)).replace(os.sep, "/"))
    key = lambda path: path.encode()
    return sorted(files, key=key), sorted(folders, key=key)


def windows(path):
    return path.replace("/", "\\")


def nsis(root, out):
    files, folders = staged(root)
    lines = ["!macro QuenloryInstallFiles"]
    current = None
    for path in files:
        folder = os.path.dirname(path)
        if folder != current:
            lines.append(f'    SetOutPath "$INSTDIR{windows("/" + folder) if folder else ""}"')
            current = folder
        lines.append(f'    File "{os.path.join(root, path)}"')
    lines += ['    SetOutPath "$INSTDIR"', "!macroend", "", "!macro QuenloryDeleteFiles"]
    lines += [f'    Delete "$INSTDIR\\{windows(path)}"' for path in files]
    # The deepest folders first, so that each is empty when it is removed.
    for folder in sorted(folders, key=lambda path: (-path.count("/"), path.encode())):
        lines.append(f'    RMDir "$INSTDIR\\{windows(folder)}"')
    lines.append("!macroend")
    with open(out, "w", encoding="utf-8") as stream:
        stream.write("\n".join(lines) + "\n")


def sort_zip(path):
    with zipfile.ZipFile(path) as source:
        entries = [(info, source.read(info)) for info in source.infolist()]
    entries.sort(key=lambda entry: entry[0].filename.encode())
    temporary = path + ".sorted"
    with zipfile.ZipFile(temporary, "w") as target:
        for info, data in entries:
            target.writestr(info, data, compress_type=info.compress_type, compresslevel=9)
    os.replace(temporary, path)


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "nsis":
        nsis(sys.argv[2], sys.argv[3])
    elif len(sys.argv) >= 3 and sys.argv[1] == "zip":
        for name in sys.argv[2:]:
            sort_zip(name)
    else:
        sys.exit(__doc__)
