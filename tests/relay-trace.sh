#!/usr/bin/env bash
# Runs TOLVAN.EXE under Wine's relay trace and checks the order of the calls
# the program itself makes: the DLL search is restricted to the system
# directory before its first call into USER32, SHELL32 or ADVAPI32, and COM
# is ready around the shell's start of the target.
#
#   relay-trace.sh WINE_ENV_SH STATE TOLVAN.EXE
set -euo pipefail
wine_env=$(realpath "$1")
state=$(realpath "$2")
exe=$(realpath "$3")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$exe" "$work/TOLVAN.EXE"
# A silent launch that probes one (absent) key and starts a program that
# ends by itself.
printf '[Init]\r\nSilent=1\r\nDefaultPath=C:\\windows\\system32\\hostname.exe\r\n[ApplicationKeys]\r\nRKey1=Software\\TolvanRelayTrace\\Absent\r\nPath1=absent.exe\r\n' \
    >"$work/TOLVAN.ini"

# The environment runs programs with tracing off; the command interpreter
# turns it on for TOLVAN.EXE alone, whose trace then goes to stderr.
(cd "$work" && timeout 120 "$wine_env" run "$state" cmd /c 'set WINEDEBUG=+relay,+loaddll&& TOLVAN.EXE' \
    </dev/null >"$work/stdout.txt" 2>"$work/trace.txt") || { echo "FAIL: TOLVAN.EXE did not run to its end"; exit 1; }

# The program's own module: where it was loaded (the trace says) and how
# large its image is (the file says). Return addresses in that range are
# calls made by the program itself.
load=$(grep -m1 -E 'loaddll:.*Loaded L".*TOLVAN\.EXE" at [0-9a-fA-F]+' "$work/trace.txt") ||
    { echo "FAIL: no load of TOLVAN.EXE in the trace"; exit 1; }
thread=${load%%:*}
base=$(sed -E 's/.* at ([0-9a-fA-F]+).*/\1/' <<<"$load")
size=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -nE 's/^SizeOfImage[[:space:]]+([0-9a-fA-F]+).*/\1/p')
low=$(printf '%016x' "$((16#$base))")
high=$(printf '%016x' "$((16#$base + 16#$size))")

calls=$(awk -v thread="$thread" -v low="$low" -v high="$high" '
    index($0, thread ":Call ") == 1 && match($0, /ret=[0-9a-fA-F]+$/) {
        ret = tolower(substr($0, RSTART + 4));
        ret = sprintf("%16s", ret); gsub(/ /, "0", ret);
        if (ret >= low && ret < high) {
            call = substr($0, length(thread ":Call ") + 1);
            sub(/ ret=.*/, "", call);
            print call;
        }
    }' "$work/trace.txt")

failed=0
fail() { echo "FAIL: $*"; failed=1; }
first() { grep -n -m1 -iE "$1" <<<"$calls" | cut -d: -f1 || true; }

restrict=$(first '^KERNEL32\.SetDefaultDllDirectories\(00000800\)')
no_current=$(first '^KERNEL32\.SetDllDirectoryA\([0-9a-f]+ ""\)')
interface=$(first '^(USER32|SHELL32|ADVAPI32)\.')
com=$(first '\.CoInitializeEx\([0-9a-f]+,00000006\)')
shell=$(first '^SHELL32\.ShellExecuteA\(')
uninit=$(grep -n -iE '\.CoUninitialize\(' <<<"$calls" | tail -1 | cut -d: -f1 || true)

[ -n "$restrict" ] || fail "no SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)"
[ -n "$no_current" ] || fail "no SetDllDirectoryA(\"\")"
[ -n "$interface" ] || fail "no call into USER32, SHELL32 or ADVAPI32 seen: the trace is not what it should be"
[ -n "$shell" ] || fail "no ShellExecuteA"
[ -n "$com" ] || fail "no CoInitializeEx(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)"
if [ $failed -eq 0 ]; then
    [ "$restrict" -lt "$interface" ] || fail "SetDefaultDllDirectories after: $(sed -n "${interface}p" <<<"$calls")"
    [ "$no_current" -lt "$interface" ] || fail "SetDllDirectoryA after: $(sed -n "${interface}p" <<<"$calls")"
    [ "$com" -lt "$shell" ] || fail "CoInitializeEx after ShellExecuteA"
    [ -n "$uninit" ] && [ "$uninit" -gt "$shell" ] || fail "no CoUninitialize after ShellExecuteA"
fi
if [ $failed -ne 0 ]; then
    echo "Calls of TOLVAN.EXE (loaded at $base, $size bytes), in order:"
    grep -iE '^(KERNEL32\.(SetDefaultDllDirectories|SetDllDirectoryA|LoadLibrary)|USER32|SHELL32|ADVAPI32|ole32|combase)' <<<"$calls" | head -40
    exit 1
fi
echo "OK: $(sed -n "${restrict}p;${no_current}p;${interface}p;${com}p;${shell}p;${uninit}p" <<<"$calls" | sed 's/(.*//' | tr '\n' ' ')"
