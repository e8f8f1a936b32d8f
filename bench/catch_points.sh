#!/bin/sh
# What the catch points cost as users run them: tarnvel-route forward with
# --edges on 5,000 stations, and the same with --ground (50 points a
# station, a line at every station) and --slopes, reading included, in
# interleaved runs. Each run prints the CPU seconds of both and what the
# catch points added:
#   bench/catch_points.sh BUILD_DIR [RUNS]
set -eu
today=$1/src/app/route_command/tarnvel-route
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/curved_road.sh"
printf '%s\r\n%s\r\n%s\r\n%s\r\n' '变坡点号,桩号,高程,竖曲线半径R' 'BP,K1+000,421.18' \
  'SJD1,K1+630,427.68,20000' 'EP,K2+250,420.88' > "$work/profile.csv"
printf '%s\r\n%s\r\n' \
  '桩号,左行车道宽,左行车道坡,左土路肩宽,左土路肩坡,右行车道宽,右行车道坡,右土路肩宽,右土路肩坡' \
  'K1+000,3.75,-2,0.75,-4,3.75,-2,0.75,-4' > "$work/sections.csv"
printf '%s\r\n' \
  '桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1,坡高1,平台1,坡率2,坡高2,平台2,坡率3' \
  'K1+000,左,填,,,,,1.5,8,2,1.75' 'K1+000,左,挖,0.6,0.6,1,1,1,10,2,1.25' \
  'K1+000,右,填,,,,,1.5' 'K1+000,右,挖,0.6,0.6,1,1,0.75' > "$work/slopes.csv"
# Ground that wanders 4 m above and below the profile's straight line and
# leans across the road, so that both sides see fills and cuts.
awk 'BEGIN {
  for (i = 0; i < 5000; i++) {
    s = 1000 + i * 0.25
    centre = 421.18 + (s - 1000) * 0.004 + 4 * sin(s / 40)
    lean = 0.08 * sin(s / 130)
    printf "BEGIN,%.2f\n", s
    for (k = 0; k < 50; k++) {
      o = -60 + 120 * k / 49
      printf "%.3f,%.3f\n", o, centre + lean * o + 0.3 * sin(o)
    }
  }
}' > "$work/ground.csv"
cpu() {  # the user and system CPU seconds of a command
  /usr/bin/time -f '%U %S' "$@" 2> "$work/time" > /dev/null
  awk '{printf "%.2f", $1 + $2}' "$work/time"
}
set -- forward "$work/route.csv" --from 1000 --to 2249.75 --step 0.25 \
  --profile "$work/profile.csv" --sections "$work/sections.csv" --edges
for run in $(seq "$runs"); do
  edges=$(cpu "$today" "$@" -o "$work/edges.csv")
  catch=$(cpu "$today" "$@" --ground "$work/ground.csv" --slopes "$work/slopes.csv" -o "$work/catch.csv")
  echo "run $run: edges $edges s, with catch points $catch s, added" \
    "$(awk -v a="$edges" -v b="$catch" 'BEGIN {printf "%.2f", b - a}') s"
done
echo "stations: $(grep -c '^BEGIN' "$work/ground.csv"), rows: $(($(wc -l < "$work/edges.csv") - 1))" \
  "without and $(($(wc -l < "$work/catch.csv") - 1)) with the catch points" \
  "($(grep -c ',坡[脚口]' "$work/catch.csv") of them)"
