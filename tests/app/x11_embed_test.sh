#!/usr/bin/env bash
# The program hosted in another program's window on a real X server: started
# with an action word and the host window's handle, it lives inside that
# window; the real file dialog is cancelled, "No existe archivo" acknowledged,
# and Horalix.ini then holds -1. A second start with a word that runs nothing
# is displayed inside the host and closed with its own button: 0.
# Usage: x11_embed_test.sh <enlazora> <x11 host program>
set -euo pipefail
program=$1
host_program=$2

source "$(dirname "$0")/xvfb_session.sh"
start_xvfb 91

# The program's own folder, where Horalix.ini is written.
cp "$program" "$work/programa/enlazora"
ini="$work/programa/Horalix.ini"

"$host_program" >"$work/host.out" 2>"$work/host.err" &
pids+=($!)
wait_for 10 test -s "$work/host.out" || fail "the host window did not start"
host_hex=$(head -n1 "$work/host.out")
host_id=$((16#$host_hex))
echo "host window $host_hex"

title='Exportar e importar datos entre Horalix y Quirenda'
child_of_host() { xwininfo -children -id "$host_id" | grep -F "\"$title\"" | awk '{print $1}' | head -n1; }

# 1. exportar: the run starts before the window is displayed; its file dialog
# is cancelled.
"$work/programa/enlazora" exportar "$host_hex" >"$work/run1.log" 2>&1 &
run=$!
pids+=($run)
wait_for 15 search '^Archivo XML$' || fail "no file dialog"
child=$(child_of_host)
[ -n "$child" ] || { xwininfo -children -id "$host_id" >&2; fail "the window is not a child of the host window"; }
echo "embedded window $child inside $host_hex"
dialog=$(search '^Archivo XML$')
xdotool windowfocus --sync "$dialog" key Escape
wait_for 15 search '^Enlazora$' || fail "no message box after the cancelled dialog"
box=$(search '^Enlazora$')
xdotool windowfocus --sync "$box" key Return
wait_for 15 bash -c "! kill -0 $run" || fail "the window did not close after \"No existe archivo\""
[ -f "$ini" ] || fail "no Horalix.ini"
grep -q $'^Transformado=-1\r$' "$ini" || { cat -A "$ini" >&2; fail "Horalix.ini does not hold -1"; }
echo "run 1: Horalix.ini holds -1"

# 2. a word that runs nothing: the window is displayed inside the host,
# frameless, and its Salir button closes it.
"$work/programa/enlazora" ninguna "$host_hex" >"$work/run2.log" 2>&1 &
run=$!
pids+=($run)
viewable() {
  local id; id=$(child_of_host)
  [ -n "$id" ] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'
}
wait_for 15 viewable || fail "the hosted window was not displayed inside the host"
child=$(child_of_host)
info=$(xwininfo -id "$child")
echo "$info" | grep -q 'Relative upper-left X:  0' || fail "not at the host's corner: $info"
echo "$info" | grep -q 'Width: 632' || fail "not 632 wide: $info"
# The centre of Salir: panel Draw3D1 at 0,168, the button at 256,32, 89x25.
xdotool mousemove --window "$child" 300 212 click 1
wait_for 15 bash -c "! kill -0 $run" || fail "Salir did not close the hosted window"
grep -q $'^Transformado=0\r$' "$ini" || { cat -A "$ini" >&2; fail "Horalix.ini does not hold 0"; }
echo "run 2: displayed inside the host, closed by Salir, Horalix.ini holds 0"
if grep -E 'AddressSanitizer|runtime error:' "$work"/run*.log >&2; then fail "the program reported memory errors"; fi
echo "PASS"
