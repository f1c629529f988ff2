#!/usr/bin/env bash
# Installs the Debian packages the build needs, and any named as arguments,
# only those that are missing.  With --senza-consigliati first, the packages'
# recommendations are left out (Wine would otherwise bring a desktop's worth
# of sound, video and graphics libraries that a console program never uses).
set -euo pipefail
opzioni=()
if [ "${1:-}" = "--senza-consigliati" ]; then
  opzioni+=(--no-install-recommends)
  shift
fi
pacchetti=(cmake ninja-build g++ libgtest-dev libcli11-dev libbenchmark-dev nlohmann-json3-dev "$@")
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${opzioni[@]}" "${mancanti[@]}"
fi
