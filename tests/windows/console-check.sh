#!/bin/sh
# korvan.exe --check typed in a console (cmd under a terminal, as Wine gives
# one) in a folder named in Cyrillic, which the ANSI and OEM code pages of
# an English system do not hold: its first line names the folder whole.
# Usage: console-check.sh <korvan.exe>; WINEPREFIX set by the caller.
set -eu
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
folder="$root/Корван"
mkdir "$folder"
cp "$1" "$folder/korvan.exe"
printf '[DCS]\r\nPort=0\r\n' >"$folder/LCD_Korvan.ini" # refused: the check ends there
cd "$folder"
# A wide terminal keeps the line whole; the console's cursor moves (which
# stand for its blanks too) go.
shown=$(script -qec "stty cols 400; wine cmd /c korvan.exe --check" /dev/null |
  sed 's/\x1b\[[0-9;?]*[A-Za-z]//g')
case $shown in
*FAIL*LCD_Korvan.ini*'\Корван:'*) exit 0 ;;
esac
printf 'the console shows:\n%s\n' "$shown"
exit 1
