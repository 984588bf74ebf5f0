#!/bin/sh
# Checks that every text the person reads has its English: lupdate reads the sources into a copy
# of translations/quillrun_en.ts, which must come out unchanged (no text new or gone) and hold no
# unfinished translation. Usage: check_translations.sh [LUPDATE]
set -eu
cd "$(dirname "$0")/.."
lupdate=${1:-/usr/lib/qt6/bin/lupdate}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp translations/quillrun_en.ts "$tmp/"
find src \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort >"$tmp/sources"
if ! "$lupdate" -no-obsolete -locations none -source-language ja "@$tmp/sources" \
    -ts "$tmp/quillrun_en.ts" >"$tmp/lupdate.txt" 2>&1; then
    cat "$tmp/lupdate.txt" >&2
    exit 1
fi
status=0
if ! cmp -s translations/quillrun_en.ts "$tmp/quillrun_en.ts"; then
    diff -u translations/quillrun_en.ts "$tmp/quillrun_en.ts" >&2 || true
    echo "check_translations: translations/quillrun_en.ts does not hold the sources' texts;" \
         "build the target update_translations and translate what is new" >&2
    status=1
fi
if grep -n 'type="unfinished"\|type="vanished"\|type="obsolete"' "$tmp/quillrun_en.ts" >&2; then
    echo "check_translations: texts without their English" >&2
    status=1
fi
exit $status
