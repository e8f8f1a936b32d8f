#!/bin/sh
# The cost of a row of tarnvel-route forward with --edges against a plain
# row, as users run it, today's beside a previous build of it, in
# interleaved runs. Both tables carry the cross sections' 设计高程 and have
# the same number of rows: the plain one a centre row every millimetre, the
# one with edges a centre row and its four 边桩 every 5 mm. Each run prints the
# CPU seconds of both and their ratio; last, a check that both programs
# wrote the same bytes:
#   bench/edges_per_row.sh BUILD_DIR PREVIOUS_TARNVEL_ROUTE [RUNS]
set -eu
today=$1/src/app/route_command/tarnvel-route
previous=$2
runs=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/curved_road.sh"
printf '%s\r\n%s\r\n%s\r\n%s\r\n' '变坡点号,桩号,高程,竖曲线半径R' 'BP,K1+000,421.18' \
  'SJD1,K1+630,427.68,20000' 'EP,K2+250,420.88' > "$work/profile.csv"
printf '%s\r\n%s\r\n%s\r\n' \
  '桩号,左行车道宽,左行车道坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,右土路肩宽,右土路肩坡' \
  'K1+000,3.75,-2,0.75,-4,3.75,-2,0.75,-4' 'K2+250,4.55,-4,0.75,-4,3.75,4,0.75,4' \
  > "$work/sections.csv"
cpu() {  # the user and system CPU seconds of a command
  /usr/bin/time -f '%U %S' "$@" 2> "$work/time" > /dev/null
  awk '{printf "%.2f", $1 + $2}' "$work/time"
}
for run in $(seq "$runs"); do
  for which in previous today; do
    program=$today
    [ "$which" = previous ] && program=$previous
    plain=$(cpu "$program" forward "$work/route.csv" --from 1000 --to 2250 --step 0.001 \
      --profile "$work/profile.csv" --sections "$work/sections.csv" -o "$work/$which-plain.csv")
    edges=$(cpu "$program" forward "$work/route.csv" --from 1000 --to 2250 --step 0.005 \
      --profile "$work/profile.csv" --sections "$work/sections.csv" --edges \
      -o "$work/$which-edges.csv")
    echo "run $run $which: plain $plain s, edges $edges s, a row with edges costs" \
      "$(awk -v p="$plain" -v e="$edges" 'BEGIN {printf "%.2f", e / p}')× a plain row"
  done
done
wc -l < "$work/today-plain.csv" | awk '{print "plain rows: " $1 - 1}'
wc -l < "$work/today-edges.csv" | awk '{print "rows with edges: " $1 - 1}'
cmp "$work/previous-plain.csv" "$work/today-plain.csv" && echo "plain: the same bytes"
cmp "$work/previous-edges.csv" "$work/today-edges.csv" && echo "edges: the same bytes"
