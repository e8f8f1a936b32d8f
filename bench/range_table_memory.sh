#!/bin/sh
# Peak memory (maximum resident set) and time of tarnvel-route profile and
# sections -o over 3,000,001 stations a metre apart, today's program beside
# range_table_memory making the same rows today's way and the previous way
# (every station and every name held), each run RUNS times (3 unless given):
#   bench/range_table_memory.sh BUILD_DIR [RUNS]
set -eu
build=$1
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'BP,0,100\r\nV1,1500000,110,10000\r\nEP,3000000,100\r\n' > "$work/profile.csv"
printf '%s\r\n%s\r\n%s\r\n' '桩号,左行车道宽,左行车道坡,右行车道宽,右行车道坡' \
  '0,3.75,-2,3.75,-2' '3000000,3.75,-2,3.75,-2' > "$work/sections.csv"
peak() {  # the maximum resident set in kB and the elapsed time of a command
  /usr/bin/time -v "$@" 2> "$work/time" > /dev/null
  awk -F': ' '/Maximum resident/ {kb=$2} /Elapsed/ {t=$2} END {print kb " kB, " t}' "$work/time"
}
for kind in profile sections; do
  for run in $(seq "$runs"); do
    echo "$kind run $run command:  $(peak "$build/src/app/route_command/tarnvel-route" $kind \
      "$work/$kind.csv" --from 0 --to 3000000 --step 1 -o "$work/command.csv")"
    echo "$kind run $run today:    $(peak "$build/bench/range_table_memory" today $kind \
      "$work/$kind.csv" 0 3000000 1 "$work/today.csv")"
    echo "$kind run $run previous: $(peak "$build/bench/range_table_memory" previous $kind \
      "$work/$kind.csv" 0 3000000 1 "$work/previous.csv")"
  done
  cmp "$work/command.csv" "$work/today.csv" && cmp "$work/today.csv" "$work/previous.csv" &&
    echo "$kind: the same bytes"
done
