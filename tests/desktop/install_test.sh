#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks the installed tree:
# the programs, help pages and samples, and the desktop files, validated
# with the desktop's own tools. Every problem is listed before it fails.
#
#   tests/desktop/install_test.sh BUILD_DIR
set -uo pipefail
build=$1
source=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    rm -f "$prefix.log"
    echo "FAIL: cmake --install"
    exit 1
fi
rm -f "$prefix.log"
cd "$prefix"

for file in bin/okap bin/okaptool; do
    [ -x "$file" ] || fail "$file is missing or not executable"
done
for file in share/applications/okap.desktop share/icons/hicolor/scalable/apps/okap.svg \
            share/mime/packages/okap.xml share/metainfo/org.okap.okap.metainfo.xml \
            share/man/man1/okap.1.gz share/man/man1/okaptool.1.gz; do
    [ -s "$file" ] || fail "$file is missing"
done
for size in 16 22 24 32 48 64 128 256; do
    png=share/icons/hicolor/${size}x${size}/apps/okap.png
    file -b "$png" 2>/dev/null | grep -q "PNG image data, $size x $size" || fail "$png is not a $size x $size PNG"
done
for page in share/man/man1/*.gz; do
    gzip -t "$page" || fail "$page is not gzip"
done

# Every help page of the program, and the samples with every map, data and
# format file their documents name.
for page in "$source"/resources/help/*.html; do
    [ -s "share/okap/help/$(basename "$page")" ] || fail "help page $(basename "$page") is missing"
done
samples=share/okap/samples
documents=("$samples"/*.oki)
[ ${#documents[@]} -ge 5 ] || fail "only ${#documents[@]} sample documents in $samples"
for document in "${documents[@]}"; do
    while read -r file; do
        [ -s "$samples/$file" ] || fail "$(basename "$document") names $file, which is not installed"
    done < <(tr -d '\r' <"$document" | sed -n 's/^\(Mapfile\|Datafile\) *[0-9]* *= *//p; s/^Grid style *= *//p' | tr ' ' '\n' | grep .)
done
[ -s "$samples/okap.sym" ] || fail "the symbol library is missing"

# The desktop files pass their validators and agree with each other.
desktop-file-validate share/applications/okap.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net share/metainfo/org.okap.okap.metainfo.xml >validate.log 2>&1 ||
    { cat validate.log; fail "appstreamcli validate"; }
rm -f validate.log
xmllint --noout share/mime/packages/okap.xml || fail "okap.xml is not well-formed"
grep -qx 'Exec=okap %F' share/applications/okap.desktop || fail "the desktop entry does not start okap with files"
update-mime-database share/mime >/dev/null 2>&1 || fail "update-mime-database"
for type in $(sed -n 's/^MimeType=//p' share/applications/okap.desktop | tr ';' ' '); do
    grep -q "^[0-9]*:$type:" share/mime/globs2 || fail "$type of the desktop entry is not a known file type"
done
grep -q '^[0-9]*:application/x-okap-document:\*\.oki$' share/mime/globs2 || fail "*.oki is not an OKAP document"

# The installed tool draws an installed sample document.
"$prefix/bin/okaptool" render "$samples/world-mercator.oki" world.png --size 400x300 \
    --maps "$samples" --data "$samples" || fail "okaptool cannot render an installed sample"
file -b world.png 2>/dev/null | grep -q "PNG image data, 400 x 300" || fail "the render is no 400 x 300 PNG"

[ "$failures" -eq 0 ] || { echo "$failures problems in the installed tree"; exit 1; }
echo "installed tree complete"
