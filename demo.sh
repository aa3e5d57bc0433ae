#!/usr/bin/env bash
# Builds Korvan, writes a demo configuration in run/, and runs the simulator
# stand-in and the program against each other until Ctrl-C.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

./scripts/install-deps.sh

echo "== building (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "${KORVAN_JOBS:-2}" --target korvan korvan-sim lcd-virtual

mkdir -p run
cat > run/LCD_Korvan.ini <<'INI'
[DCS] Korvan demo
Port=6060
IP=127.0.0.1
Sleep=100
Countdown=30
Altitude=1000
Speed=400
INI
rm -rf run/images
cp -r assets/images run/images
echo "== wrote run/LCD_Korvan.ini (simulator at 127.0.0.1:6060, 100 ms pause) and copied the icon sets to run/images"

pids=()
stop() {
  trap - INT TERM EXIT
  echo
  echo "== stopping"
  for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  echo "== stopped"
}
trap stop INT TERM EXIT

echo "== starting korvan-sim (scripted flight; its log line every second below)"
"$root/build/korvan-sim" --aircraft "${KORVAN_DEMO_AIRCRAFT:-Bf-109G-2}" &
pids+=($!)
sleep 0.3

echo "== starting korvan in run/ (Ctrl-C stops both)"
(cd run && exec "$root/build/korvan") &
pids+=($!)
sleep 0.5
cat <<'INFO'
== the LCD: http://127.0.0.1:8160/  (virtual LCD web panel; keys 1-4 press the soft buttons)
   button 0: main page, next units   button 1: status page
   button 2: calculator (hold 0/1 to step speed or altitude, 3 toggles which)
   button 3: reset fuel reference and countdown
INFO

wait -n "${pids[@]}" || true
