#!/usr/bin/env bash
# Installs, with apt-get, only the Debian packages the build and tests need
# that are not installed yet. Safe to run again; uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libproj-dev proj-data proj-bin
  libgdal-dev
  fonts-liberation
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  librsvg2-bin  # rsvg-convert: SVG output checked by another renderer; the PNG icons
  clang libclang-rt-14-dev  # the libFuzzer harnesses (scripts/fuzz.sh)
  # install and package: validators for the desktop files, dpkg-shlibdeps
  desktop-file-utils appstream shared-mime-info libxml2-utils dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: missing packages (${missing[*]}) and not root; install sudo or run as root" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
