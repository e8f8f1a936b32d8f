#!/bin/sh
# Peak memory (maximum resident set) and time of tarnvel-route ground with a
# surface of 1,000 and of 1,000,000 points: the points file read, its
# duplicates looked for, triangulated, indexed, and its sections cut at 11
# stations. The points lie at random up to 100 m either side of a road that
# winds 300 m either side of a straight 10 km long, heights rolling over
# them. A TIN of a million points is to take at most 3 s and 300 MB. Each
# run RUNS times (3 unless given):
#   bench/tin_memory.sh BUILD_DIR [RUNS]
set -eu
build=$1
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
points() {  # a header and $1 points along the winding road
  awk -v n="$1" 'BEGIN { srand(20261209); printf "点名,X,Y,H\r\n";
    for (i = 0; i < n; i++) { s = rand() * 10000; m = (rand() * 2 - 1) * 100;
      d = 300 * sin(s / 800); slope = 300 / 800 * cos(s / 800); k = sqrt(1 + slope * slope);
      x = 3378000 + s - m * slope / k; y = 453000 + d + m / k;
      printf "P%d,%.4f,%.4f,%.3f\r\n", i, x, y, 100 + 3 * sin(s / 170) + 0.08 * m + 0.3 * sin(m) } }'
}
printf '0,10000,3378000,453000,0,0,0,0\r\n' > "$work/route.csv"
points 1000 > "$work/points-1k.csv"
points 1000000 > "$work/points-1M.csv"
peak() {  # the maximum resident set in kB, the elapsed time and the exit status of a command
  /usr/bin/time -v "$@" 2> "$work/time" > /dev/null || true
  awk -F': ' '/Maximum resident/ {kb=$2} /Elapsed/ {t=$2} /Exit status/ {e=$2}
    END {print kb " kB, " t ", exit " e}' "$work/time"
}
for file in points-1k points-1M; do
  bytes=$(wc -c < "$work/$file.csv")
  for run in $(seq "$runs"); do
    echo "$file ($bytes bytes) run $run: $(peak "$build/src/app/route_command/tarnvel-route" \
      ground "$work/route.csv" --tin "$work/$file.csv" --from 0 --to 10000 --step 1000)"
  done
done
