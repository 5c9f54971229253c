#!/usr/bin/env bash
# Installs with apt-get every Debian package the build, the program and the tests need,
# and only those that are missing. Does nothing when all are present.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  # second compiler and format check of the gates
  clang clang-format
  # windows and settings
  qt6-base-dev qt6-qpa-plugins fonts-dejavu-core fonts-liberation2
  # speech recogniser and pronunciations
  libpocketsphinx-dev libsphinxbase-dev pocketsphinx-en-us libespeak-ng-dev
  # microphone
  libpulse-dev pulseaudio pulseaudio-utils
  # window system
  libx11-dev libxtst-dev libxkbcommon-dev xdg-utils
  # HTTP client
  libcurl4-openssl-dev
  # help file: its compiler, its viewer, and the reader library its tests use
  fp-utils-3.2.2 xchm libchm-dev
  # fuzz targets: clang with libFuzzer and the sanitizer runtimes
  clang libclang-rt-14-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb openbox x11-xkb-utils x11-utils
  espeak-ng flite sox
  # more voices for the recogniser's measuring corpus, and recordings of real speakers
  festival festvox-kallpc16k festvox-kdlpc16k festvox-us-slt-hts pocketsphinx-testdata
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
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
