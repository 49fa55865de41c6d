#!/usr/bin/env bash
# End-to-end: the real editor on the example town under a virtual X server. The mouse chooses a
# chip in the palette and drags a rectangle on the map, Ctrl+S saves, and the saved cells are
# checked. A screenshot of the window is kept as an artefact (not compared).
# Usage: paint_endtoend.sh QUELP_BINARY XSHOT_BINARY EXAMPLE_FOLDER ARTEFACT_FOLDER
set -euo pipefail
quelp=$1 xshot=$2 example=$3 artefacts=$4

if [ -z "${QUELP_E2E_INNER:-}" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/home" "$work/config" "$work/data" "$work/map" "$artefacts"
  mkdir -m 700 "$work/runtime"
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
  export XDG_RUNTIME_DIR="$work/runtime" QUELP_E2E_INNER="$work"
  unset QT_QPA_PLATFORM
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$QUELP_E2E_INNER
cp "$example"/* "$work/map/"
map="$work/map/town.mpx"
fail() { echo "paint end-to-end: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

"$quelp" "$map" > "$work/quelp.log" 2>&1 &
pid=$!

main=""
for _ in $(seq 1 150); do
  main=$(xdotool search --onlyvisible --name "^town.mpx - Quelp$" 2>/dev/null | head -n1 || true)
  [ -n "$main" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended: $(cat "$work/quelp.log")"
  sleep 0.2
done
[ -n "$main" ] || fail "the main window did not appear"
xdotool windowsize --sync "$main" 1100 800 || true
xdotool windowfocus --sync "$main"
sleep 1

eval "$(xdotool getwindowgeometry --shell "$main")"   # X Y WIDTH HEIGHT
where=$("$xshot" "$work/before.png" "$X" "$Y" "$WIDTH" "$HEIGHT") \
  || fail "the map view and the palette were not found on screen"
read -r _ mx my <<< "$(grep '^map' <<< "$where")"
read -r _ px py <<< "$(grep '^palette' <<< "$where")"

# Chip 7 of the ground sheet (8 chips a row): column 7, row 0, chosen with the left button.
xdotool mousemove --sync $((px + 7 * 16 + 8)) $((py + 8)) click 1
sleep 0.3
# Drag from cell (10, 5) to cell (12, 6) on the first layer.
xdotool mousemove --sync $((mx + 10 * 16 + 8)) $((my + 5 * 16 + 8)) mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove --sync $((mx + 10 * 16 + 8 + step * 8)) $((my + 5 * 16 + 8 + step * 4))
  sleep 0.05
done
xdotool mousemove --sync $((mx + 12 * 16 + 8)) $((my + 6 * 16 + 8)) mouseup 1
sleep 0.5

"$xshot" "$artefacts/quelp-window.png" "$X" "$Y" "$WIDTH" "$HEIGHT" > /dev/null \
  || fail "no screenshot"

xdotool windowfocus --sync "$main"
xdotool key ctrl+s
sleep 1
kill "$pid" 2>/dev/null || true

# Cell (column, row) of the first layer in the saved file.
cell() {
  awk -v row="$2" -v col="$1" '
    /<data>/ { inside = 1; r = 0; next }
    inside && /<\/data>/ { exit }
    inside { if (r == row) { gsub(/[\t\r]/, ""); split($0, f, ","); print f[col + 1]; exit } r++ }
  ' "$map"
}
for row in 5 6; do
  for col in 10 11 12; do
    [ "$(cell $col $row)" = 7 ] || fail "cell ($col, $row) holds '$(cell $col $row)', not 7"
  done
done
[ "$(cell 9 5)" != 7 ] || fail "cell (9, 5) was painted too"
[ "$(cell 13 6)" != 7 ] || fail "cell (13, 6) was painted too"
[ "$(cell 10 7)" != 7 ] || fail "cell (10, 7) was painted too"
echo "paint end-to-end: ok; screenshot in $artefacts/quelp-window.png"
