#!/bin/sh
# The route window's million-row stakeout (BM_StakeoutMillionRowsMemory):
# bytes a row held once shown, at the peak of the first 计算 and at the
# peak of a second, today's route_window_bench and a previous build's in
# turn, each in a process of its own, RUNS times (5 unless given), then the
# median and the least and most of each figure:
#   bench/route_window_memory.sh BUILD_DIR PREVIOUS_ROUTE_WINDOW_BENCH [RUNS]
# The previous bench is one built at an earlier commit that has this
# benchmark, in a copy of the tree of its own.
set -eu
build=$1
previous=$2
runs=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for run in $(seq "$runs"); do
  for which in previous today; do
    if [ "$which" = today ]; then bench="$build/bench/route_window_bench"; else bench=$previous; fi
    QT_QPA_PLATFORM=offscreen "$bench" --benchmark_filter=BM_StakeoutMillionRowsMemory \
      --benchmark_format=csv 2>/dev/null | grep '^"BM_' >"$work/line"
    # name,iterations,real_time,cpu_time,time_unit,…,before MB,held,peak,rows,second peak
    awk -F, -v which="$which" -v run="$run" '{
      printf "%-8s run %d: %.0f ms, held %.1f, peak %.1f, second peak %.1f B/row\n",
        which, run, $3, $(NF-3), $(NF-2), $NF
      print which, $3, $(NF-3), $(NF-2), $NF >> "'"$work/all"'"
    }' "$work/line"
  done
done
for which in previous today; do
  for column in 2 3 4 5; do
    awk -v which="$which" -v c="$column" '$1 == which { print $c }' "$work/all" | sort -g |
      awk -v which="$which" -v c="$column" '
        { v[NR] = $1 }
        END {
          split("ms held peak second-peak", name, " ")
          m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "%-8s %-11s median %.1f, %.1f to %.1f\n", which, name[c - 1], m, v[1], v[NR]
        }'
  done
done
