#!/bin/sh
# Writes the release package: the module in Modules/Plugin and the manual, made into a PDF, in
# Doc, as one zip archive to be extracted into the simulator's folder. The release date is the
# date of the version's entry in CHANGELOG.md, and README.md must show the version. File times
# and the manual's dates are the release date (UTC); modes are fixed and zip stores no owner or
# extra times: two runs on the same inputs give the same bytes.
# Usage: make-dist.sh VERSION MODULE.dll OUTPUT.zip (absolute paths)
set -e
version=$1
module=$2
output=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
. "$here/jobs.sh"
pattern=$(printf '%s' "$version" | sed 's/\./\\./g')

entry=$(grep -E "^## \[$pattern\] - [0-9]+-[0-9]+-[0-9]+\$" "$root/CHANGELOG.md" || true)
[ -n "$entry" ] || fail "CHANGELOG.md has no entry for $version" "" "## [$version] - DATE there"
grep -qE "^Version $pattern," "$root/README.md" ||
    fail "README.md does not show the version" "" "Version $version, ... in its Release section"
release_date=${entry##* }
SOURCE_DATE_EPOCH=$(date -u -d "$release_date" +%s)
export SOURCE_DATE_EPOCH TZ=UTC

cleanup() { rm -rf "$stage"; }
stage=$(mktemp -d)
mkdir -p "$stage/Modules/Plugin" "$stage/Doc"
cp "$module" "$stage/Modules/Plugin/CalculatorKelvo.dll"
# The manual's version and date filled in, read from standard input, so that its images and
# style sheet are found beside its source. Any complaint (a missing image, a bad directive)
# fails the package.
cd "$root/docs/manual"
sed -e "s/@PROJECT_VERSION@/$version/g" -e "s/@KELVO_RELEASE_DATE@/$release_date/g" \
    CalculatorKelvo.rst >"$stage/manual.rst"
run sh -c 'exec rst2pdf --compressed --stylesheets=manual.yaml --output="$1" - <"$2"' sh \
    "$stage/Doc/CalculatorKelvo.pdf" "$stage/manual.rst" 2>"$stage/manual.log" &&
    [ ! -s "$stage/manual.log" ] ||
    fail "rst2pdf did not make the manual cleanly" "$stage/manual.log" "mend docs/manual"

entries="Modules/Plugin/CalculatorKelvo.dll Doc/CalculatorKelvo.pdf"
cd "$stage"
chmod 644 $entries
touch -d "@$SOURCE_DATE_EPOCH" $entries
mkdir -p "$(dirname "$output")"
rm -f "$output"
run zip --quiet -X -D -9 "$output" $entries
