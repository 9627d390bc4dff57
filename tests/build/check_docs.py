#!/usr/bin/env python3
"""Fails when README.md or docs/ name a file, class, function or test the code does not have.

    check_docs.py SOURCE_DIR

Reads every `quoted` name of the documents: a path into the repository
(src/..., tests/..., scripts/..., a file name with an ending) must exist; a
qualified name (windowkit::Look) or a name of the code's own shape (a class
such as FrmMain, a test such as tst_forms, a target such as quenlory_core)
must occur in the sources. Names of Qt, of packages and of other tools are
not of those shapes, or occur in the sources too, where they are used.
"""
import pathlib
import re
import subprocess
import sys

top = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
documents = [top / "README.md", *sorted((top / "docs").glob("*.md"))]
tracked = subprocess.run(["git", "-C", str(top), "ls-files"], capture_output=True, text=True,
                         check=False).stdout.split()
if not tracked:   # not a checkout: every file below the top
    tracked = [str(p.relative_to(top)) for p in top.rglob("*") if p.is_file() and ".git" not in p.parts]
sources = [top / f for f in tracked
           if not f.endswith(".md") and (top / f).is_file() and (top / f).stat().st_size < 1 << 20]
words = set()
for f in sources:
    try:
        words.update(re.findall(r"[A-Za-z_][A-Za-z0-9_]*", f.read_text(encoding="utf-8", errors="ignore")))
    except OSError:
        pass
files = set(tracked)
folders = {str(pathlib.PurePosixPath(f).parent) for f in tracked}
folders |= {str(p) for f in tracked for p in pathlib.PurePosixPath(f).parents}
names = {pathlib.PurePosixPath(f).name for f in tracked}

ROOTS = ("src/", "tests/", "scripts/", "docs/", "data/", "packaging/", "cmake/", "bench/", ".ci/")
ENDINGS = (".cpp", ".h", ".ui", ".py", ".sh", ".cmake", ".txt", ".json", ".in", ".md", ".nsi", ".rc",
           ".png", ".supp", ".patch", ".xml", ".desktop")
code_shape = re.compile(r"(?:[A-Z][a-z0-9]+){2,}[A-Za-z0-9]*|tst_[a-z0-9_]+|quenlory_[a-z0-9_]+|e2e_[a-z0-9_]+")


def missing(token):
    token = token.strip().rstrip(".,:;")
    if not token or " " in token or token.startswith(("/", "~", "$", "%", "http", "-", "build/")):
        return None
    path = token.split(":")[0] if re.match(r"^[\w./-]+:\d", token) else token
    if path.startswith(ROOTS) or (path.endswith(ENDINGS) and "/" in path):
        if any(c in path for c in "*?<>{}"):
            return None
        path = path.rstrip("/")
        # A path may leave out src/ (windowkit/Look.cpp) or a test's ending.
        known = any(p in files or p in folders for p in (path, "src/" + path, path + ".cpp", path + ".h"))
        return None if known else "no such file"
    if path.endswith(ENDINGS) and re.fullmatch(r"[\w.-]+", path):
        return None if path in names or not re.search(r"[A-Z]|_", path) else None
    if "::" in token:
        last = re.sub(r"\(.*", "", token).split("::")[-1]
        return None if last in words or not re.fullmatch(r"\w+", last) else "not in the code"
    bare = re.sub(r"\(.*\)$", "", token)
    # The end-to-end tests are named e2e_ and their journey, the scaled runs
    # of a test after it and the scaling.
    bare = re.sub(r"^e2e_", "", bare)
    bare = re.sub(r"_at_[0-9]+$", "", bare)
    # A Windows function is named without its W or A ending.
    if code_shape.fullmatch(bare) and not bare.startswith("Q"):
        return None if {bare, bare + "W", bare + "A"} & words else "not in the code"
    return None


failures = 0
for doc in documents:
    for number, line in enumerate(doc.read_text(encoding="utf-8").splitlines(), 1):
        for token in re.findall(r"`([^`]+)`", line):
            why = missing(token)
            if why:
                print(f"{doc.relative_to(top)}:{number}: `{token}`: {why}")
                failures += 1
print(f"documents: {failures} names the code does not have")
sys.exit(1 if failures else 0)
