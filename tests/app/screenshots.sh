#!/usr/bin/env bash
# Pictures of the main window and of the day-template dialog, taken from the
# real program on its own X server (Xvfb), for the documentation.
# Usage: screenshots.sh <enlazora> <NIVELLARI.DBF> <exchange document with
#        several day plans> <output folder>
set -euo pipefail
program=$1
levels=$2
document=$3
out=$4

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() {
  local seconds=$1; shift
  for _ in $(seq $((seconds * 10))); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}
search() { xdotool search --onlyvisible --name "$1" | head -n1; }

display=""
for n in $(seq 161 220); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || fail "no free display"
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for 10 test -e "/tmp/.X11-unix/X$display" || fail "Xvfb did not start"
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" ENLAZORA_TABLAS="$work/HTEMP"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$ENLAZORA_TABLAS" "$work/programa" "$out"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$program" "$work/programa/enlazora"
cp "$levels" "$work/programa/NIVELLARI.DBF"
cp "$document" "$work/centro.xml"

"$work/programa/enlazora" >"$work/run.log" 2>&1 &
pids+=($!)
title='Exportar e importar datos entre Horalix y Quirenda'
wait_for 15 search "^$title\$" || fail "no main window"
sleep 0.5
window=$(search "^$title\$")
import -window "$window" "$out/ventana-principal.png"

# BExportar's centre: panel Draw3D2 at 1,0, the button at 96,120, 89x25.
xdotool mousemove --window "$window" 141 132 click 1
wait_for 15 search '^Archivo XML$' || fail "no file dialog"
dialog=$(search '^Archivo XML$')
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool type --delay 2 "$work/centro.xml"
xdotool key Return
wait_for 30 search '^Plantillas Horarias$' || fail "no day-template dialog"
sleep 0.5
plans=$(search '^Plantillas Horarias$')
import -window "$plans" "$out/plantillas-horarias.png"
xdotool windowfocus --sync "$plans" key Return
wait_for 30 search '^Enlazora$' || fail "no closing message"
echo "pictures in $out"
