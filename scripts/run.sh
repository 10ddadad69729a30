#!/usr/bin/env bash
# Installs what is missing, builds, sets up a workspace with the sample world
# (~/okap-samples, or the directory given) and opens the program there. With
# no display it renders the sample documents to PNG instead and says where
# they are. Existing files in the workspace and an existing okap.ini are
# never overwritten.
set -euo pipefail
cd "$(dirname "$0")/.."

workspace=${1:-$HOME/okap-samples}

bash scripts/install-deps.sh
bash scripts/build.sh release
bash scripts/setup-samples.sh "$workspace"
workspace=$(cd "$workspace" && pwd)

tool=$PWD/build/tools/okaptool/okaptool
program=$PWD/build/app/okap

if [ -x "$program" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    echo "Opening OKAP in $workspace: use File > Open to open a sample document (*.oki)."
    cd "$workspace"
    exec "$program"
fi

if [ -x "$program" ]; then
    echo "No display found, so the program window cannot open here."
fi
echo "Rendering the sample documents to PNG:"
mkdir -p "$workspace/renders"
for doc in "$workspace"/*.oki; do
    out="$workspace/renders/$(basename "${doc%.oki}").png"
    if "$tool" render "$doc" "$out" --maps "$workspace" --data "$workspace" --size 1200x900; then
        echo "  $out"
    else
        echo "  $doc could not be rendered (see the messages above)" >&2
    fi
done
