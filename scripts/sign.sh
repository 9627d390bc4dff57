#!/usr/bin/env bash
# Signs Windows programs with Authenticode (osslsigncode), with the maker's
# certificate named by the environment:
#
#   QUENLORY_SIGN_CERT and QUENLORY_SIGN_KEY   a certificate and its private key
#                                              (PEM or DER files), or
#   QUENLORY_SIGN_PKCS12                       both in one PKCS#12 file;
#   QUENLORY_SIGN_PASSWORD                     the key's password, if it has one;
#   QUENLORY_SIGN_TIMESTAMP                    a timestamp server's address: a
#                                              timestamp is added only with it.
#
#   scripts/sign.sh --given     exits 0 when a certificate is named, 1 when not
#   scripts/sign.sh --check     fails with a message when it cannot be read
#   scripts/sign.sh FILE ...    signs each FILE in place
#
# A file is replaced only by its signed copy, so a failure leaves it unsigned
# and whole, never half-signed.
set -euo pipefail

given() { [[ -n ${QUENLORY_SIGN_PKCS12:-} || -n ${QUENLORY_SIGN_CERT:-}${QUENLORY_SIGN_KEY:-} ]]; }

check() {
    local password=(-passin env:QUENLORY_SIGN_PASSWORD)
    export QUENLORY_SIGN_PASSWORD=${QUENLORY_SIGN_PASSWORD:-}
    if [[ -n ${QUENLORY_SIGN_PKCS12:-} ]]; then
        openssl pkcs12 -in "$QUENLORY_SIGN_PKCS12" -noout "${password[@]}" 2>/dev/null ||
            { echo "sign: cannot read the PKCS#12 file QUENLORY_SIGN_PKCS12=$QUENLORY_SIGN_PKCS12 (is the password in QUENLORY_SIGN_PASSWORD?)" >&2; return 1; }
        return 0
    fi
    if [[ -z ${QUENLORY_SIGN_CERT:-} || -z ${QUENLORY_SIGN_KEY:-} ]]; then
        echo "sign: QUENLORY_SIGN_CERT and QUENLORY_SIGN_KEY go together" >&2
        return 1
    fi
    local form
    for form in PEM DER; do
        openssl x509 -in "$QUENLORY_SIGN_CERT" -inform "$form" -noout 2>/dev/null && break
        [[ $form == DER ]] && { echo "sign: cannot read the certificate QUENLORY_SIGN_CERT=$QUENLORY_SIGN_CERT" >&2; return 1; }
    done
    for form in PEM DER; do
        openssl pkey -in "$QUENLORY_SIGN_KEY" -inform "$form" -noout "${password[@]}" 2>/dev/null && break
        [[ $form == DER ]] && { echo "sign: cannot read the key QUENLORY_SIGN_KEY=$QUENLORY_SIGN_KEY (is the password in QUENLORY_SIGN_PASSWORD?)" >&2; return 1; }
    done
    return 0
}

case ${1:-} in
    --given) given; exit ;;
    --check) given || { echo "sign: no certificate given" >&2; exit 1; }; check; exit ;;
    '') echo "usage: $0 --given | --check | FILE ..." >&2; exit 2 ;;
esac

given || { echo "sign: no certificate given" >&2; exit 1; }
check
if [[ -n ${QUENLORY_SIGN_PKCS12:-} ]]; then
    identity=(-pkcs12 "$QUENLORY_SIGN_PKCS12")
else
    identity=(-certs "$QUENLORY_SIGN_CERT" -key "$QUENLORY_SIGN_KEY")
fi
timestamp=()
[[ -n ${QUENLORY_SIGN_TIMESTAMP:-} ]] && timestamp=(-ts "$QUENLORY_SIGN_TIMESTAMP")
# The password goes through a pipe (printf is the shell's own, so it shows on
# no command line), never a file that could outlive the command; the pipe
# exists only for the command it is written on.
sign() {
    if [[ -n ${QUENLORY_SIGN_PASSWORD:-} ]]; then
        osslsigncode sign "$@" -readpass <(printf '%s' "$QUENLORY_SIGN_PASSWORD")
    else
        osslsigncode sign "$@"
    fi
}
for file in "$@"; do
    sign "${identity[@]}" "${timestamp[@]}" -h sha256 -n Quenlory \
        -in "$file" -out "$file.signed" >/dev/null ||
        { rm -f "$file.signed"; echo "sign: osslsigncode could not sign $file" >&2; exit 1; }
    mv -f "$file.signed" "$file"
done
