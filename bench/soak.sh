#!/usr/bin/env bash
# Soak test: runs build/korvan at Sleep=1 against build/korvan-sim for a long
# time with faults on both sides, samples the program's resident memory,
# open descriptors and threads, and says whether any of them grows.
# Usage: bench/soak.sh MINUTES
# Environment: SOAK_INTERVAL (seconds between samples, 30), SOAK_PHASE
# (seconds per simulator fault phase, 60), SOAK_BUILD (build folder, build).
# Exit: 0 steady; 1 growth; 2 the program died or did not end cleanly.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:?usage: bench/soak.sh MINUTES}
interval=${SOAK_INTERVAL:-30}
phase_length=${SOAK_PHASE:-60}
build=$(cd "${SOAK_BUILD:-build}" && pwd)
# An address of our own in 127/8, so parallel runs never meet.
address=127.62.$(($$ / 250 % 250)).$(($$ % 250 + 1))
run=$(mktemp -d)
sim=
korvan=
trap 'kill $sim $korvan 2>/dev/null || true; rm -rf "$run"' EXIT

# Simulator faults by phase, in turn: loss and corruption, then answers
# delayed around the program's 10 ms wait for an answer.
phases=(
  "--drop 0.05 --garble 0.05 --oversize 0.02"
  "--delay 9 --drop 0.02"
  "--delay 11"
  "--delay 15 --garble 0.05"
  "--delay 10 --oversize 0.05"
)

# One-shot LCD faults spread over the expected pushes (about 40 a second):
# the device gone, the connection lost, a failed button read.
faults=query259=3
kinds=("push1167=%d" "push=%d:31" "read=%d:31")
for ((k = 300, i = 0; k < minutes * 60 * 40; k += 200 + RANDOM % 1800, i++)); do
  # shellcheck disable=SC2059  # the formats are ours
  faults+=,$(printf "${kinds[i % 3]}" "$k")
done

start_sim() {
  local options=${phases[$1 % ${#phases[@]}]}
  if [[ -n $sim ]]; then
    { kill -INT "$sim"; wait "$sim"; } || true
  fi
  # shellcheck disable=SC2086  # the options are words
  "$build/korvan-sim" --bind "$address" --port 6060 --seed $RANDOM $options \
    2>"$run/sim-$1.log" &
  sim=$!
  phase_options=$options
}

press_buttons() {  # a random mask, then none, through a rename: never half a file
  echo "$1" >"$run/buttons.new" && mv "$run/buttons.new" "$run/buttons"
}

sample() {  # elapsed-s rss-kB fds threads
  local status=/proc/$korvan/status
  echo "$1 $(awk '/^VmRSS:/ {print $2}' "$status") $(find "/proc/$korvan/fd" -mindepth 1 | wc -l)" \
    "$(awk '/^Threads:/ {print $2}' "$status")"
}

median() { sort -n | awk '{v[NR] = $1} END {if (NR) print v[int((NR + 1) / 2)]; else print 0}'; }

printf '[DCS]\nPort=6060\nIP=%s\nSleep=1\nCountdown=30\nAltitude=1000\nSpeed=400\n' \
  "$address" >"$run/LCD_Korvan.ini"
press_buttons 0
: >"$run/samples"
phase=0
start_sim $phase
sleep 0.3
(cd "$run" && LCD_VIRTUAL_HTTP=off LCD_VIRTUAL_BUTTONS="$run/buttons" \
  LCD_VIRTUAL_FAULTS="$faults" exec "$build/korvan" 2>"$run/korvan.log") &
korvan=$!

echo "soak: ${minutes} min, a sample every ${interval} s, simulator phases of ${phase_length} s"
printf '%8s %10s %5s %8s  %s\n' seconds rss-kB fds threads simulator
died=
began=$SECONDS
for ((tick = 1; SECONDS - began < minutes * 60; tick++)); do
  sleep 1
  if ! kill -0 "$korvan" 2>/dev/null; then
    died="the program died after $((SECONDS - began)) s"
    break
  fi
  elapsed=$((SECONDS - began))
  press_buttons $((tick % 2 ? 1 << RANDOM % 4 : 0))
  if ((elapsed / phase_length > phase && elapsed < minutes * 60)); then
    phase=$((elapsed / phase_length))
    start_sim $phase
  fi
  if ((elapsed / interval > $(wc -l <"$run/samples"))); then
    sample "$elapsed" >>"$run/samples"
    read -r s rss fds threads < <(tail -1 "$run/samples")
    printf '%8s %10s %5s %8s  %s\n' "$s" "$rss" "$fds" "$threads" "$phase_options"
  fi
done

if [[ -z $died ]]; then
  kill -INT "$korvan"
  code=0
  wait "$korvan" || code=$?
  ((code == 0)) || died="the program ended with $code after SIGINT"
  korvan=
fi
{ kill -INT "$sim"; wait "$sim"; } || true
sim=
cycles=$(for log in "$run"/sim-*.log; do
  { grep -o 'answered [0-9]* fast' "$log" || true; } | tail -1 | awk '{print $2}'
done | awk '{n += $1} END {print n + 0}')
echo "cycles (fast requests answered): $cycles; program log lines: $(wc -l <"$run/korvan.log")"

if [[ -n $died ]]; then
  echo "verdict: FAILED, $died"
  tail -5 "$run/korvan.log"
  exit 2
fi
# The first sample is warm-up; then the median of the last third against
# the first third. Growth: memory up by more than 1024 kB and 5 %, or
# descriptors or threads up at all.
tail -n +2 "$run/samples" >"$run/steady"
count=$(wc -l <"$run/steady")
if ((count < 3)); then
  echo "verdict: too short to judge ($count samples after warm-up; need 3)"
  exit 0
fi
third=$((count / 3))
growth=
for column in 2:rss-kB 3:fds 4:threads; do
  field=${column%%:*}
  first=$(head -n "$third" "$run/steady" | cut -d' ' -f"$field" | median)
  last=$(tail -n "$third" "$run/steady" | cut -d' ' -f"$field" | median)
  echo "${column#*:}: median ${first} in the first third, ${last} in the last"
  if ((field == 2 ? last - first > 1024 && last * 100 > first * 105 : last > first)); then
    growth+=" ${column#*:}"
  fi
done
if [[ -n $growth ]]; then
  echo "verdict: GROWTH in$growth (threshold: memory +1024 kB and +5 %, descriptors or threads +1)"
  exit 1
fi
echo "verdict: steady (threshold: memory +1024 kB and +5 %, descriptors or threads +1)"
