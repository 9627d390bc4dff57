#!/usr/bin/env bash
# Builds every package a release publishes into OUT:
#
#   bash scripts/release.sh OUT
#
# the .deb (as Debian would build it), the Windows installer and the portable
# zip, and SHA256SUMS over the three, which `sha256sum -c SHA256SUMS` checks
# in OUT. The same commit gives the same bytes in any folder at any time.
# With the maker's certificate in the environment (scripts/sign.sh names the
# variables) quenlory.exe, the uninstaller and the installer are signed;
# without one nothing is, and the script says so. A certificate that cannot
# be read stops it before anything is built. OUT receives the packages only
# when all of them are made; a failure leaves it as it was.
#
# It installs what is missing like the other scripts, builds the Windows
# packages in the Debian 13 system the test command keeps and reuses the Qt
# for Windows it caches (scripts/debian13.sh, scripts/windows-qt.sh). It
# builds only a commit: a working tree with changes that are not committed
# (untracked files included) stops it, as its packages would not be that
# commit's.
set -euo pipefail
if [[ $# != 1 ]]; then
    echo "usage: $0 OUT" >&2
    exit 2
fi
cd "$(dirname "$0")/.."
source scripts/lib.sh
out=$(realpath -m "$1")

# openssl reads the certificate, before anything is built.
bash scripts/deps.sh openssl
if bash scripts/sign.sh --given; then
    bash scripts/sign.sh --check || { echo "release: stopped, nothing built" >&2; exit 1; }
    echo "release: signing with the certificate given"
else
    echo "release: no certificate given (QUENLORY_SIGN_CERT and QUENLORY_SIGN_KEY, or QUENLORY_SIGN_PKCS12): nothing is signed"
fi

changed=$(git status --porcelain --untracked-files=normal 2>&1) || changed="not a git checkout: $changed"
if [[ -n $changed ]]; then
    echo "release: the working tree differs from its commit $(git rev-parse --short HEAD 2>/dev/null); commit or stash first:" >&2
    echo "$changed" | head -n 10 >&2
    exit 1
fi
checkout_lock "$PWD"
stage=$(mktemp -d)
trap 'remove_tree "$stage"' EXIT

# The .deb, on this machine's Debian.
bash tests/package/build_deb.sh . build/release-deb
cp build/release-deb/packages/*.deb "$stage/"

# The Windows installer and zip, in Debian 13 (scripts/debian13.sh) from a
# build folder of their own, against the cached Qt for Windows (built once);
# a folder configured with another Qt is made afresh.
windows=build/release-windows
bash scripts/debian13.sh prepare >/dev/null
bash scripts/debian13.sh run bash -euo pipefail -c '
    windows=$1
    source scripts/lib.sh
    QUENLORY_WINDOWS_QT=$(bash scripts/windows-qt.sh)
    export QUENLORY_WINDOWS_QT
    if [[ -f $windows/CMakeCache.txt ]] &&
        ! grep -qxF "Qt6_DIR:PATH=$QUENLORY_WINDOWS_QT/lib/cmake/Qt6" "$windows/CMakeCache.txt"; then
        remove_tree "$windows"
    fi
    cmake --preset windows-cross -B "$windows" -DQUENLORY_BUILD_TESTS=OFF \
        "-DCMAKE_INSTALL_PREFIX=$PWD/$windows/install" >/dev/null
    cmake --build "$windows" --parallel "$(nproc)"
    remove_tree "$windows/packages"
    (cd "$windows" && cpack)' _ "$windows"
cp "$windows"/packages/*.exe "$windows"/packages/*.zip "$stage/"

(cd "$stage" && sha256sum -- *.deb *.exe *.zip > SHA256SUMS)
mkdir -p "$out"
for file in "$stage"/*; do
    mv -f "$file" "$out/"
done
echo "release: in $out:"
(cd "$out" && cat SHA256SUMS)
