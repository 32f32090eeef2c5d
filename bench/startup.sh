#!/usr/bin/env bash
# Times the way from starting the program to the title's first frame, and what it is made of:
# builds the benchmarks like bench/run.sh, starts one private 1920x1080 Xvfb, runs
# `tumbleleaf_bench --startup` in a fresh process TUMBLELEAF_STARTUP_RUNS times (default 9) and
# prints each step's median and range in milliseconds. "process_start_to_main" is from just
# before the program is started to main(): loading it and its libraries. Each run is followed by
# one of `--startup-floor`, a bare window with one picture ("bare_..."): what any program using
# the same graphics pays before its first frame, taken under the same machine load.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(bench/build.sh)"

exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1920x1080x24 -nolisten tcp -noreset > /dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
read -r -t 30 display <&"$displayfd"
export DISPLAY=":$display" ALSOFT_DRIVERS=null

runs="${TUMBLELEAF_STARTUP_RUNS:-9}"
results="$(mktemp)"
for _ in $(seq "$runs"); do
    started=$(date +%s%N)
    "$build/bench/tumbleleaf_bench" --startup |
        awk -v started="$started" '
            $1 == "main_entered_at_unix_ns" { print "process_start_to_main", ($2 - started) / 1e6; next }
            { print }' >> "$results"
    "$build/bench/tumbleleaf_bench" --startup-floor >> "$results"
done
python3 - "$results" <<'PY'
import collections, statistics, sys
steps = collections.OrderedDict()
for line in open(sys.argv[1]):
    name, ms = line.split()
    steps.setdefault(name, []).append(float(ms))
print(f"{'step':40} {'median ms':>10} {'min':>8} {'max':>8}  ({len(next(iter(steps.values())))} runs each)")
for name, values in steps.items():
    print(f"{name:40} {statistics.median(values):10.1f} {min(values):8.1f} {max(values):8.1f}")
PY
rm -f "$results"
