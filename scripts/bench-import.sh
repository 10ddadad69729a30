#!/usr/bin/env bash
# Benchmark: importing a large dataset beside translating the same points
# from a text map, in one run. The full-resolution shorelines (about 10.7
# million points, from scripts/make-samples.sh --large) are exported from
# their text map to a GeoPackage and a FlatGeobuf with okaptool export;
# then the text map is translated, and each dataset imported, into a binary
# map in the same projection, each with one thread and with one for each
# core, beside PROJ's command-line tool projecting the same points. Each
# step is timed with /usr/bin/time and shown with its points per second and
# peak memory (maximum resident set size), and whether each import wrote the
# same bytes as the translation.
# The shorelines hold a few hundred rings that touch themselves, which an
# import skips unless told to keep them (--keep-invalid), as here.
#
#   scripts/bench-import.sh [DIR [DETAIL]]
#
# DIR (default ~/okap-bench) keeps large.mpa and the datasets between runs:
# delete them to make them again. DETAIL is GSHHG's detail for a new
# large.mpa: f (full, the default), h, i, l or c. Installs what is missing
# and builds optimised first.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=${1:-$HOME/okap-bench}
detail=${2:-f}
projection=EQIC

bash scripts/install-deps.sh >/dev/null
bash scripts/build.sh release >/dev/null
tool=$PWD/build/tools/okaptool/okaptool
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
[ -s "$dir/large.mpa" ] || bash scripts/make-samples.sh --large "$dir" "$detail"

# Every line of the text map that is not a segment's header is a point.
points=$(grep -vc '"' "$dir/large.mpa" || true)
echo "bench-import: $points points of $dir/large.mpa; binary maps in $projection"
printf '%-44s %9s %14s %10s\n' step seconds points/s "peak MiB"

# measure LABEL COMMAND...: runs the command in DIR and prints its line.
measure() {
    local label=$1
    shift
    if ! (cd "$dir" && /usr/bin/time -f '%e %M' -o "$dir/time.txt" "$@" >/dev/null 2>"$dir/messages.txt"); then
        cat "$dir/messages.txt" >&2
        echo "bench-import: $label failed" >&2
        exit 1
    fi
    read -r seconds kilobytes <"$dir/time.txt"
    awk -v label="$label" -v s="$seconds" -v kb="$kilobytes" -v n="$points" \
        'BEGIN { printf "%-44s %9.2f %14.0f %10.0f\n", label, s, (s > 0 ? n / s : 0), kb / 1024 }'
}

for ext in gpkg fgb; do
    [ -s "$dir/large.$ext" ] || measure "export text map to .$ext" "$tool" export large.mpa "large.$ext"
done
# PROJ's tool reads the same points, "lon lat" a line.
[ -s "$dir/large.txt" ] || grep -v '"' "$dir/large.mpa" | tr ',\r' ' \n' | grep -v '^ *$' >"$dir/large.txt"
measure "proj, the same points" sh -c "proj +proj=eqc +ellps=GRS80 +units=dm +lat_ts=30 <large.txt"

cores=$(nproc)
for threads in 1 "$cores"; do
    measure "translate text map, $threads thread(s)" "$tool" translate large.mpa "benchtx$threads" \
        --projection "$projection" --threads "$threads" --replace
done
if cmp -s "$dir/benchtx1.mpb" "$dir/benchtx$cores.mpb"; then same=yes; else same=no; fi
echo "  same bytes with 1 and $cores threads: $same"
measure "export binary map to .gpkg" "$tool" export benchtx1.mpb benchbin.gpkg --replace

for ext in gpkg fgb; do
    for threads in 1 "$cores"; do
        measure "import .$ext, $threads thread(s)" "$tool" import "large.$ext" "im$threads$ext" \
            --projection "$projection" --name-field name --type-field type --keep-invalid --replace \
            --threads "$threads"
        if cmp -s "$dir/benchtx1.mpb" "$dir/im$threads$ext.mpb"; then same=yes; else same=no; fi
        echo "  same bytes as the translated text map: $same"
    done
done
# The datasets hold the text map's rings turned as GIS formats expect, so
# the imports differ from it in the order of ring points; the text map the
# import itself makes of the dataset, translated, gives the import's bytes.
measure "import .gpkg as a text map" "$tool" import large.gpkg benchgtx --projection TEXT \
    --name-field name --type-field type --keep-invalid --replace
measure "translate that text map" "$tool" translate benchgtx.mpa benchgtr --projection "$projection" --replace
if cmp -s "$dir/benchgtr.mpb" "$dir/im1gpkg.mpb"; then same=yes; else same=no; fi
echo "  same bytes as importing .gpkg: $same"
if cmp -s "$dir/im1gpkg.mpb" "$dir/im${cores}gpkg.mpb" && cmp -s "$dir/im1fgb.mpb" "$dir/im${cores}fgb.mpb"; then
    same=yes
else
    same=no
fi
echo "  imports with 1 and $cores threads the same bytes: $same"
rm -f "$dir/time.txt" "$dir/messages.txt"
