#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs them at once over the
# corpus kept in fuzz/corpus/, for FUZZ_SECONDI seconds each (default 60).
# fuzz_controllo and fuzz_decompila take the description texts of fuzz_driver,
# and its corpus; fuzz_compilati takes compiled files (fuzz/corpus/compilati).
# A finding fails the run; its input is left in build-fuzz/artefatti/.
#
# With FUZZ_UNISCI=1 the inputs of this run that reach code the kept corpus
# does not reach are then added to fuzz/corpus/ (edges only, so that the
# corpus stays small).
set -euo pipefail
cd "$(dirname "$0")/.."
# clang and its sanitizer and libFuzzer runtimes as well, only when missing.
bash scripts/setup.sh clang libclang-rt-dev

# The libraries get coverage and sanitizers too; the targets add libFuzzer's main.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCOMPATTATORE_TESTS=OFF -DCOMPATTATORE_BENCH=OFF -DCOMPATTATORE_FUZZ=ON -DCOMPATTATORE_WERROR=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake --build build-fuzz -j2 --target fuzz_driver fuzz_controllo fuzz_compilati fuzz_decompila fuzz_campi fuzz_note fuzz_lsp

secondi=${FUZZ_SECONDI:-60}
artefatti=build-fuzz/artefatti
mkdir -p "$artefatti"
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

bersagli=(driver controllo compilati decompila campi note lsp)
declare -A corpus=([driver]=driver [controllo]=driver [compilati]=compilati [decompila]=driver [campi]=campi
  [note]=note [lsp]=lsp)
declare -A processi
for b in "${bersagli[@]}"; do
  mkdir -p "$lavoro/$b"
  ./build-fuzz/fuzz/fuzz_"$b" -max_total_time="$secondi" -timeout=60 -rss_limit_mb=4096 \
    -dict=fuzz/parole.dict -artifact_prefix="$artefatti/$b-" -print_final_stats=1 \
    "$lavoro/$b" "fuzz/corpus/${corpus[$b]}" >"$lavoro/$b.log" 2>&1 &
  processi[$b]=$!
done

riusciti=0
falliti=0
for b in "${bersagli[@]}"; do
  if wait "${processi[$b]}"; then
    riusciti=$((riusciti + 1))
    esecuzioni=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$lavoro/$b.log" | grep -o '[0-9]*$' || true)
    echo "fuzz_$b: ${esecuzioni:-?} esecuzioni in ${secondi} s, nessun problema"
  else
    falliti=$((falliti + 1))
    echo "fuzz_$b: PROBLEMA TROVATO; ultime righe del registro:"
    tail -n 60 "$lavoro/$b.log"
    ls -l "$artefatti" || true
  fi
  if [ "${FUZZ_UNISCI:-0}" = 1 ]; then
    ./build-fuzz/fuzz/fuzz_"$b" -merge=1 -use_counters=0 -max_len=4096 -timeout=60 -rss_limit_mb=4096 \
      "fuzz/corpus/${corpus[$b]}" "$lavoro/$b" >"$lavoro/$b-unione.log" 2>&1
    echo "fuzz_$b: corpus di $(ls "fuzz/corpus/${corpus[$b]}" | wc -l) file"
  fi
done

echo "fuzz: $riusciti passed, $falliti failed"
[ "$falliti" -eq 0 ]
