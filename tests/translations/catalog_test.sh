#!/usr/bin/env bash
# The translators' catalog the build makes holds the texts the windows and the libraries
# mark, each once, and none of those the program keeps in English.
#   catalog_test.sh <quorvane.pot>
set -euo pipefail

pot=$1
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

[ -s "$pot" ] || { echo "FAIL: no catalog at $pot" >&2; exit 1; }
grep -q '^"Content-Type: text/plain; charset=UTF-8\\n"$' "$pot" || fail "the catalog is not UTF-8"
# Marked with _() in a window, with Translated() or Translatable() in a library, in a
# table, with places to fill in, and with an access letter.
for text in "Match case" "Could not save {1}: {2}" "&Keyboard Shortcuts" "Original Source" \
    "Served or Li&ve" "Reading the page as it is now…" "Central European" \
    "Look behind every web page. Visit %s" "Page as served (exact bytes)" \
    "{1} of {2} requests" "First byte (ms)" "Third party only" "style sheet"; do
    count=$(grep -cxF "msgid \"$text\"" "$pot" || true)
    [ "$count" = 1 ] || fail "\"$text\" is in the catalog $count times"
done
for text in "Source Code" "&Open" "Up Dir" "Browser" "E&xit" "Default Visible" "Referer"; do
    if grep -qxF "msgid \"$text\"" "$pot"; then
        fail "\"$text\" stays English but is in the catalog"
    fi
done
exit $failed
