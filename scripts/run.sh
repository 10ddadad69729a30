#!/usr/bin/env bash
# Installs what is missing, builds, and shows the program at work on the
# samples. The desktop window comes with a later step; until then this runs
# the command-line companion, okaptool, on sample places.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh release

tool=build/tools/okaptool/okaptool
echo
echo "Built $tool. The map window is not part of this build yet;"
echo "here is the projection core at work on the sample places (samples/places.txt):"
echo
while IFS=, read -r name lon lat; do
  [ -z "$name" ] && continue
  merc=$(echo "$lon $lat" | "$tool" project --projection MERC)
  ortho=$(echo "$lon $lat" | "$tool" project --projection "Orthographic" --origin-lon 10 --origin-lat 50)
  printf '  %-14s lon %8s lat %7s   Mercator x y (dm) %-22s  Orthographic over 10E 50N %s\n' \
    "$name" "$lon" "$lat" "$merc" "$ortho"
done < samples/places.txt
echo
echo "Try: $tool project --help"
