#!/bin/sh
# Peak memory (maximum resident set) and CPU time (user and system) of
# tarnvel-route inverse and forward --stations over files of 1,000 and of
# 1,000,000 lines: today's program, which reads, computes and writes a line
# at a time, beside previous_tarnvel_route, which read the whole file before
# its first row and held a stations file's names in a set of strings. Runs
# RUNS times (5 unless given), the two programs interleaved and taking turns
# to go first; prints each run's figures, then the median and range of each,
# and checks that both programs wrote the same bytes:
#   bench/input_stream_memory.sh BUILD_DIR [RUNS]
set -eu
today=$1/src/app/route_command/tarnvel-route
previous=$1/bench/previous_tarnvel_route
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%s\r\n%s\r\n' \
  '起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q' \
  '1000,1200,3378605.445,453648.704,45.3,0,500,1' > "$work/route.csv"
stations() {  # a header and $1 stations along 1000-1200, with offsets
  awk -v n="$1" 'BEGIN { printf "点名,里程,偏距,偏角\r\n";
    for (i = 0; i < n; i++) printf "P%d,K1+%07.3f,%.3f,\r\n", i, (i % 1000) * 0.2, i % 7 - 3 }'
}
points() {  # a header and $1 points near the route's start
  awk -v n="$1" 'BEGIN { printf "点名,X,Y,H\r\n";
    for (i = 0; i < n; i++) { t = (i % 10000) / 10000 * 140;
      printf "Q%d,%.4f,%.4f,12.500\r\n", i, 3378605.445 + t * 0.7 + i % 5, 453648.704 + t * 0.7 - i % 3 } }'
}
sizes="1000 1000000"
for n in $sizes; do
  stations "$n" > "$work/stations-$n.csv"
  points "$n" > "$work/points-$n.csv"
done
arguments() {  # the command line of command $1 over $2 lines, without the program
  case $1 in
    inverse) echo "inverse $work/route.csv $work/points-$2.csv" ;;
    forward) echo "forward $work/route.csv --stations $work/stations-$2.csv" ;;
  esac
}
echo "PROGRAM is today's $today or the previous $previous:"
for n in $sizes; do
  for command in inverse forward; do echo "  PROGRAM $(arguments $command "$n") -o OUT"; done
done
measure() {  # the peak memory in kB and the CPU seconds of a command
  /usr/bin/time -f '%M %U %S' "$@" 2> "$work/time" > /dev/null
  tail -n 1 "$work/time" | awk '{printf "%d %.2f", $1, $2 + $3}'
}
: > "$work/results"
for run in $(seq "$runs"); do
  order="previous today"
  [ $((run % 2)) = 0 ] && order="today previous"
  for n in $sizes; do
    for command in inverse forward; do
      for which in $order; do
        program=$today
        [ "$which" = previous ] && program=$previous
        result=$(measure "$program" $(arguments $command "$n") -o "$work/$which.csv")
        echo "run $run $command $n lines $which: ${result% *} kB, ${result#* } s"
        echo "$command $n $which $result" >> "$work/results"
      done
      cmp -s "$work/previous.csv" "$work/today.csv" ||
        echo "run $run $command $n lines: the two programs wrote different bytes"
    done
  done
done
summary() {  # the median (the mean of the middle two of an even count) and range of column $1
  sort -n | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
    printf "%s (%s–%s)", m, v[1], v[NR] }'
}
echo "median (range) of $runs runs:"
for n in $sizes; do
  for command in inverse forward; do
    for which in previous today; do
      kb=$(awk -v c=$command -v n="$n" -v w=$which '$1 == c && $2 == n && $3 == w { print $4 }' \
        "$work/results" | summary)
      cpu=$(awk -v c=$command -v n="$n" -v w=$which '$1 == c && $2 == n && $3 == w { print $5 }' \
        "$work/results" | summary)
      echo "$command $n lines $which: $kb kB, $cpu s"
    done
  done
done
