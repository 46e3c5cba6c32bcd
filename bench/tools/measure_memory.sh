#!/bin/sh
# Peak resident memory of the command-line program on a synthetic school,
# against the size of what it reads: the exchange document for hacia-horalix;
# the table folder and the chosen document for hacia-quirenda (once with the
# small document of the outbound benchmark, once with the whole school's).
#
# Usage: measure_memory.sh ENLAZORA-CLI GENERATE-SCHOOL [ESCALA]   (64 by default)
set -eu
cli=$(realpath "$1")
generate=$(realpath "$2")
scale=${3:-64}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT INT TERM
"$generate" "$folder" "$scale" > /dev/null

bytes() { du -cb "$@" | tail -n 1 | cut -f 1; }

# Runs the program under /usr/bin/time and prints the peak and its ratio to
# the input's bytes.
measure() {
  label=$1
  input=$2
  shift 2
  if ! /usr/bin/time -f %M -o "$folder/pico" "$cli" "$@" > "$folder/salida" 2>&1; then
    cat "$folder/salida" >&2
    exit 1
  fi
  peak=$(($(tail -n 1 "$folder/pico") * 1024))
  awk -v label="$label" -v input="$input" -v peak="$peak" 'BEGIN {
    printf "%-37s entrada %11d bytes  pico %11d bytes  proporción %5.2f\n", label, input, peak, peak / input }'
}

cd "$folder"
echo "Escala $scale"
measure "hacia-horalix (escuela.xml)" "$(bytes escuela.xml)" \
  hacia-horalix escuela.xml --tablas tablas-horalix --niveles NIVELLARI.DBF
measure "hacia-quirenda (tablas, centro.xml)" "$(bytes tablas-solucion/* centro.xml)" \
  hacia-quirenda centro.xml --tablas tablas-solucion
measure "hacia-quirenda (tablas, escuela.xml)" "$(bytes tablas-solucion/* escuela.xml)" \
  hacia-quirenda escuela.xml --tablas tablas-solucion
