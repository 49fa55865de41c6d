#!/usr/bin/env bash
# A map opened through xdg-open starts the editor on it, once the editor has registered the map
# file type for the user at its first start. Runs inside xvfb-run with a private home.
set -u
quelp=$1
map=$2
home=$(mktemp -d)
trap 'pkill -f "^$quelp" 2>/dev/null; rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export HOME="$home" XDG_RUNTIME_DIR="$home/runtime"
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CURRENT_DESKTOP

"$quelp" & pid=$!
for _ in $(seq 50); do
  [ -f "$HOME/.local/share/applications/quelp.desktop" ] && break
  sleep 0.2
done
kill "$pid"; wait "$pid" 2>/dev/null
[ "$(xdg-mime query filetype "$map")" = "application/x-quelp-map" ] || { echo "file type not registered"; exit 1; }

xdg-open "$map" >/dev/null 2>&1 &
for _ in $(seq 50); do
  if pgrep -f -- "^$quelp $map" >/dev/null; then echo "editor started on $map"; exit 0; fi
  sleep 0.2
done
echo "xdg-open did not start the editor on $map"
exit 1
