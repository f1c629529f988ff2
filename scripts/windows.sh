#!/usr/bin/env bash
# Builds the Windows package: installs what is missing, cross-compiles the
# program and its tests with MinGW-w64 into build-windows/, runs every test
# program under Wine (the outputs of the Windows program must equal a Linux
# run's byte for byte) and leaves build-windows/compattatore-windows.zip,
# holding compattatore.exe and LEGGIMI.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
inizio=$SECONDS
bash scripts/setup.sh --senza-consigliati g++-mingw-w64-x86-64-posix wine64 googletest nlohmann-json3-dev zip
echo "windows: pacchetti pronti in $((SECONDS - inizio)) s"

# The outputs of a Linux run of the same commands, for the comparison.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target compattatore test_app
uscite_linux="$PWD/build-windows/uscite-linux"
rm -rf "$uscite_linux"
COMPATTATORE_CONSERVA_USCITE="$uscite_linux" ./build/test_app --gtest_filter='UsciteDiRiferimento.*' >/dev/null

# The same optimisation as the Linux build, warnings as errors as in CI, and
# no debugging information, which nobody reads on Windows and which makes
# every static link slow.
cmake -S . -B build-windows -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCOMPATTATORE_BENCH=OFF \
  -DCOMPATTATORE_WERROR=ON
cmake --build build-windows -j2
echo "windows: compilato in $((SECONDS - inizio)) s"

# A Wine prefix of the build's own, made once and quietly; the same
# variables as the tests get from CTest.
export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
  echo "windows: prefisso di Wine creato in $((SECONDS - inizio)) s"
fi
ctest --test-dir build-windows --output-on-failure -j2

# The package: the program without its symbols, and the notes for Windows
# users, kept as they are shipped (Windows-1252, CR LF line ends).
pacco="$PWD/build-windows/pacco"
rm -rf "$pacco" build-windows/compattatore-windows.zip
mkdir -p "$pacco"
x86_64-w64-mingw32-strip -o "$pacco/compattatore.exe" build-windows/compattatore.exe
cp packaging/windows/LEGGIMI.txt "$pacco/LEGGIMI.txt"
(cd "$pacco" && zip -q -X ../compattatore-windows.zip compattatore.exe LEGGIMI.txt)

# What is shipped is checked too: the packed program, in a folder of its
# own with an accented name, leaves the six files of the Linux run.
prova="$PWD/build-windows/prova-pacco/Città"
rm -rf "$(dirname "$prova")"
mkdir -p "$prova"
unzip -q build-windows/compattatore-windows.zip -d "$prova"
[ "$("$wine" "$prova/compattatore.exe")" = "Attendere" ]
for f in "$uscite_linux"/senza_argomenti/*; do
  cmp "$f" "$prova/$(basename "$f")"
done
[ "$(ls "$prova" | wc -l)" -eq 8 ]
echo "windows: build-windows/compattatore-windows.zip ($(du -k build-windows/compattatore-windows.zip | cut -f1) KiB)" \
  "pronto in $((SECONDS - inizio)) s"
