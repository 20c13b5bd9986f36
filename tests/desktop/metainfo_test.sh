#!/usr/bin/env bash
# The store listing says what this build is: a release entry for its version first, the
# views described, and each screenshot one of the pictures in docs/ at its size.
#   metainfo_test.sh <metainfo file> <docs folder> <project version>
set -euo pipefail

metainfo=$1
docs=$2
version=$3
failed=0

fail() {
    echo "FAIL: $*" >&2
    failed=1
}

newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "newest release is '$newest', the program is $version"

for view in "Browser" "Source Code" "Images" "Original Source" "Image List" "Resources"; do
    grep -q "<li>$view: " "$metainfo" || fail "the view $view is not described"
done

shots=0
while read -r line; do
    shots=$((shots + 1))
    name=$(sed -E 's|.*<image[^>]*>[^<]*/([^/<]+)</image>.*|\1|' <<<"$line")
    picture=$docs/$name
    if [ ! -f "$picture" ]; then
        fail "screenshot $name is not in $docs"
        continue
    fi
    said=$(sed -E 's|.*width="([0-9]+)" height="([0-9]+)".*|\1x\2|' <<<"$line")
    real=$(identify -format '%wx%h' "$picture")
    [ "$said" = "$real" ] || fail "screenshot $name is said to be $said, it is $real"
done < <(grep '<image ' "$metainfo")
[ "$shots" -eq 3 ] || fail "$shots screenshots, not 3"

exit $failed
