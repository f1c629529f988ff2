#!/usr/bin/env bash
# Writes the seed corpus of the two fuzz targets: the built-in descriptions,
# a reduced copy of them with a few rows per section, and small variants that
# reach each of the reader's codes.  The kept corpus in fuzz/corpus/ started
# from these seeds; run this only to rebuild it from scratch.
#
#   bash fuzz/semi.sh PROGRAM OUTPUT_DIR
# PROGRAM is a built compattatore (it writes the built-in descriptions).
set -euo pipefail
programma=$1
uscita=$2
mkdir -p "$uscita/driver" "$uscita/campi"

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
"$programma" sources "$lavoro"
linea=$(cat "$lavoro/Brunovale_linea.txt")
treno=$(cat "$lavoro/Brunovale_Quarzo-.txt")
separatore=$'\n%%treno%%\n'

# A short copy of a description: the whole general section, then in every
# other section the first N rows that stand before metre MAX.  The fuzzer
# runs far faster on a short grid.
riduci() {
  awk -v n="$1" -v massimo="$2" -F, '
    /^\[/ { conta = 0; generale = /generale/; print; next }
    generale { print; next }
    $2 + 0 <= massimo && conta < n { conta++; print }'
}
ridotta_linea=$(printf '%s' "$linea" | riduci 3 19000 | sed 's/334000/20000/')
ridotto_treno=$(printf '%s' "$treno" | riduci 3 19000 |
  sed 's/^\[segnali\]/rallentamento,  12150,    80,  800, 0,  1,  80\r\n[segnali]/')

# seme NAME FLAG LINE [TRAIN]: a driver input; without TRAIN there is no train file.
seme() {
  local file="$uscita/driver/$1"
  if [ $# -ge 4 ]; then
    printf '%s%s%s%s' "$2" "$3" "$separatore" "$4" >"$file"
  else
    printf '%s%s' "$2" "$3" >"$file"
  fi
}
# Replaces the first line that matches a pattern (sed syntax) in a text.
cambia() { printf '%s' "$1" | sed "0,/$2/s//$3/"; }

seme builtin_piano 1 "$linea" "$treno"
seme builtin_senza_piano 0 "$linea" "$treno"
seme ridotto_piano 1 "$ridotta_linea" "$ridotto_treno"
seme ridotto_senza_piano 0 "$ridotta_linea" "$ridotto_treno"
seme senza_generale 1 "$(cambia "$ridotta_linea" '\[generale\]' '[generico]')" "$ridotto_treno"
seme lunghezza_oltre 1 "$(cambia "$ridotta_linea" '334000' '1000001')" "$ridotto_treno"
seme lunghezza_negativa 1 "$(cambia "$ridotta_linea" '334000' '-6990')" "$ridotto_treno"
seme ripetizione_senza_cifra 1 "$(cambia "$ridotta_linea" 'segnali 9 codici' 'segnali codici')" "$ridotto_treno"
seme curva_senza_cifra 1 "$(cambia "$ridotta_linea" 'curvas1' 'curvas')" "$ridotto_treno"
seme progressiva_fuori_passo 0 "$(cambia "$ridotta_linea" '31100' '31075')" "$ridotto_treno"
seme treno_mancante 0 "$ridotta_linea"
seme treno_vuoto 0 "$ridotta_linea" ""
seme solo_lf 0 "$(printf '%s' "$ridotta_linea" | tr -d '\r')" "$(printf '%s' "$ridotto_treno" | tr -d '\r')"
seme commenti 1 "$(cambia "$ridotta_linea" '\[curve\]' '-------,--\r\n[curve]\r\n---')" \
  "$(cambia "$ridotto_treno" '\[segnali\]' '[segnali]\r\n-- , ---')"
seme virgolette 0 "$(cambia "$ridotta_linea" '(Zona)(Cod )' '"(Zona), (Cod )"')" \
  "$(cambia "$ridotto_treno" 'Selvarossa' '"Selva, rossa"')"
seme segnale_doppio 0 "$ridotta_linea" "$(cambia "$ridotto_treno" '5650' '1050')"
seme stazione_fuori_passo 0 "$ridotta_linea" "$(cambia "$ridotto_treno" 'stazione,       0' 'stazione,      25')"
seme velocita_limite 0 "$ridotta_linea" "$(cambia "$ridotto_treno" '   30$' '   1280')"
seme rallentamento_corto 0 "$ridotta_linea" "$(cambia "$ridotto_treno" '800, 0' '  10, 0')"

# Field reader: byte 0 gives the script length (its value modulo 16), the
# script's bytes modulo 4 pick string, 32-bit, 16-bit or unsigned 8-bit.
campo() { printf '%s' "$2" >"$uscita/campi/$1"; }
campo righe_linea "0$(printf '%s' "$linea" | head -n 60)"
campo righe_treno "0$(printf '%s' "$treno" | head -n 100 | tail -n 20)"
campo pendenza $'40110pendenza,  1250,   -4,5\r\npendenza,  1300,   2\r\n'
campo orologio $'40111orologio,    16              20            30 \r\n[fine]\r\n'
campo virgolette $'201"a, b " ,c\r\nx,"aperte\r\n'
campo limiti $'531122255,2147483647,-2147483648,32767,-32768\r\n'
campo oltre $'1199999999999999999999999,4294967296,-2147483649\r\n'
campo fine_riga $'201a\rb,12\n13\r\n,\r\n  ,7'
campo vuoti $'3111, ,\t,\r\n'
campo segni $'211+,-,+-1,--2,1-\r\n'
