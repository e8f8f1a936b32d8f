#!/bin/sh
# Peak memory (maximum resident set) of tarnvel-route forward -o with 1,000
# and with 1,000,001 rows, today's streamed program, its rows named by
# station (the default) and 1…n, beside the previous whole-text path (named
# 1…n, written without the byte-order mark), each run RUNS times (3 unless
# given):
#   bench/forward_output_memory.sh BUILD_DIR [RUNS]
set -eu
build=$1
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%s\r\n%s\r\n' \
  '起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q' \
  '1000,1200,3378605.445,453648.704,45.3,0,500,1' > "$work/route.csv"
peak() {  # the maximum resident set in kB and the elapsed time of a command
  /usr/bin/time -v "$@" 2> "$work/time" > /dev/null
  awk -F': ' '/Maximum resident/ {kb=$2} /Elapsed/ {t=$2} END {print kb " kB, " t}' "$work/time"
}
for step in 0.2 0.0002; do
  for run in $(seq "$runs"); do
    echo "step $step run $run today:    $(peak "$build/src/app/route_command/tarnvel-route" forward \
      "$work/route.csv" --from 1000 --to 1200 --step $step -o "$work/named.csv")"
    echo "step $step run $run serial:   $(peak "$build/src/app/route_command/tarnvel-route" forward \
      "$work/route.csv" --from 1000 --to 1200 --step $step --names serial -o "$work/out.csv")"
    echo "step $step run $run previous: $(peak "$build/bench/previous_forward_output" \
      "$work/route.csv" 1000 1200 $step "$work/previous.csv")"
  done
  tail -c +4 "$work/out.csv" | cmp - "$work/previous.csv" && echo "step $step: the same bytes"
done
