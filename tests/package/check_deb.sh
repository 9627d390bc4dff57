#!/usr/bin/env bash
# check_deb.sh SOURCE_DIR DEB TEST_TREE VERSION PYTHON
# Checks DEB, the package build_deb.sh made:
#  - lintian finds no error and no warning (overrides, each with its reason,
#    are in packaging/deb/lintian-overrides);
#  - the changelog's latest entry is this very version;
#  - Depends names the package of every library the program links;
#  - its files are exactly those `cmake --install` puts under /usr from
#    TEST_TREE, the tree the install_tree test checks;
#  - hardening-check finds the program position-independent, stack-protected,
#    with read-only relocations and immediate binding (what Debian 12's
#    default flags promise; its other lines are shown, not required);
#  - it recommends xdg-utils, which opens the program's links;
#  - the program, unpacked with dpkg-deb -x into a temporary root, passes the
#    first-start journey from there.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

source_dir=$1 deb=$2 test_tree=$3 version=$4 python=$5
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if [[ ! -f $deb ]]; then
    echo "FAIL: no package $deb; found: $(ls "$(dirname "$deb")")" >&2
    exit 1
fi
echo "$deb: $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"

work=$(mktemp -d)
trap 'remove_tree "$work"' EXIT

# Lintian: every tag at warning level or above fails; pedantic and
# informational tags are shown but do not.
if ! lintian --fail-on error,warning --display-info --pedantic "$deb"; then
    fail "lintian reports errors or warnings"
fi

dpkg-deb -x "$deb" "$work/root"
gzip -dc "$work/root/usr/share/doc/quenlory/changelog.Debian.gz" > "$work/changelog"
changelog_version=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
package_version=$(dpkg-deb -f "$deb" Version)
[[ $changelog_version == "$package_version" ]] ||
    fail "changelog.Debian.gz starts at $changelog_version, the package is $package_version"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
depends_names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
libraries=0
while read -r library; do
    libraries=$((libraries + 1))
    owner=$(dpkg-query -S "*/$library" 2>/dev/null |
            awk -v m="$multiarch" -v a="$arch" -F': ' '$2 ~ "^/(usr/)?lib/" m "/" { sub(":" a "$", "", $1); print $1; exit }')
    if [[ -z $owner ]]; then
        fail "no Debian package holds $library"
    elif ! grep -qFx -- "$owner" <<<"$depends_names"; then
        fail "$library comes from $owner, which Depends does not name"
    fi
done < <(objdump -p "$work/root/usr/bin/quenlory" | awk '$1 == "NEEDED" { print $2 }')
((libraries > 0)) || fail "objdump lists no library the program links"

report=$(hardening-check "$work/root/usr/bin/quenlory" || true)
echo "$report"
for promise in "Position Independent Executable" "Stack protected" "Read-only relocations" "Immediate binding"; do
    grep -q "^ $promise: yes" <<<"$report" || fail "hardening-check: $promise is not yes"
done
grep -qw xdg-utils <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "the package does not recommend xdg-utils"

# The package's files (folders aside) against the install tree.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "/", $6); print $6 }' | sort > "$work/package.list"
DESTDIR=$work/tree cmake --install "$test_tree" --prefix /usr >/dev/null
(cd "$work/tree" && find . ! -type d | sed 's/^\.//' | sort) > "$work/install.list"
if ! diff -u --label install-tree "$work/install.list" --label package "$work/package.list"; then
    fail "the package's files differ from the install tree"
fi

# The unpacked program, started the way the first-start journey starts it.
if ! "$python" "$source_dir/tests/e2e/journeys.py" first_start "$work/root/usr/bin/quenlory"; then
    fail "the unpacked program fails the first-start journey"
fi

if ((failures)); then
    echo "$failures problem(s) with $deb" >&2
    exit 1
fi
echo "$deb is lintian-clean, complete and starts"
