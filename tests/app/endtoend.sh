#!/usr/bin/env bash
# End-to-end: the real editor under a virtual X server, worked from outside the process with
# xdotool (a mouse click on the menu bar, keys in the menu and the map size dialog, Ctrl+S, the
# exit item), then the saved map file is checked.
# Usage: endtoend.sh QUELP_BINARY
set -euo pipefail
quelp=$1

if [ -z "${QUELP_E2E_INNER:-}" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/home" "$work/config" "$work/data"
  mkdir -m 700 "$work/runtime"
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
  export XDG_RUNTIME_DIR="$work/runtime" QUELP_E2E_INNER="$work"
  unset QT_QPA_PLATFORM
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$QUELP_E2E_INNER
map="$work/town.mpx"
fail() { echo "end-to-end: $*" >&2; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; exit 1; }

# A 20 x 15 map whose first layer holds chip n at cell n of the first row.
{
  printf '<property>\r\n\tChipSize = 16,16\r\n\tMapSize = 20,15\r\n</property>\r\n'
  printf '<map page=0>\r\n\tName = LY0\r\n\tChipPage = 0\r\n\tView = 1\r\n\t<data>\r\n'
  for row in $(seq 0 14); do
    line=""
    for col in $(seq 0 19); do
      if [ "$row" -eq 0 ]; then v=$col; else v=-1; fi
      line="$line${line:+,}$v"
    done
    printf '\t\t%s\r\n' "$line"
  done
  printf '\t</data>\r\n</map>\r\n'
} > "$map"

"$quelp" "$map" > "$work/quelp.log" 2>&1 &
pid=$!

wait_window() {  # wait_window NAME -> window id
  local id=""
  for _ in $(seq 1 150); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

main=$(wait_window "^town.mpx - Quelp$") || fail "the main window did not appear"
xdotool windowfocus --sync "$main"
sleep 0.5

# The mouse opens the file menu (the first item of the menu bar); the keys pick the second item,
# "マップサイズ変更".
xdotool mousemove --window "$main" 25 10 click 1
sleep 0.5
xdotool key Down Down Return
dialog=$(wait_window "マップサイズ設定") || fail "the map size dialog did not open"
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool key ctrl+a
xdotool type "30"
xdotool key Tab ctrl+a
xdotool type "25"
xdotool key Return
sleep 0.5

xdotool windowfocus --sync "$main"
xdotool key ctrl+s
sleep 1

grep -q "MapSize = 30,25" "$map" || fail "the saved map does not have the new size: $(head -c 300 "$map")"
grep -q $'\t\t0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1\r' \
  "$map" || fail "the cells of the first row were not kept"
rows=$(sed -n '/<data>/,/<\/data>/p' "$map" | grep -c $'^\t\t[-0-9]')
[ "$rows" -eq 25 ] || fail "expected 25 data rows, found $rows"

# Leave through the menu: Alt+F, then the exit item's mnemonic; no question for a saved map.
xdotool key alt+f
sleep 0.3
xdotool key x
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
  fail "the program did not end after the exit item"
fi
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(tail -n 20 "$work/quelp.log")"
# A map that cannot be read: the message, then the program ends with a failure status.
"$quelp" "$work/missing.mpx" > "$work/missing.log" 2>&1 &
pid=$!
box=$(wait_window "^Quelp$") || fail "no message for a map that cannot be read"
xdotool windowfocus --sync "$box"
sleep 0.3
xdotool key Return
status=0
wait "$pid" || status=$?
[ "$status" -eq 1 ] || fail "a map that cannot be read ended with status $status, not 1"
echo "end-to-end: ok"
