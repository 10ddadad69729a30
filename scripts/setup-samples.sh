#!/usr/bin/env bash
# Sets up a workspace with the sample world: copies the sample files into it,
# builds the binary map files that the sample documents name from the text
# map files with okaptool's translator, and writes an okap.ini that points
# the program at the workspace when there is no okap.ini yet.
#
#   scripts/setup-samples.sh [--no-ini] [WORKSPACE]     (default ~/okap-samples)
#
# --no-ini leaves okap.ini alone: the build uses it to make the samples that
# are installed with the program.
#
# Files already in the workspace are kept as they are, so documents and
# formats changed there survive; delete a file to get the sample back.
# An existing okap.ini ($XDG_CONFIG_HOME/okap/okap.ini, by default
# ~/.config/okap/okap.ini) is never changed.
#
# Needs the built okaptool (scripts/build.sh release); OKAPTOOL names
# another one.
set -euo pipefail
shopt -s nullglob
repo=$(cd "$(dirname "$0")/.." && pwd)
tool=${OKAPTOOL:-$repo/build/tools/okaptool/okaptool}
write_ini=1
if [ "${1:-}" = --no-ini ]; then
    write_ini=0
    shift
fi
workspace=${1:-$HOME/okap-samples}

if [ ! -x "$tool" ]; then
    echo "setup-samples: $tool not found; build it first with: bash scripts/build.sh release" >&2
    exit 1
fi

mkdir -p "$workspace"
workspace=$(cd "$workspace" && pwd)

for f in "$repo"/samples/*.mpa "$repo"/samples/*.dat "$repo"/samples/*.okf "$repo"/samples/*.okd \
         "$repo"/samples/*.okg "$repo"/samples/*.oki "$repo"/samples/*.json "$repo"/samples/okap.sym; do
    name=$(basename "$f")
    if [ -e "$workspace/$name" ]; then
        echo "setup-samples: keeping $workspace/$name"
    else
        cp "$f" "$workspace/$name"
    fi
done

# translate INPUT OUTPUT OPTIONS...: one binary map file of a sample document.
translate() {
    local input=$1 output=$2
    shift 2
    if [ -e "$workspace/$output.mpb" ]; then
        echo "setup-samples: keeping $workspace/$output.mpb"
        return
    fi
    "$tool" translate "$input" "$output" --maps "$workspace" "$@" >/dev/null
    echo "setup-samples: made $workspace/$output.mpb"
}

# world-mercator.oki: the world between 80S and 84N.
translate world.mpa worldmer --projection MERC --north 84 --south -80
# north-polar.oki: the northern hemisphere around the North Pole.
translate world.mpa worldpol --projection UPST --origin-lat 90 --north 90 --south 0
# world-orthographic.oki: the globe seen from above 35N 10E.
translate world.mpa worldort --projection ORTH --origin-lon 10 --origin-lat 35
# europe-miller.oki: Europe, central meridian 10E.
translate europe.mpa europe --projection MILC --origin-lon 10 --west -30 --east 50 --north 75 --south 30
# africa-countries.oki: the world's shorelines around Africa's countries, in
# the polyconic projection with central meridian 20E.
translate world.mpa worldpc --projection POLY --origin-lon 20 --west -40 --east 80 --north 60 --south -50

# Africa's countries, imported from the Natural Earth countries (TopoJSON)
# with each country a feature type of its own, named after it.
africa=("Algeria" "Angola" "Benin" "Botswana" "Burkina Faso" "Burundi" "Cabo Verde" "Cameroon"
        "Central African Rep." "Chad" "Comoros" "Congo" "Côte d''Ivoire" "Dem. Rep. Congo" "Djibouti"
        "Egypt" "Eq. Guinea" "Eritrea" "eSwatini" "Ethiopia" "Gabon" "Gambia" "Ghana" "Guinea"
        "Guinea-Bissau" "Kenya" "Lesotho" "Liberia" "Libya" "Madagascar" "Malawi" "Mali" "Mauritania"
        "Mauritius" "Morocco" "Mozambique" "Namibia" "Niger" "Nigeria" "Rwanda" "S. Sudan"
        "São Tomé and Principe" "Senegal" "Seychelles" "Sierra Leone" "Somalia" "Somaliland"
        "South Africa" "Sudan" "Tanzania" "Togo" "Tunisia" "Uganda" "W. Sahara" "Zambia" "Zimbabwe")
where=$(printf "'%s'," "${africa[@]}")
if [ -e "$workspace/africa.mpb" ] || [ -e "$workspace/africa.okf" ]; then
    echo "setup-samples: keeping $workspace/africa.mpb and africa.okf (delete both to import them again)"
else
    "$tool" import "$workspace/countries.json" africa --maps "$workspace" --layer countries \
        --type-field name --name-field name --where "name IN (${where%,})" \
        --projection POLY --origin-lon 20 >/dev/null
    echo "setup-samples: made $workspace/africa.mpb and africa.okf"
fi

if [ "$write_ini" -eq 0 ]; then
    exit 0
fi
ini=${XDG_CONFIG_HOME:-}
[ -n "$ini" ] || ini=$HOME/.config
ini=$ini/okap/okap.ini
if [ -e "$ini" ]; then
    echo "setup-samples: keeping $ini; to use the samples, set its Map Files and Data Files to $workspace"
else
    mkdir -p "$(dirname "$ini")"
    printf '[File Paths]\r\nProgram Files=%s\r\nMap Files=%s\r\nData Files=%s\r\n\r\n[Configuration]\r\nMetafile resolution=1000\r\nPostscript modification=0\r\n' \
        "$workspace" "$workspace" "$workspace" > "$ini"
    echo "setup-samples: wrote $ini"
fi
echo "setup-samples: open the documents (*.oki) in $workspace"
