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

source "$(dirname "$0")/xvfb_session.sh"
start_xvfb 161
mkdir -p "$out"
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
