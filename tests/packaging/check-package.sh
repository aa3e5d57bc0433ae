#!/usr/bin/env bash
# Unpacks a Korvan Debian package into a scratch root (dpkg -x) and runs the
# installed program from there. Given a build folder instead of a .deb, first
# packages that build with cpack. Exit 77: skipped, no packaging tools.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

deb=$1
if [[ -d $deb ]]; then
  for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool (dpkg-dev) to build a package"; exit 77; }
  done
  cpack -G DEB --config "$deb/CPackConfig.cmake" -B "$scratch/deb" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack"; }
  deb=$(echo "$scratch"/deb/korvan_*.deb)
fi
[[ -f $deb ]] || fail "no package at $deb"
dpkg-deb -x "$deb" "$scratch/root"
usr=$scratch/root/usr

for file in bin/korvan bin/korvan-sim lib/korvan/liblcd-virtual.so share/man/man1/korvan.1.gz \
  share/man/man1/korvan-sim.1.gz lib/systemd/user/korvan.service share/doc/korvan/LCD_Korvan.ini \
  share/doc/korvan/copyright; do
  [[ -s $usr/$file ]] || fail "$file missing"
done
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$usr/share/doc/korvan/copyright" || fail "copyright is not machine-readable"
grep -qx ' Permission is hereby granted, free of charge, to any person obtaining a copy' \
  "$usr/share/doc/korvan/copyright" || fail "copyright lacks the licence's text"
icons=$(find "$usr/share/korvan/images" -name '*.ico' | wc -l)
[[ $icons == 55 ]] || fail "$icons icons, not 55"
grep -qx 'ExecStart=/usr/bin/korvan' "$usr/lib/systemd/user/korvan.service" || fail "unit ExecStart"
grep -qx 'ConditionPathExists=%h/.config/korvan/LCD_Korvan.ini' "$usr/lib/systemd/user/korvan.service" ||
  fail "the unit would start without its settings"

# A bad configuration: the installed program runs, says which line and ends with 255.
mkdir "$scratch/bad" && cd "$scratch/bad"
printf '[DCS]\nPort=0\n' >LCD_Korvan.ini
code=0 && "$usr/bin/korvan" >out 2>err || code=$?
[[ $code == 255 && $(cat out) == 'Port non valide' ]] || fail "bad file: exit $code, $(cat out err)"

# A good one in a folder without images/: icon sets and plug-in from the tree.
mkdir "$scratch/good" "$scratch/frames" && cd "$scratch/good"
printf '[DCS]\nPort=6060\nIP=127.77.0.9\nSleep=20\nCountdown=9\nAltitude=1\nSpeed=1\n' >LCD_Korvan.ini
code=0 && LCD_VIRTUAL_HTTP=off LCD_VIRTUAL_RECORD=$scratch/frames timeout --preserve-status -s INT 3 \
  "$usr/bin/korvan" >out 2>err || code=$?
[[ $code == 0 ]] || fail "good file: exit $code, $(cat out err)"
grep -q "icon sets from $usr/share/korvan/images\$" err || fail "icon folder not said: $(cat err)"
[[ -f $scratch/frames/frame-000001.pgm ]] || fail "no frame from the installed plug-in: $(cat err)"
# korvan --check there finds the installed icon sets, and where no settings
# are, names the installed example.
LCD_VIRTUAL_HTTP=off "$usr/bin/korvan" --check >check 2>&1 || true
grep -q '^OK   55 of 55 icon files load$' check || fail "--check: $(cat check)"
cd "$scratch/frames" && "$usr/bin/korvan" --check >check 2>&1 || true
grep -q "from $usr/share/doc/korvan/LCD_Korvan.ini, with IP=" check || fail "--check: $(cat check)"
echo "ok: $(basename "$deb") installs and runs"
