#!/usr/bin/env bash
# Signs Windows executables in place with Authenticode (SHA-256), using
# osslsigncode and a certificate with its private key in a PKCS#12 file.
# The file's password comes from TOLVAN_SIGN_PASSWORD, never from the
# command line, where other users could read it. With
# TOLVAN_SIGN_TIMESTAMP_URL set, the signature is time-stamped by that
# server, so that it stays valid after the certificate expires.
#
#   TOLVAN_SIGN_PASSWORD=... scripts/sign.sh CERT.pfx FILE.exe...
set -euo pipefail
cert=${1:?usage: scripts/sign.sh CERT.pfx FILE.exe...}
shift
[ $# -gt 0 ] || { echo "usage: scripts/sign.sh CERT.pfx FILE.exe..." >&2; exit 2; }
[ -f "$cert" ] || { echo "no certificate file: $cert" >&2; exit 1; }
[ -n "${TOLVAN_SIGN_PASSWORD+set}" ] || { echo "TOLVAN_SIGN_PASSWORD is not set" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for file in "$@"; do
    # osslsigncode writes a new file; the signed copy then takes the place
    # of the original.
    rm -f "$work/signed"
    if ! osslsigncode sign -pkcs12 "$cert" -readpass <(printf '%s' "$TOLVAN_SIGN_PASSWORD") \
            -h sha256 ${TOLVAN_SIGN_TIMESTAMP_URL:+-ts "$TOLVAN_SIGN_TIMESTAMP_URL"} \
            -in "$file" -out "$work/signed" >"$work/log" 2>&1; then
        cat "$work/log" >&2
        echo "could not sign $file" >&2
        exit 1
    fi
    cat "$work/signed" >"$file"
    echo "signed: $file"
done
