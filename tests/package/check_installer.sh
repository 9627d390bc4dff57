#!/usr/bin/env bash
# check_installer.sh INSTALLER ZIP BUILD_DIR VERSION CMAKE
# Tries the Windows packages under Wine, in a private 64-bit prefix on a
# private X server, as a user would:
#  - what they hold: every PE file stripped of debug data, the installer at
#    most 7 MB with its version block and a manifest that asks for no
#    administrator rights, the zip the install tree in one folder;
#  - a silent install for the current user: files, licences, the shortcut
#    and the "Apps" entry in the user's own places; the program's window;
#  - the same version installed over it: one entry, the program still there;
#    an older version over a newer one refused;
#  - installing or uninstalling while Quenlory runs: refused, nothing changed;
#  - the uninstall after it has closed: nothing left but the user's setting;
#  - /AllUsers: Program Files and the entry under HKEY_LOCAL_MACHINE.
# Needs wine, Xvfb, xdotool, 7z, unzip and objdump of mingw-w64.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"

installer=$(realpath "$1") zip=$(realpath "$2") build=$3 version=$4 cmake=$5
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
    if [[ ${QUENLORY_WINE_KEEP:-} == 1 ]]; then echo "kept $work"; else remove_tree "$work"; fi
}
trap cleanup EXIT
tree=$work/tree
"$cmake" --install "$build" --prefix "$tree" >/dev/null

# --- what the packages hold ---------------------------------------------------
size=$(stat -c %s "$installer")
echo "installer: $size bytes; install tree: $(du -sb "$tree" | cut -f1) bytes; zip: $(stat -c %s "$zip") bytes"
((size <= 7000000)) || fail "the installer is $size bytes, more than 7 MB"
(( $(du -sb "$tree" | cut -f1) <= 23000000 )) || fail "the install tree is more than 23 MB"
7z x -o"$work/setup" "$installer" >/dev/null
unzip -q "$zip" -d "$work/zip"
for where in "$tree" "$work/setup" "$work/zip"; do
    while IFS= read -r -d '' pe; do
        if [[ $(x86_64-w64-mingw32-objdump -h "$pe") == *.debug_* ]]; then fail "$pe keeps debug data"; fi
    done < <(find "$where" -type f \( -iname '*.dll' -o -iname '*.exe' \) -print0)
done
zip_top=$(basename "$zip" .zip)
diff <(cd "$tree" && find . -type f | sort) <(cd "$work/zip/$zip_top" && find . -type f | sort) ||
    fail "the zip's folder $zip_top does not hold exactly the install tree"
# The version block and the manifest are UTF-16 and 8-bit text in the file.
details=$(strings -el "$installer" | tr '\n' '|')
for pair in "ProductName|Quenlory" "ProductVersion|$version" "CompanyName|Talvane Softwares" \
            "FileDescription|Quenlory $version Setup" "LegalCopyright|Copyright 2026 Talvane Softwares"; do
    [[ $details == *"|$pair|"* ]] || fail "the installer's version block lacks $pair"
done
manifest=$(strings "$installer" | grep -m1 '<assembly ' || true)
grep -q '<requestedExecutionLevel level="asInvoker"' <<<"$manifest" || fail "the installer asks for more rights than the user's"
grep -q '<dpiAware[^>]*>true</dpiAware>' <<<"$manifest" || fail "the installer is not DPI-aware"
# The finish page's "Run Quenlory" goes through Explorer, so the program runs
# with the signed-in user's rights, never those of an elevated installer
# (Wine has no elevation: the script makensis compiled is read).
script=$(dirname "$installer")/_CPack_Packages/win64/NSIS/project.nsi
run_as_user=$(awk '/^Function RunAsUser$/,/^FunctionEnd$/' "$script")
grep -qx '!define MUI_FINISHPAGE_RUN_FUNCTION RunAsUser' "$script" &&
    ! grep -q '^!define MUI_FINISHPAGE_RUN ' "$script" &&
    [[ $run_as_user == *"Exec '\"\$WINDIR\\explorer.exe\" \"\$INSTDIR\\bin\\quenlory.exe\"'"* ]] ||
    fail "the finish page does not start the program through Explorer: $run_as_user"

# --- a private Wine ---------------------------------------------------------------
# A private home keeps Wine's menu entries and file associations away from
# the real one; the prefix (a copy of the build's model prefix) has no Mono
# or Gecko, which nothing here needs.
export HOME=$work/home WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
mkdir -p "$HOME"
bash "$(dirname "$0")/../../scripts/wine-prefix.sh" "$WINEPREFIX" "$build/wineprefix-model"
source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb "$work/xvfb.log"

# The Wine server ends a few seconds after the last program of the prefix; a
# program that connects to it just as it ends loses it ("wine client error:
# ... Connection reset by peer") and fails before it has done anything (seen
# at random points of loaded runs). Such a start waits for that server to go
# and is made once more; any other failure stands.
wine() {
    local errors status attempt
    errors=$(mktemp -p "$work")
    for attempt in 1 2; do
        status=0
        command wine "$@" 2>"$errors" || status=$?
        cat "$errors" >&2
        grep -q '^wine client error' "$errors" || break
        wineserver -w
    done
    rm -f "$errors"
    return "$status"
}

drive_c=$WINEPREFIX/drive_c
user_dir=$drive_c/users/$(id -un)
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenlory'
# Each waits for the installer or uninstaller itself; settle waits for all
# that runs in the prefix, which it cannot while the program runs.
setup() { wine "$installer" "$@"; }
uninstall() { wine "$1\\Uninstall.exe" "${@:2}"; }
settle() { wineserver -w; }
# The uninstaller runs a copy of itself from the temporary folder, unless it
# is told to run in place (_?=FOLDER), which keeps its own file but gives its
# exit code.

entry() { local found; found=$(wine reg query "$1\\$key" /reg:64 2>/dev/null) && tr -d '\r' <<<"$found" || true; }
value() { awk -v name="$2" '$1 == name { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print; exit }' <<<"$1"; }
snapshot() { # everything on drive C: and in the registry, Wine's own churn aside
    (cd "$drive_c" && find . ! -type d | grep -v -i -e '^\./windows/' -e '/temp/' | sort) > "$1.files"
    local hive
    for hive in HKLM HKCU; do
        wine reg export "$hive" "$1.$hive.utf16" /y >/dev/null 2>&1
        iconv -f UTF-16 -t UTF-8 "$1.$hive.utf16" | tr -d '\r' > "$1.${hive,,}"
    done
}
start_program() { # FOLDER: starts it and waits for its window
    command wine "$1\\bin\\quenlory.exe" >>"$work/quenlory.log" 2>&1 &
    local deadline=$((SECONDS + 180))
    until xdotool search --onlyvisible --name "^Quenlory v$version\$" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || { fail "no window \"Quenlory v$version\" from $1"; return 1; }
        sleep 0.2
    done
}
stop_program() { wineserver -k || true; wineserver -w; }
# An install's folder and entry as they should be. ROOT FOLDER WINDOWS_FOLDER MENU
check_install() {
    local root=$1 folder=$2 windows_folder=$3 menu=$4
    [[ -f $folder/bin/quenlory.exe && -f $folder/Uninstall.exe ]] || fail "no program or uninstaller in $folder"
    for licence in Quenlory.txt README.txt Qt/LGPL-3.0-only.txt Qt/GPL-3.0-only.txt Qt/THIRD-PARTY.txt \
                   Qt/BUILD.txt GCC/copyright.txt GCC/GPL-3.0.txt mingw-w64/copyright.txt; do
        [[ -s $folder/licenses/$licence ]] || fail "no licences/$licence in $folder"
    done
    diff <(cd "$tree" && find . -type f | sort) <(cd "$folder" && find . -type f ! -name Uninstall.exe | sort) ||
        fail "$folder does not hold exactly the install tree"
    [[ -f $menu/Quenlory.lnk && ! -e $menu/Quenlory ]] || fail "not one shortcut $menu/Quenlory.lnk without a folder"
    grep -qi 'quenlory\\bin\\quenlory.exe' <(strings -el "$menu/Quenlory.lnk"; strings "$menu/Quenlory.lnk") ||
        fail "the shortcut does not start bin\\quenlory.exe"
    local found
    found=$(entry "$root")
    echo "Apps entry under $root:"; sed 's/^/  /' <<<"$found"
    [[ $(value "$found" DisplayName) == Quenlory ]] || fail "DisplayName is '$(value "$found" DisplayName)'"
    [[ $(value "$found" DisplayVersion) == "$version" ]] || fail "DisplayVersion is '$(value "$found" DisplayVersion)'"
    [[ $(value "$found" Publisher) == "Talvane Softwares" ]] || fail "Publisher is '$(value "$found" Publisher)'"
    [[ $(value "$found" InstallLocation) == "$windows_folder" ]] || fail "InstallLocation is '$(value "$found" InstallLocation)'"
    [[ $(value "$found" DisplayIcon) == "$windows_folder\\bin\\quenlory.exe,0" ]] || fail "DisplayIcon is '$(value "$found" DisplayIcon)'"
    local kib=$(( $(du -sk "$folder" | cut -f1) ))
    local estimated=$(( $(value "$found" EstimatedSize) ))
    (( estimated > kib * 9 / 10 && estimated < kib * 11 / 10 )) || fail "EstimatedSize $estimated KiB for $kib KiB"
}

snapshot "$work/before"

# --- for the current user -----------------------------------------------------------
setup /S || fail "the silent install ended with $?"
settle
user_folder=$user_dir/AppData/Local/Programs/Quenlory
user_windows='C:\users\'"$(id -un)"'\AppData\Local\Programs\Quenlory'
user_menu=$user_dir/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
check_install HKCU "$user_folder" "$user_windows" "$user_menu"
[[ -z $(entry HKLM) ]] || fail "a per-user install wrote an entry under HKEY_LOCAL_MACHINE"
snapshot "$work/installed"
outside=$(comm -13 "$work/before.files" "$work/installed.files" | grep -v -i -e '/appdata/local/programs/quenlory/' || true)
[[ $outside == "./users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quenlory.lnk" ]] ||
    fail "outside its folder the installer adds more than the one shortcut:"$'\n'"$outside"
autostart=$(cat "$work/installed.hklm" "$work/installed.hkcu" |
    awk '/^\[/ { key = $0 } key ~ /\\Run(Once)?\]$/ && tolower($0) ~ /quenlory/ { print key ": " $0 }')
[[ -z $autostart ]] || fail "the installer adds an autostart: $autostart"

start_program "$user_windows" && echo "the installed program shows its window"
# While it runs, neither an install over it nor the uninstall touches anything.
snapshot "$work/running"
if setup /S; then fail "installing over the running program succeeded"; fi
if uninstall "$user_windows" /S "_?=$user_windows"; then fail "uninstalling the running program succeeded"; fi
snapshot "$work/refused"
diff -q "$work/running.files" "$work/refused.files" >/dev/null || fail "files changed while the program ran"
[[ -n $(entry HKCU) ]] || fail "the Apps entry went while the program ran"
stop_program

# The same version over it: replaced in place, one entry.
setup /S || fail "installing the same version again ended with $?"
settle
check_install HKCU "$user_folder" "$user_windows" "$user_menu"
# An older version over a newer one asks first, and /S refuses.
wine reg add "HKCU\\$key" /v DisplayVersion /d 99.0 /f /reg:64 >/dev/null 2>&1
code=0; setup /S || code=$?
settle
((code == 4)) || fail "an older version over 99.0 ended with $code, not 4"
[[ $(value "$(entry HKCU)" DisplayVersion) == 99.0 ]] || fail "the older version replaced the newer"
wine reg add "HKCU\\$key" /v DisplayVersion /d "$version" /f /reg:64 >/dev/null 2>&1

# The program leaves its setting; the uninstall leaves only that.
start_program "$user_windows"
stop_program
uninstall "$user_windows" /S
settle
snapshot "$work/after"
diff -u --label before "$work/before.files" --label after-uninstall "$work/after.files" ||
    fail "files are left after the uninstall"
[[ -z $(entry HKCU) ]] || fail "the Apps entry is left"
grep -q -i -F '[HKEY_CURRENT_USER\Software\quenlory\quenlory\Settings]' "$work/after.hkcu" ||
    fail "the user's settings under HKEY_CURRENT_USER\\Software\\quenlory are gone"
if grep -i -e talvane -e 'uninstall\\quenlory' "$work/after.hkcu" "$work/after.hklm" >&2; then
    fail "the registry keeps the installer's keys"
fi

# --- for all users (Wine's user has administrator rights) ----------------------------
setup /S /AllUsers || fail "the install for all users ended with $?"
settle
check_install HKLM "$drive_c/Program Files/Quenlory" 'C:\Program Files\Quenlory' \
    "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
[[ -z $(entry HKCU) ]] || fail "an install for all users wrote an entry under HKEY_CURRENT_USER"
uninstall 'C:\Program Files\Quenlory' /S /AllUsers
settle
[[ ! -e "$drive_c/Program Files/Quenlory" && -z $(entry HKLM) ]] || fail "the install for all users is left"

if ((failures)); then
    echo "$failures problem(s) with $installer" >&2
    exit 1
fi
echo "$installer and $zip hold what they should; the installer installs, upgrades, refuses and uninstalls cleanly"
