#!/usr/bin/env bash
# Runs the libFuzzer targets of tests/fuzz for a while each, in the sanitizer
# build (build-asan/), on corpora that grow from run to run, and prints what
# each reached. Exit: 0 nothing found; 1 a finding; 2 bad usage.
# Usage: tools/fuzz/run.sh SECONDS [target...]   (all targets when none given)
# Environment: KORVAN_JOBS (build jobs, 2), FUZZ_JOBS (libFuzzer processes per
# target, 1; more runs them in libFuzzer's fork mode), FUZZ_FLAGS (more
# libFuzzer flags, after ours, e.g. -max_len=65536).
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:?usage: tools/fuzz/run.sh SECONDS [target...]}
shift
fuzz_jobs=${FUZZ_JOBS:-1}
build="build-asan"
known=$(grep -o 'korvan_fuzz_target([a-z_0-9]*' tests/fuzz/CMakeLists.txt | cut -d'(' -f2)
targets=("$@")
((${#targets[@]})) || mapfile -t targets <<<"$known"
for target in "${targets[@]}"; do
  grep -qx "$target" <<<"$known" || {
    echo "unknown target $target; known: ${known//$'\n'/ }" >&2
    exit 2
  }
done

# Seeds in the repository besides tools/fuzz/seeds/<target>/.
declare -A extra_seeds=([fuzz_icon_decoder]="tests/data/icons assets/images")

if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DKORVAN_SANITIZE=ON -DKORVAN_FUZZ=ON -DKORVAN_BENCH=OFF -DKORVAN_WERROR=ON >/dev/null
fi
cmake --build "$build" -j "${KORVAN_JOBS:-2}" --target "${targets[@]}" >/dev/null

read -ra extra <<<"${FUZZ_FLAGS:-}"
mode=()
((fuzz_jobs > 1)) && mode=(-fork="$fuzz_jobs")
printf '%-24s %10s %7s %7s %7s %9s\n' target runs cov ft corpus findings
found=0
for target in "${targets[@]}"; do
  corpus=$build/fuzz-corpus/$target
  findings=$build/fuzz-findings/$target
  log=$build/fuzz-logs/$target.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  seeds=()
  for folder in "tools/fuzz/seeds/$target" ${extra_seeds[$target]:-}; do
    [[ -d $folder ]] && seeds+=("$folder")
  done
  touch "$log.start"
  code=0
  # New inputs go to the first folder only; the seed folders are read.
  LSAN_OPTIONS=suppressions=$PWD/tests/fuzz/lsan-suppressions.txt \
    "$build/fuzz/$target" "${mode[@]}" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$findings/" "${extra[@]}" \
    "$corpus" "${seeds[@]}" >"$log" 2>&1 || code=$?
  # The last status line ("#N ... cov: C ft: F ..."), then the final stats.
  stats=$(grep -E 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
  runs=$({ grep -o 'stat::number_of_executed_units: [0-9]*' "$log" || true; } | awk '{print $2}')
  [[ -n $runs ]] || runs=$(sed -nE 's/^#([0-9]+).*/\1/p' <<<"$stats")
  cov=$(sed -nE 's/.*cov: ([0-9]+).*/\1/p' <<<"$stats")
  ft=$(sed -nE 's/.*ft: ([0-9]+).*/\1/p' <<<"$stats")
  new=$(find "$findings" -type f -newer "$log.start" | wc -l)
  ((code == 0)) || ((new > 0)) || new="exit $code"
  printf '%-24s %10s %7s %7s %7s %9s\n' "$target" "${runs:-?}" "${cov:-?}" "${ft:-?}" \
    "$(find "$corpus" -type f | wc -l)" "$new"
  if [[ $new != 0 ]]; then
    found=1
    find "$findings" -type f -newer "$log.start" | head -5 | sed 's/^/  finding: /'
    echo "  log: $log"
  fi
done
exit $found
