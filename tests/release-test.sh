#!/usr/bin/env bash
# The release as a setup author gets it. scripts/release.sh run in two
# copies of the sources, at two places and two times, writes the same
# archive byte for byte; the archive holds what it should and its SHA256SUMS
# hold. With --sign, both executables carry a signature that osslsigncode
# verifies, and taking the signature off gives back the unsigned bytes. A
# signed TOLVAN.EXE then passes the end-to-end start-up and target cases.
#
#   release-test.sh SOURCE WORK TOLVAN.EXE PROCESSOR E2E_TESTS.EXE WINE_ENV STATE
#
# TOLVAN.EXE and PROCESSOR are the build's own launcher and its processor:
# the release's i686 launcher runs itself where i686 programs run under
# Wine, the build's launcher is signed and run elsewhere.
set -euo pipefail
source=$1 work=$2 launcher=$3 processor=$4 e2e=$5 wine_env=$6 state=$7

failed=0
fail() { echo "FAIL: $*"; failed=1; }

rm -rf "$work"
mkdir -p "$work"

copy_sources() {
    mkdir -p "$1"
    tar -C "$source" --exclude=./build --exclude=./dist --exclude=./.git -c . | tar -x -C "$1"
}

release() {
    local tree=$1 log=$2
    shift 2
    if ! (cd "$tree" && scripts/release.sh "$@") >"$log" 2>&1; then
        cat "$log"
        echo "FAIL: scripts/release.sh $* in $tree"
        exit 1
    fi
}

# The archive's name carries the project version.
version=$(sed -nE 's/^project\(Tolvan VERSION ([0-9.]+) .*/\1/p' "$source/CMakeLists.txt")
name=tolvan-$version-win32.zip

one=$work/one/tolvan
two=$work/two/somewhere/else/tolvan
copy_sources "$one"
copy_sources "$two"
release "$one" "$work/one.log"
sleep 1
release "$two" "$work/two.log"
cat "$work/two.log"

[ -f "$one/dist/$name" ] || { echo "FAIL: no dist/$name"; ls "$one/dist"; exit 1; }
cmp "$one/dist/$name" "$two/dist/$name" || fail "two builds of the same sources differ"

expected='LICENSE
SHA256SUMS
TOLVAN.EXE
configuration.md
example/LICENSE.TXT
example/RUNTIME/SETUP.EXE
example/TOLVAN.ini
example/UPGRADE/SETUP.EXE
tolvan-check.exe'
entries=$(unzip -Z1 "$one/dist/$name")
[ "$entries" = "$expected" ] || fail "the archive holds, in this order: $(echo $entries)"
unzip -q "$one/dist/$name" -d "$work/unsigned"
(cd "$work/unsigned" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the unsigned archive"
cmp "$source/LICENSE" "$work/unsigned/LICENSE" || fail "LICENSE differs from the sources'"

# A throwaway certificate, made here and never kept.
cert=$work/cert
mkdir -p "$cert"
export TOLVAN_SIGN_PASSWORD="throwaway $$"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$cert/key.pem" -out "$cert/cert.pem" \
    -days 2 -subj "/CN=TOLVAN release test" 2>"$cert/openssl.log"
openssl pkcs12 -export -inkey "$cert/key.pem" -in "$cert/cert.pem" -out "$cert/signer.pfx" \
    -passout env:TOLVAN_SIGN_PASSWORD 2>>"$cert/openssl.log"

verify() {
    osslsigncode verify -CAfile "$cert/cert.pem" -in "$1" >"$1.verify.log" 2>&1 ||
        { cat "$1.verify.log"; fail "the signature of $1 does not verify"; }
}

release "$two" "$work/signed.log" --sign "$cert/signer.pfx"
unzip -q "$two/dist/$name" -d "$work/signed"
(cd "$work/signed" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the signed archive"
while read -r entry; do
    case $entry in
    TOLVAN.EXE | tolvan-check.exe)
        verify "$work/signed/$entry"
        osslsigncode remove-signature -in "$work/signed/$entry" -out "$work/$entry.unsigned" >/dev/null
        cmp "$work/$entry.unsigned" "$work/unsigned/$entry" || fail "signing changed $entry beyond its signature"
        ;;
    SHA256SUMS) ;;
    *) cmp "$work/signed/$entry" "$work/unsigned/$entry" || fail "signing changed $entry" ;;
    esac
done <<<"$expected"

# The signed launcher, driven end to end.
if [ "$processor" = x86 ]; then
    signed=$work/signed/TOLVAN.EXE
else
    signed=$work/e2e/TOLVAN.EXE
    mkdir -p "$work/e2e"
    cp "$launcher" "$signed"
    "$source/scripts/sign.sh" "$cert/signer.pfx" "$signed"
    verify "$signed"
fi
windows_path() { local path=$1; echo "Z:${path//\//\\}"; }

# The driver must take the launcher it is given: a missing one fails.
if TOLVAN_LAUNCHER=$(windows_path "$work/missing.exe") "$wine_env" run "$state" "$e2e" \
        --gtest_filter=StartUpTest.FindsItsIniFileInTheCurrentDirectoryUnderItsOwnName >"$work/missing.log" 2>&1; then
    fail "the end-to-end driver ignored TOLVAN_LAUNCHER"
fi
TOLVAN_LAUNCHER=$(windows_path "$signed") "$wine_env" run "$state" "$e2e" \
    --gtest_filter='StartUpTest.*:TargetSelectionTest.*' || fail "the signed TOLVAN.EXE failed end to end"

[ $failed -eq 0 ] && echo "OK: $name is reproducible, signs and verifies, and the signed launcher runs"
exit $failed
