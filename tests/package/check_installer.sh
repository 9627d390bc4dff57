#!/usr/bin/env bash
# check_installer.sh INSTALLER VERSION
# Tries the Windows installer under Wine, in a private 64-bit prefix on a
# private X server, as a user would: a silent install (/S), then the files,
# the Start-menu shortcut and the "Apps & features" entry; the installed
# program started until its window "Quenlory v<VERSION>" is mapped; a silent
# uninstall, after which nothing of the program is left but the user's
# settings under HKEY_CURRENT_USER\Software\quenlory, which stay as the
# user's data. Needs wine, Xvfb and xdotool.
set -euo pipefail

installer=$(realpath "$1") version=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    if [[ ${QUENLORY_WINE_KEEP:-} == 1 ]]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# A private home keeps Wine's menu entries and file associations away from
# the real one; the prefix has no Mono or Gecko, which nothing here needs.
export HOME=$work/home WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$HOME"
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 -u "$display_fd" display_number || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$display_number

wait_for() { # SECONDS WHAT COMMAND...
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || { fail "timed out waiting for $what"; return 1; }
        sleep 0.2
    done
}

wine wineboot --init >"$work/wineboot.log" 2>&1
wineserver -w
drive_c=$WINEPREFIX/drive_c
snapshot() { # everything on drive C: and in the registry, Wine's own churn aside
    (cd "$drive_c" && find . ! -type d | grep -v -i -e '^\./windows/' -e '/temp/' | sort) > "$1.files"
    local hive
    for hive in HKLM HKCU; do
        wine reg export "$hive" "$1.$hive.utf16" /y >/dev/null 2>&1
        iconv -f UTF-16 -t UTF-8 "$1.$hive.utf16" | tr -d '\r' > "$1.${hive,,}"
    done
}
snapshot "$work/before"

# Install, silently, as Windows' administrator account (Wine's user is one).
wine "$installer" /S
wineserver -w

app=$drive_c/Program\ Files/Quenlory
[[ -f $app/bin/quenlory.exe ]] || fail "no Program Files\\Quenlory\\bin\\quenlory.exe"
[[ -f $app/Uninstall.exe ]] || fail "no uninstaller in Program Files\\Quenlory"
[[ -f $app/quenlory.ico ]] || fail "no icon in Program Files\\Quenlory"
echo "Installed files:"
(cd "$app" && find . -type f -printf '  %P (%s bytes)\n' | sort)

menu=$drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
shortcut=$menu/Quenlory/Quenlory.lnk
if [[ -f $shortcut ]]; then
    # A shortcut keeps its target and icon paths as UTF-16 and as 8-bit text.
    links=$( { strings -el "$shortcut"; strings "$shortcut"; } | tr '[:upper:]' '[:lower:]')
    grep -q 'quenlory\\bin\\quenlory.exe' <<<"$links" || fail "the shortcut does not start bin\\quenlory.exe"
    grep -q 'quenlory\\quenlory.ico' <<<"$links" || fail "the shortcut does not show quenlory.ico"
else
    fail "no Start-menu shortcut Quenlory\\Quenlory.lnk"
fi
snapshot "$work/installed"
added=$(comm -13 "$work/before.files" "$work/installed.files" | grep -v -i -e '^\./program files/quenlory/' || true)
[[ $added == "./ProgramData/Microsoft/Windows/Start Menu/Programs/Quenlory/Quenlory.lnk" ]] ||
    fail "outside its folder the installer adds more than the one shortcut:"$'\n'"$added"

# No autostart: no Run or RunOnce key of either hive names the program.
autostart=$(cat "$work/installed.hklm" "$work/installed.hkcu" |
    awk '/^\[/ { key = $0 } key ~ /\\Run(Once)?\]$/ && tolower($0) ~ /quenlory/ { print key ": " $0 }')
[[ -z $autostart ]] || fail "the installer adds an autostart: $autostart"

# The "Apps & features" entry, in the 64-bit view of HKLM.
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenlory'
entry=$(wine reg query "$uninstall_key" /reg:64 2>/dev/null | tr -d '\r' || true)
echo "Apps & features entry:"
sed 's/^/  /' <<<"$entry"
value() { awk -v name="$1" '$1 == name { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; exit }' <<<"$entry"; }
[[ $(value DisplayName) == Quenlory ]] || fail "DisplayName is '$(value DisplayName)'"
[[ $(value DisplayVersion) == "$version" ]] || fail "DisplayVersion is '$(value DisplayVersion)'"
[[ $(value Publisher) == "Talvane Softwares" ]] || fail "Publisher is '$(value Publisher)'"
[[ $(value DisplayIcon) == 'C:\Program Files\Quenlory\quenlory.ico' ]] || fail "DisplayIcon is '$(value DisplayIcon)'"
uninstall_string=$(value UninstallString)
[[ $uninstall_string == '"C:\Program Files\Quenlory\Uninstall.exe"' ]] || fail "UninstallString is '$uninstall_string'"

# The installed program, started as the shortcut starts it.
wine 'C:\Program Files\Quenlory\bin\quenlory.exe' >"$work/quenlory.log" 2>&1 &
if wait_for 180 "the window \"Quenlory v$version\"" xdotool search --onlyvisible --name "^Quenlory v$version\$"; then
    echo "the installed program shows its window"
fi
wineserver -k || true
wineserver -w

# Uninstall, silently, with the command "Apps & features" runs.
wine 'C:\Program Files\Quenlory\Uninstall.exe' /S
wineserver -w
snapshot "$work/after"
if ! diff -u --label before "$work/before.files" --label after-uninstall "$work/after.files"; then
    fail "files are left after the uninstall"
fi
if wine reg query "$uninstall_key" /reg:64 >/dev/null 2>&1; then
    fail "the Apps & features entry is left"
fi
if grep -i -e quenlory -e talvane "$work/after.hklm" >&2; then
    fail "HKEY_LOCAL_MACHINE keeps the keys above"
fi
grep -q -i -F '[HKEY_CURRENT_USER\Software\quenlory\quenlory\Settings]' "$work/after.hkcu" ||
    fail "the user's settings under HKEY_CURRENT_USER\\Software\\quenlory are gone"
if grep -i -e talvane "$work/after.hkcu" >&2; then fail "HKCU keeps the installer's keys"; fi

if ((failures)); then
    echo "$failures problem(s) with $installer" >&2
    exit 1
fi
echo "$installer installs, starts and uninstalls cleanly"
