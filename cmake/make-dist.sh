#!/bin/sh
# Writes the release package: the module in Modules/Plugin and the manual, made into a PDF, in
# Doc, as one zip archive to be extracted into the simulator's folder. File times and the
# manual's dates are the release date (UTC); modes are fixed and zip stores no owner or extra
# times: two runs on the same inputs give the same bytes.
# Usage: make-dist.sh MODULE.dll MANUAL.rst YYYY-MM-DD OUTPUT.zip (absolute paths)
set -e
module=$1
manual=$2
release_date=$3
output=$4
here=$(cd "$(dirname "$0")" && pwd)
SOURCE_DATE_EPOCH=$(date -u -d "$release_date" +%s)
export SOURCE_DATE_EPOCH TZ=UTC

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Modules/Plugin" "$stage/Doc"
cp "$module" "$stage/Modules/Plugin/CalculatorKelvo.dll"
# Read from standard input, so that the manual's images and style sheet are found beside its
# source. Any complaint (a missing image, a bad directive) fails the package.
(cd "$here/../docs/manual" && rst2pdf --compressed --stylesheets=manual.yaml \
    --output="$stage/Doc/CalculatorKelvo.pdf" - <"$manual" 2>"$stage/manual.log")
if [ -s "$stage/manual.log" ]; then
    cat "$stage/manual.log" >&2
    exit 1
fi

entries="Modules/Plugin/CalculatorKelvo.dll Doc/CalculatorKelvo.pdf"
cd "$stage"
chmod 644 $entries
touch -d "@$SOURCE_DATE_EPOCH" $entries
mkdir -p "$(dirname "$output")"
rm -f "$output"
zip --quiet -X -D -9 "$output" $entries
