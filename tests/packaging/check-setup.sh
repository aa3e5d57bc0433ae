#!/usr/bin/env bash
# The Windows setup program under Wine, as a player uses it: a silent install
# into a folder with a space and an accent, the installed program run and its
# panel asked, a silent uninstall while it runs; then an upgrade over edited
# settings, which both the upgrade and the uninstall keep. Given a build
# folder, first writes the setup with cpack. Runs in the Wine prefix of
# scripts/build-windows.sh (WINEPREFIX). Exit 77: skipped.
set -euo pipefail
scratch=$(mktemp -d)
korvan=
trap '[[ -z $korvan ]] || kill $korvan 2>/dev/null || true; rm -rf "$scratch"' EXIT
trap 'echo "FAIL: line $LINENO"' ERR
fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "skipped: $*"; exit 77; }

setup=$1
[[ -n ${WINEPREFIX:-} ]] || skip "no WINEPREFIX: run through scripts/build-windows.sh"
if [[ -d $setup ]]; then
  command -v makensis >/dev/null || skip "no makensis (Debian's nsis) to write the setup"
  cpack -G NSIS --config "$setup/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
  setup=$(echo "$scratch"/korvan-*-setup.exe)
fi
version=$(basename "$setup") && version=${version#korvan-} && version=${version%%-*}
# No menu entries on this desktop; the accent is UTF-8 on this side.
export WINEDLLOVERRIDES=winemenubuilder.exe=d WINEDEBUG=-all LC_ALL=C.UTF-8
win_dir='C:\Jeux vidéo\Korvan'
dir="$WINEPREFIX/drive_c/Jeux vidéo/Korvan"
menu="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvan'
wine reg delete "$key" /f >/dev/null 2>&1 || true # what a failed run left
rm -rf "$WINEPREFIX/drive_c/Jeux vidéo" "$menu/Korvan" "$menu/StartUp/Korvan.lnk"

# Unquoted: split at the spaces and joined again by Wine, /D= reaches the
# setup as a player types it (the rest of the line, no quotes).
# shellcheck disable=SC2086
install() { wine "$setup" /S /D=$win_dir 2>>"$scratch/wine.log" || fail "setup exit $?"; }
# The uninstaller runs from a copy of itself and returns at once.
uninstall() {
  wine "$dir/uninstall.exe" /S 2>>"$scratch/wine.log" || fail "uninstaller exit $?"
  for _ in $(seq 60); do wine reg query "$key" >/dev/null 2>&1 || return 0; sleep 0.5; done
  fail "the uninstall entry stays"
}
# A counted UTF-16 string of a shortcut: its working folder or its arguments
# (Wine counts the terminator too).
holds() {
  python3 -c 'import struct, sys; t = sys.argv[2]; data = open(sys.argv[1], "rb").read()
sys.exit(all(struct.pack("<H", n) + t.encode("utf-16-le") not in data for n in (len(t), len(t) + 1)))' \
    "$menu/$1" "$2" || fail "$1 lacks $2"
}

install
for file in korvan.exe korvan-sim.exe lcd-virtual.dll LCD_Korvan.ini README-Windows.txt \
  LICENSE.txt uninstall.exe; do [[ -s $dir/$file ]] || fail "$file missing"; done
[[ $(find "$dir/images" -name '*.ico' | wc -l) == 55 ]] || fail "not the 55 icons"
grep -q '^Permission is hereby granted' "$dir/LICENSE.txt" || fail "LICENSE.txt lacks the terms"
holds StartUp/Korvan.lnk "$win_dir"
holds "Korvan/Korvan.lnk" "$win_dir"
holds "Korvan/Stop Korvan.lnk" --stop
holds "Korvan/Check Korvan.lnk" "/k start \"\" /b /wait \"$win_dir\\korvan.exe\" --check"
holds "Korvan/Settings.lnk" "\"$win_dir\\LCD_Korvan.ini\""
[[ -s $menu/Korvan/Uninstall.lnk ]] || fail "no Uninstall shortcut"
grep -q '^URL=http://127.0.0.1:8160/' "$menu/Korvan/Korvan panel.url" || fail "panel shortcut"
entry=$(wine reg query "$key" | iconv -f CP437 -t UTF-8 | tr -d '\r') || fail "no uninstall entry"
for value in "DisplayName    REG_SZ    Korvan" "DisplayVersion    REG_SZ    $version" \
  "Publisher    REG_SZ    The Korvan developers" \
  "UninstallString    REG_SZ    \"$win_dir\\uninstall.exe\"" \
  "QuietUninstallString    REG_SZ    \"$win_dir\\uninstall.exe\" /S"; do
  grep -qxF "    $value" <<<"$entry" || fail "the uninstall entry lacks $value: $entry"
done
grep -qE '^    EstimatedSize    REG_DWORD    0x[0-9a-f]{3,}$' <<<"$entry" || fail "size: $entry"

# Run from its folder, as the sign-in shortcut starts it; a free port for the panel.
touch "$scratch/err" # read before the program has opened it
(cd "$dir" && LCD_VIRTUAL_HTTP=127.0.0.1:0 exec timeout -s KILL 60 wine korvan.exe) \
  >"$scratch/out" 2>"$scratch/err" &
korvan=$!
for _ in $(seq 100); do
  port=$(sed -n 's|^lcd-virtual: web panel at http://127.0.0.1:\([0-9]*\)/\r*$|\1|p' "$scratch/err")
  [[ -n $port ]] && break
  sleep 0.2
done
[[ -n $port ]] || fail "no panel: $(cat "$scratch/err")"
python3 -c 'import sys, urllib.request
sys.exit(b"<html" not in urllib.request.urlopen(sys.argv[1], timeout=10).read())' \
  "http://127.0.0.1:$port/" || fail "the panel did not answer with its page"
uninstall
code=0 && wait $korvan || code=$?
[[ $code == 0 ]] || fail "korvan.exe not stopped by the uninstaller: exit $code, $(cat "$scratch/err")"
[[ ! -e $dir && ! -e $menu/Korvan && ! -e $menu/StartUp/Korvan.lnk ]] ||
  fail "left behind: $(ls -A "$dir" "$menu/Korvan" 2>&1)"

install
sed -i 's/^IP=.*/IP=192.168.1.20\r/' "$dir/LCD_Korvan.ini"
install
grep -q '^IP=192.168.1.20' "$dir/LCD_Korvan.ini" || fail "the upgrade replaced the settings"
uninstall
grep -qs '^IP=192.168.1.20' "$dir/LCD_Korvan.ini" || fail "the edited settings were not kept"
[[ $(ls -A "$dir") == LCD_Korvan.ini ]] || fail "the uninstall left $(ls -A "$dir") in $dir"
rm -rf "$WINEPREFIX/drive_c/Jeux vidéo"
echo "ok: $(basename "$setup") installs, runs, upgrades and uninstalls"
