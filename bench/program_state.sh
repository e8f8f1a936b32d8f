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
. "$(dirname "$0")/curved_road.sh"
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
