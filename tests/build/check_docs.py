#!/usr/bin/env python3
"""Fails when README.md or docs/ name a file, class, function or test the code does not have.

    check_docs.py SOURCE_DIR
    check_docs.py SOURCE_DIR --planted DOCUMENT   every name DOCUMENT quotes is
                                                  made up: each must be found

Reads every `quoted` name of the documents: a path into the repository
(src/..., tests/..., scripts/..., a file name with an ending, also inside a
quoted command) must exist; a qualified name (windowkit::Look), a name of the
code's own shape (a class such as FrmMain, a target such as quenlory_core) or
a function written with its parentheses (installFontSubstitutes()) must
occur in the sources; a test's name (tst_forms, e2e_links, wine_dark_mode,
package_deb) must be one the build registers. Names of Qt, of packages and of
other tools are not of those shapes, or occur in the sources too, where they
are used.
"""
import pathlib
import re
import subprocess
import sys

top = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
planted = len(sys.argv) == 4 and sys.argv[2] == "--planted"
documents = [pathlib.Path(sys.argv[3]).resolve()] if planted else \
    [top / "README.md", *sorted((top / "docs").glob("*.md"))]
tracked = subprocess.run(["git", "-C", str(top), "ls-files"], capture_output=True, text=True,
                         check=False).stdout.split()
if not tracked:   # not a checkout: every file below the top
    tracked = [str(p.relative_to(top)) for p in top.rglob("*") if p.is_file() and ".git" not in p.parts]
sources = [top / f for f in tracked
           if not f.endswith(".md") and (top / f).is_file() and (top / f).stat().st_size < 1 << 20]
words = set()
texts = []
for f in sources:
    try:
        texts.append(f.read_text(encoding="utf-8", errors="ignore"))
    except OSError:
        continue
    words.update(re.findall(r"[A-Za-z_][A-Za-z0-9_]*", texts[-1]))
text = "\n".join(texts)
files = set(tracked)
folders = {str(pathlib.PurePosixPath(f).parent) for f in tracked}
folders |= {str(p) for f in tracked for p in pathlib.PurePosixPath(f).parents}
names = {pathlib.PurePosixPath(f).name for f in tracked}

ROOTS = ("src/", "tests/", "scripts/", "docs/", "data/", "packaging/", "cmake/", "bench/", ".ci/")
ENDINGS = (".cpp", ".h", ".ui", ".py", ".sh", ".cmake", ".txt", ".json", ".in", ".md", ".nsi", ".rc",
           ".png", ".supp", ".patch", ".xml", ".desktop")
# The tests the build registers: the literal names of add_test, the
# journeys under their e2e_ and wine_ names, the scaled runs of tst_forms and
# a test for each tst_*.cpp.
tests = set()
for f in tracked:
    if f.endswith(("CMakeLists.txt", ".cmake")):
        tests.update(re.findall(r"add_test\(NAME ([A-Za-z0-9_]+)[\s)]", (top / f).read_text(errors="ignore")))
    if re.fullmatch(r"tests/.*/tst_\w+\.cpp", f):
        tests.add(pathlib.PurePosixPath(f).stem)
journeys = subprocess.run([sys.executable, str(top / "tests/e2e/journeys.py"), "--list"],
                          capture_output=True, text=True, check=True).stdout.strip().split(";")
tests |= {prefix + journey for journey in journeys for prefix in ("e2e_", "wine_")}
tests |= {"tst_forms_at_150", "tst_forms_at_200"}
test_shape = re.compile(r"(?:tst|e2e|wine|package|install)_[a-z0-9_]+")
code_shape = re.compile(r"(?:[A-Z][a-z0-9]+){2,}[A-Za-z0-9]*|tst_[a-z0-9_]+|quenlory_[a-z0-9_]+|e2e_[a-z0-9_]+")


def missing(token):
    token = token.strip().rstrip(".,:;")
    if " " in token:
        # A command: the repository's files it names.
        for word in token.split():
            if word.startswith(ROOTS) and missing(word):
                return f"no such file {word}"
        return None
    if not token or token.startswith(("/", "~", "$", "%", "http", "-", "build/")):
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
        # A file of the repository, or one the build or a script writes
        # (named in the sources, or made from a .in template).
        return None if path in names or path + ".in" in names or path in text else "no such file"
    if "::" in token:
        last = re.sub(r"\(.*", "", token).split("::")[-1]
        return None if last in words or not re.fullmatch(r"\w+", last) else "not in the code"
    if test_shape.fullmatch(token):
        return None if token in tests else "no such test"
    bare = re.sub(r"\(.*\)$", "", token)
    if token.endswith(")") and re.fullmatch(r"[a-z]\w*", bare):
        return None if bare in words else "not in the code"
    # A Windows function is named without its W or A ending.
    if code_shape.fullmatch(bare) and not bare.startswith("Q"):
        return None if {bare, bare + "W", bare + "A"} & words else "not in the code"
    return None


failures = unfound = 0
for doc in documents:
    for number, line in enumerate(doc.read_text(encoding="utf-8").splitlines(), 1):
        for token in re.findall(r"`([^`]+)`", line):
            why = missing(token)
            if why:
                print(f"{doc.name}:{number}: `{token}`: {why}")
                failures += 1
            elif planted:
                print(f"{doc.name}:{number}: made-up `{token}` NOT FOUND")
                unfound += 1
if planted:
    print(f"planted names: {failures} found, {unfound} not found")
    sys.exit(1 if unfound or not failures else 0)
print(f"documents: {failures} names the code does not have")
sys.exit(1 if failures else 0)
