#!/usr/bin/env bash
# check_signing.sh SOURCE_DIR BUILD VERSION CMAKE
# The Windows packages signed with a throwaway self-signed certificate (made
# here with openssl), through the same script and CPack run a release uses:
#  - quenlory.exe in the zip, the installer, and the uninstaller the
#    installer writes (installed silently under Wine) each verify against
#    that certificate with osslsigncode; a copy with one byte changed fails;
#  - a certificate in one PKCS#12 file with a password signs as well;
#  - the packages the build made without a certificate carry no signature;
#  - the release command, given a certificate that cannot be read, stops
#    with a message before it builds anything and leaves OUT as it was;
#  - the signed installer and zip pass every check of check_installer.sh.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

source_dir=$(realpath "$1") build=$(realpath "$2") version=$3 cmake=$4
work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    # This test's own Wine only: never another prefix's server.
    [[ -d $work/prefix ]] && WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    remove_tree "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
verifies() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }
zip_name=Quenlory-$version-win64 setup=Quenlory-$version-setup.exe

openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=Quenlory test signer" -addext "extendedKeyUsage=codeSigning" 2>/dev/null

# Unsigned: what the build made without a certificate.
unzip -q -o "$build/packages/$zip_name.zip" "$zip_name/bin/quenlory.exe" -d "$work/unsigned"
for file in "$work/unsigned/$zip_name/bin/quenlory.exe" "$build/packages/$setup"; do
    osslsigncode verify -in "$file" >/dev/null 2>&1 && fail "$(basename "$file") carries a signature without a certificate"
done

# Signed: CPack again, into a folder of its own, with the certificate given.
if ! (cd "$build" && QUENLORY_SIGN_CERT=$work/cert.pem QUENLORY_SIGN_KEY=$work/key.pem \
        cpack -B "$work/signed") >"$work/cpack.log" 2>&1; then
    tail -n 30 "$work/cpack.log"
    echo "FAIL: cpack with a certificate failed" >&2
    exit 1
fi
unzip -q -o "$work/signed/$zip_name.zip" "$zip_name/bin/quenlory.exe" -d "$work/zip"
program=$work/zip/$zip_name/bin/quenlory.exe
verifies "$program" || fail "quenlory.exe in the zip does not verify: $(tail -n 3 "$work/verify.log")"
verifies "$work/signed/$setup" || fail "the installer does not verify: $(tail -n 3 "$work/verify.log")"

# A byte changed in the middle of the signed program.
cp "$program" "$work/tampered.exe"
size=$(stat -c %s "$work/tampered.exe")
printf '\x5a' | dd of="$work/tampered.exe" bs=1 seek=$((size / 2)) conv=notrunc status=none
cmp -s "$program" "$work/tampered.exe" && printf '\xa5' | dd of="$work/tampered.exe" bs=1 seek=$((size / 2)) conv=notrunc status=none
verifies "$work/tampered.exe" && fail "a program with a changed byte still verifies"

# The uninstaller, as the installer writes it.
source "$(dirname "$0")/../support/xvfb.sh"
export HOME=$work/home WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$HOME"
bash "$source_dir/scripts/wine-prefix.sh" "$WINEPREFIX" "$build/wineprefix-model"
start_xvfb "$work/xvfb.log"
wine "$work/signed/$setup" /S '/D=C:\Quenlory' >"$work/install.log" 2>&1 || fail "the signed installer failed: $(tail -n 3 "$work/install.log")"
wineserver -w
uninstaller=$WINEPREFIX/drive_c/Quenlory/Uninstall.exe
if [[ -f $uninstaller ]]; then
    verifies "$uninstaller" || fail "the installed Uninstall.exe does not verify: $(tail -n 3 "$work/verify.log")"
else
    fail "the signed installer wrote no Uninstall.exe"
fi

# One PKCS#12 file with a password.
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.p12" -passout pass:secret 2>/dev/null
cp "$work/unsigned/$zip_name/bin/quenlory.exe" "$work/p12.exe"
QUENLORY_SIGN_PKCS12=$work/signer.p12 QUENLORY_SIGN_PASSWORD=secret bash "$source_dir/scripts/sign.sh" "$work/p12.exe" ||
    fail "signing with a PKCS#12 file failed"
verifies "$work/p12.exe" || fail "the program signed from a PKCS#12 file does not verify"

# A certificate that cannot be read stops the release before it builds.
echo "not a certificate" > "$work/broken.pem"
if QUENLORY_SIGN_CERT=$work/broken.pem QUENLORY_SIGN_KEY=$work/key.pem \
        bash "$source_dir/scripts/release.sh" "$work/out" >"$work/release.log" 2>&1; then
    fail "the release command went on with a certificate it cannot read"
fi
grep -q "cannot read the certificate" "$work/release.log" || fail "no clear message: $(tail -n 3 "$work/release.log")"
[[ -e $work/out ]] && fail "the stopped release left $(ls "$work/out")"

# Signed, the packages still pass every check the unsigned ones pass.
kill "$xvfb_pid" 2>/dev/null || true
xvfb_pid=
WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
bash "$(dirname "$0")/check_installer.sh" "$work/signed/$setup" "$work/signed/$zip_name.zip" "$build" "$version" "$cmake" ||
    fail "the signed packages fail the installer's checks"

echo "signing: $failures failures"
exit $(( failures > 0 ))
