#!/bin/sh
# tarnvel-route as users run it, today's beside a previous build of it, in
# interleaved runs: forward of 1,000,001 rows and inverse of 100,000 points
# on a road of a straight, spirals and an arc, each run RUNS times (5 unless
# given), with the CPU time of each run and a check that both programs
# wrote the same bytes:
#   bench/program_state.sh BUILD_DIR PREVIOUS_TARNVEL_ROUTE [RUNS]
set -eu
today=$1/src/app/route_command/tarnvel-route
previous=$2
runs=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Straight, spiral in, arc of 800, spiral out, chained by forward itself.
printf '%s\r\n%s\r\n' \
  '起点桩号K,止点桩号K,起点坐标X,起点坐标Y,起点方位角F,起点半径RQ,止点半径RN,曲线转向Q' \
  '1000,1400,3378605.445,453648.704,45.3,0,0,0' > "$work/route.csv"
end() {  # X, Y and azimuth d.mmss of the route's end, from its last row
  "$today" forward "$work/route.csv" --from "$1" --to "$1" --step 1 2>/dev/null | tail -n 1 |
    awk -F, '{ split($8, a, /°|ˊ|″/); printf "%s,%s,%.10f", $6, $7, a[1] + a[2] / 100 + a[3] / 10000 }'
}
add() {
  printf '%s,%s,%s,%s,%s,%s\r\n' "$1" "$2" "$(end "$1")" "$3" "$4" "$5" >> "$work/route.csv"
}
add 1400 1550 0 800 1
add 1550 2100 800 800 1
add 2100 2250 800 0 1
# Points up to 50 m either side, from forward's own rows, none at the route's
# start (a point a hair before it has a foot there only since the position
# tolerance reached the inverse).
"$today" forward "$work/route.csv" --from 1000.005 --to 2250 --step 0.0125 --offset 37.5 --offset -12.25 \
  --names serial 2>/dev/null | awk -F, 'NR > 1 && NR <= 100001 {print "P" NR "," $6 "," $7}' \
  > "$work/points.csv"
cpu() {  # the user and system CPU seconds of a command
  /usr/bin/time -f '%U %S' "$@" 2> "$work/time" > /dev/null
  awk '{printf "%.2f s", $1 + $2}' "$work/time"
}
for run in $(seq "$runs"); do
  for which in previous today; do
    program=$today
    [ "$which" = previous ] && program=$previous
    echo "run $run $which forward: $(cpu "$program" forward "$work/route.csv" --from 1000 --to 2250 \
      --step 0.00125 -o "$work/$which-forward.csv")"
    echo "run $run $which inverse: $(cpu "$program" inverse "$work/route.csv" "$work/points.csv" \
      -o "$work/$which-inverse.csv")"
  done
done
cmp "$work/previous-forward.csv" "$work/today-forward.csv" && echo "forward: the same bytes"
cmp "$work/previous-inverse.csv" "$work/today-inverse.csv" && echo "inverse: the same bytes"
