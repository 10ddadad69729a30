#!/usr/bin/env bash
# Installs what is missing, builds optimised and makes the Debian package
# build/okap_VERSION_amd64.deb, whose dependencies dpkg-shlibdeps finds from
# the libraries the programs link. Install it with:
#   sudo apt-get install ./build/okap_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh release
(cd build && cpack -G DEB)
ls build/okap_*_amd64.deb
