# The road the program timings run on, written to "$work/route.csv" by
# "$today": a straight, a spiral in, an arc of 800 and a spiral out, from
# K1+000 to K2+250, each element starting where forward puts the end of the
# one before. Sourced by the timing scripts.
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
