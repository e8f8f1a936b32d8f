#!/bin/sh
# Peak memory (maximum resident set) and time of reading a stations file and
# a points file of about 14 MB and of about 100 MB, and a file of one 100 MB
# line, today's readers beside the previous whole-text ones; then
# tarnvel-route from-jd with a table of 1,000,000 points beside the previous
# from-jd, which held the whole route. Each run RUNS times
# (3 unless given):
#   bench/reader_memory.sh BUILD_DIR [RUNS]
set -eu
build=$1
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stations() {  # a header and $1 stations along 1000-1200, with offsets
  awk -v n="$1" 'BEGIN { printf "点名,里程,偏距,偏角\r\n";
    for (i = 0; i < n; i++) printf "P%d,K1+%07.3f,%.3f,\r\n", i, (i % 1000) * 0.2, i % 7 - 3 }'
}
points() {  # a header and $1 points near the route's start
  awk -v n="$1" 'BEGIN { printf "点名,X,Y,H\r\n";
    for (i = 0; i < n; i++) { t = (i % 10000) / 10000 * 140;
      printf "Q%d,%.4f,%.4f,12.500\r\n", i, 3378605.445 + t * 0.7 + i % 5, 453648.704 + t * 0.7 - i % 3 } }'
}
jd() {  # $1 points, 400 m legs turning 17 degrees left and right, R 500, spirals of 40
  awk -v n="$1" 'BEGIN { printf "交点号,交点坐标X,交点坐标Y,半径R,缓和曲线长Ls1,缓和曲线长Ls2\r\n";
    x = 3378605.445; y = 453648.704; a = 0.3;
    for (i = 0; i < n; i++) {
      if (i == 0 || i == n - 1) printf "%s,%.4f,%.4f,,,\r\n", (i == 0 ? "BP" : "EP"), x, y;
      else printf "JD%d,%.4f,%.4f,500,40,40\r\n", i, x, y;
      a += (i % 2 == 0 ? 0.3 : -0.3); x += 400 * cos(a); y += 400 * sin(a) } }'
}
stations 520000 > "$work/stations-14MB.csv"
stations 3700000 > "$work/stations-100MB.csv"
points 330000 > "$work/points-14MB.csv"
points 2400000 > "$work/points-100MB.csv"
{ printf 'P1,1000,0,'; head -c 100000000 /dev/zero | tr '\0' x; printf '\r\n'; } > "$work/one-line-100MB.csv"
jd 1000000 > "$work/jd-1M.csv"
peak() {  # the maximum resident set in kB, the elapsed time and the exit status of a command
  /usr/bin/time -v "$@" 2> "$work/time" > /dev/null || true
  awk -F': ' '/Maximum resident/ {kb=$2} /Elapsed/ {t=$2} /Exit status/ {e=$2}
    END {print kb " kB, " t ", exit " e}' "$work/time"
}
for file in stations-14MB stations-100MB points-14MB points-100MB one-line-100MB; do
  kind=${file%%-*}
  [ "$kind" = one ] && kind=stations
  bytes=$(wc -c < "$work/$file.csv")
  for run in $(seq "$runs"); do
    for way in today previous; do
      echo "$file ($bytes bytes) run $run $way: $(peak "$build/bench/reader_memory" $kind $way "$work/$file.csv")"
    done
  done
done
bytes=$(wc -c < "$work/jd-1M.csv")
for run in $(seq "$runs"); do
  echo "from-jd 1,000,000 points ($bytes bytes) run $run today: $(peak \
    "$build/src/app/route_command/tarnvel-route" from-jd "$work/jd-1M.csv" -o "$work/route.csv")"
  echo "from-jd 1,000,000 points ($bytes bytes) run $run previous: $(peak \
    "$build/bench/reader_memory" from-jd previous "$work/jd-1M.csv" "$work/route.csv")"
done
