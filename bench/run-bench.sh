#!/usr/bin/env bash
# Runs the benchmarks and the start-up comparison of a bench build (`make bench`)
# and prints their figures against the targets. Raw results stay in
# BUILD_DIR/bench-results. Usage: bench/run-bench.sh BUILD_DIR [START-UP RUNS]
set -euo pipefail
source "$(dirname "$0")/../scripts/x11_driver.sh"

build=${1:?usage: run-bench.sh BUILD_DIR [START-UP RUNS]}
runs=${2:-20}
results="$build/bench-results"
probes="$build/bench"
mkdir -p "$results"

# Benchmark name and its target in nanoseconds of CPU time.
targets=(
  "BM_Calculate/0.45 20000"
  "BM_Calculate/0.1 20000"
  "BM_Calculate/0.3 20000"
  "BM_WindowCalculate 2000000"
  "BM_PracticeAnswer 1000000"
  "BM_PracticeSummary 1000000"
  "BM_BasesAtTheLimits/hex_to_decimal 1000000"
  "BM_BasesAtTheLimits/longest_period 1000000"
  "BM_BasesAtTheLimits/decimal_to_hex 1000000"
)
startup_time_target=1.15
startup_memory_target=1.10

# Prints "name cpu_ns real_ns" for the median of nine repetitions of each
# benchmark, run in random order so that a busy moment does not hit one alone.
run_benchmarks() {  # executable
  local json
  json="$results/$(basename "$1").json"
  "$1" --benchmark_min_time=0.2 --benchmark_repetitions=9 --benchmark_enable_random_interleaving \
    --benchmark_report_aggregates_only=true --benchmark_out="$json" --benchmark_out_format=json \
    >"${json%.json}.log" 2>&1
  jq -r '.benchmarks[] | select(.aggregate_name == "median")
         | ({ns: 1, us: 1e3, ms: 1e6, s: 1e9}[.time_unit]) as $ns
         | "\(.run_name) \(.cpu_time * $ns) \(.real_time * $ns)"' "$json"
}

print_benchmark_table() {
  printf '%-44s %10s %10s %10s  %s\n' benchmark "cpu time" "real time" target verdict
  { printf '%s\n' "${targets[@]/#/target }"; cat; } | awk '
    function human(ns) {
      if (ns < 1e3) return sprintf("%.1f ns", ns)
      if (ns < 1e6) return sprintf("%.2f us", ns / 1e3)
      return sprintf("%.3f ms", ns / 1e6)
    }
    $1 == "target" { target[$2] = $3; next }
    {
      goal = ($1 in target) ? "< " human(target[$1]) : "-"
      verdict = ($1 in target) ? ($2 < target[$1] ? "met" : "missed") : ""
      printf "%-44s %10s %10s %10s  %s\n", $1, human($2), human($3), goal, verdict
    }'
}

# One start-up: prints "<probe> <microseconds from spawn to first paint> <VmHWM
# in kB>". The probe stamps the wall clock when its first frame is done; the
# stamp taken here just before the spawn makes the difference cover the whole
# process start. Output goes to a file so that the next run starts only after
# this process has exited.
start_once() {  # probe
  local out="$results/probe.out" errors="$results/probe.err" spawned word painted kilobytes
  spawned=${EPOCHREALTIME/[.,]/}
  "$probes/$1" >"$out" 2>"$errors" || true
  read -r word painted kilobytes <"$out" || true
  if [ "$word" != painted ]; then
    echo "$1 reported no first paint:" >&2
    cat "$errors" >&2
    exit 1
  fi
  echo "$1 $((painted - spawned)) $kilobytes"
}

# Alternates the probes, after one warm-up run of each, so that a slower or
# busier moment hits each alike. Each round takes them in a new random order:
# a run can be slowed by what the one before it left behind.
measure_startup() {  # platform
  local probe
  for probe in kviltora_startup_probe baseline_window label_window; do
    QT_QPA_PLATFORM=$1 start_once "$probe" >/dev/null
  done
  for _ in $(seq "$runs"); do
    for probe in $(shuf -e kviltora_startup_probe baseline_window label_window); do
      QT_QPA_PLATFORM=$1 start_once "$probe"
    done
  done
}

print_startup_rows() {  # platform
  awk -v platform="$1" -v time_target="$startup_time_target" \
    -v memory_target="$startup_memory_target" '
    function median(key,   n, i, j, v, t) {
      n = split(values[key], v, " ")
      for (i = 2; i <= n; i++)
        for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
      return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    function row(what, key, unit, scale, target,   k, b, l) {
      k = median("kviltora_startup_probe " key)
      b = median("baseline_window " key)
      l = median("label_window " key)
      printf "%-12s %-12s %8.1f %-3s %8.1f %-3s %6.2f %7s  %-7s %8.1f %-3s (%.2f)\n", platform, what,
             k / scale, unit, b / scale, unit, k / b, "<= " target, k / b <= target ? "met" : "missed",
             l / scale, unit, l / b
    }
    { values[$1 " time"] = values[$1 " time"] " " $2; values[$1 " memory"] = values[$1 " memory"] " " $3 }
    END {
      row("first paint", "time", "ms", 1000, time_target)
      row("peak memory", "memory", "MiB", 1024, memory_target)
    }'
}

echo "$(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start."
echo
echo "Benchmarks, median of 9 repetitions; the verdict is on CPU time:"
{ run_benchmarks "$probes/kviltora_core_bench"; run_benchmarks "$probes/kviltora_window_bench"; } |
  sort | print_benchmark_table
# Fewer than one paint of each per click would mean the redraw went unmeasured.
jq -e '[.benchmarks[] | select(.run_name == "BM_WindowCalculate" and .aggregate_name == "median")
        | .output_paints, .digit_paints] | length > 0 and min >= 1' \
  "$results/kviltora_window_bench.json" >/dev/null ||
  { echo "BM_WindowCalculate did not paint the output box and the digit list on every click" >&2; exit 1; }
echo
echo "Start-up to the first complete paint, median of $runs shuffled rounds:"
printf '%-12s %-12s %12s %12s %6s %7s  %-7s %s\n' platform measure kviltora baseline ratio target \
  verdict "one-label window (ratio)"
measure_startup offscreen | tee "$results/startup-offscreen.txt" | print_startup_rows offscreen
start_xvfb
measure_startup xcb | tee "$results/startup-xcb.txt" | print_startup_rows "xcb (Xvfb)"
