#!/usr/bin/env bash
# Installs with apt-get the Debian packages of one purpose, only those that are missing; does
# nothing when all are present.
#   run   what building and running the program need
#   test  that and what the tests, benchmarks, fuzz targets and gates need besides
# Usage: scripts/install-deps.sh run|test
#        scripts/install-deps.sh --list run|test   (prints the packages, one a line)
set -euo pipefail

run_packages=(
  # build
  cmake ninja-build g++ pkgconf
  # windows and settings, and the fonts they are drawn in
  qt6-base-dev fonts-dejavu-core fonts-liberation2
  # speech recogniser and pronunciations
  libpocketsphinx-dev libsphinxbase-dev pocketsphinx-en-us libespeak-ng-dev
  # microphone
  libpulse-dev
  # window system, and the opener of documents
  libx11-dev libxtst-dev libxkbcommon-dev xdg-utils
  # HTTP client
  libcurl4-openssl-dev
  # help file: its compiler and its viewer
  fp-utils-3.2.2 xchm
)

test_packages=(
  # second compiler, format check, and the fuzz targets' libFuzzer and sanitizer runtimes
  clang clang-format libclang-rt-14-dev
  # test and benchmark libraries, and the reader library of the help file's test
  libgtest-dev libgmock-dev libbenchmark-dev libchm-dev
  # private displays and sound servers
  xvfb openbox x11-xkb-utils x11-utils pulseaudio pulseaudio-utils
  # voices that speak the tests' commands, and recordings of real speakers
  espeak-ng flite sox
  festival festvox-kallpc16k festvox-kdlpc16k festvox-us-slt-hts pocketsphinx-testdata
)

list=0
if [ "${1:-}" = "--list" ]; then
  list=1
  shift
fi
case "${1:-}" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [--list] run|test" >&2
    exit 2
    ;;
esac
if [ "$list" = 1 ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

# One query for all: it names the installed ones (and complains about unknown ones).
declare -A installed
while read -r status name; do
  if [ "$status" = ii ]; then installed[${name%%:*}]=1; fi
done < <(dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]+set}" ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# Wait for another apt-get (a second build running beside this one) instead of failing.
apt_opts=(-o DPkg::Lock::Timeout=600)
"${sudo_cmd[@]}" apt-get "${apt_opts[@]}" update -q
"${sudo_cmd[@]}" apt-get "${apt_opts[@]}" install -y -q --no-install-recommends "${missing[@]}"
