#!/usr/bin/env bash
# The command-line analyser: its exit codes, its output line, that a refused run
# leaves the output folder as it was, and what it reports about pages it cannot write
# whole.
set -u
tool="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
expect() {  # expect <wanted exit code> <description> <command...>
    local want="$1" what="$2"
    shift 2
    "$@" >"$dir/stdout" 2>"$dir/stderr" </dev/null
    local got=$?
    if [ "$got" != "$want" ]; then
        echo "FAIL: $what: exit $got, wanted $want"; failures=$((failures + 1))
    fi
}
mkdir "$dir/out"
printf '<img src="a.gif">\n<a href="b.jpg">b</a><a href="c.gif">c</a>' >"$dir/page.html"

expect 2 "missing --out" "$tool" --page-address http://h/p.html "$dir/page.html"
expect 2 "unknown option" "$tool" --page-address http://h/ --out "$dir/out" --fast
expect 2 "missing folder" "$tool" --page-address http://h/ --out "$dir/none" "$dir/page.html"
expect 1 "unreadable file" "$tool" --page-address http://h/ --out "$dir/out" "$dir/none.html"
[ -z "$(ls -A "$dir/out")" ] || { echo "FAIL: a refused run wrote files"; failures=$((failures + 1)); }

expect 0 "analysis of a file" "$tool" --page-address http://h/d/p.html --out "$dir/out" "$dir/page.html"
[ "$(cat "$dir/stdout")" = "1 images, 2 image links" ] || { echo "FAIL: output $(cat "$dir/stdout")"; failures=$((failures + 1)); }
[ "$(ls "$dir/out" | wc -l)" = 6 ] || { echo "FAIL: not six work files"; failures=$((failures + 1)); }
printf '<img src="x.png">' | "$tool" --page-address http://h/ --out "$dir/out" - >"$dir/stdout"
[ "$(cat "$dir/out/imagepage.html")" = "<a href='http://h/x.png'><img src='http://h/x.png'></a><BR>http://h/x.png<BR><BR><BR>"$'\r' ] ||
    { echo "FAIL: image page from standard input"; failures=$((failures + 1)); }

# --json: the Image List of what the text names, in the order the page names them, each
# address once with all its kinds.
printf '<img src="a.gif" srcset="a.gif 1x, b.gif 2x"><picture><source srcset="c.webp 640w"></picture>\n<div data-src="lazy.png" data-srcset="l1.png 1x, l2.png 2x" data-note="x.txt"></div><a href="d.jpg">d</a>' >"$dir/json.html"
expect 0 "--json" "$tool" --page-address http://h/d/p.html --out "$dir/out" --json "$dir/json.html"
python3 - "$dir/stdout" <<'PY' || failures=$((failures + 1))
import json, sys
listed = json.load(open(sys.argv[1]))
got = [(i["address"], ",".join(i["kinds"]), i["descriptor"], i["uses"]) for i in listed["images"]]
want = [("http://h/d/a.gif", "img,srcset", "1x", 2), ("http://h/d/b.gif", "srcset", "2x", 1),
        ("http://h/d/c.webp", "picture", "640w", 1), ("http://h/d/lazy.png", "lazy", "", 1),
        ("http://h/d/l1.png", "lazy", "1x", 1), ("http://h/d/l2.png", "lazy", "2x", 1),
        ("http://h/d/d.jpg", "link", "", 1)]
if got != want or listed["page"] != "http://h/d/p.html" or not listed["time"].endswith("Z"):
    print("FAIL: --json:", got)
    sys.exit(1)
PY

# Addresses that make no address when resolved are listed as the page wrote them.
printf '<img srcset="//a; 1x"><img src="http://x:1;"><base href="//a;"><img src="b.png">' >"$dir/unusable.html"
expect 0 "--json of unusable addresses" "$tool" --page-address http://h/d/p.html --out "$dir/out" --json "$dir/unusable.html"
python3 - "$dir/stdout" <<'PY' || failures=$((failures + 1))
import json, sys
got = [i["address"] for i in json.load(open(sys.argv[1]))["images"]]
if "//a;" not in got or "http://x:1;" not in got:
    print("FAIL: --json of unusable addresses:", got)
    sys.exit(1)
PY

# Pages built to grow without end stop at their largest size and say so: file names that
# are parts of each other (each anchor holds its name twice), and a huge page address
# times many images.
python3 -c "print('<body>');[print('<img src=\"%s.gif\">'%('a'*k)) for k in range(24,0,-1)];print('</body>')" >"$dir/names.html"
expect 0 "names inside names" "$tool" --page-address http://h/d/p.html --out "$dir/out" "$dir/names.html"
[ "$(cat "$dir/stderr")" = "quorvane-analyse: Source Code: 17 of 24 image names linked; the rest would make the page too large" ] ||
    { echo "FAIL: names inside names: $(cat "$dir/stderr")"; failures=$((failures + 1)); }
# 879 bytes once escaped.
[ "$(stat -c %s "$dir/out/source.htm")" -le $((8 * 879 + 16 * 1024 * 1024 + 2)) ] ||
    { echo "FAIL: source page past its largest size"; failures=$((failures + 1)); }
python3 -c "print('<body>');[print('<img src=\"i%d.gif\">'%i) for i in range(1000)];print('</body>')" >"$dir/many.html"
expect 0 "a long page address" "$tool" --page-address "http://h/$(head -c 100000 /dev/zero | tr '\0' d)/p.html" --out "$dir/out" "$dir/many.html"
[ "$(cat "$dir/stderr")" = "quorvane-analyse: Source Code: 169 of 1000 image names linked; the rest would make the page too large
quorvane-analyse: Images: 223 of 1000 images shown; the rest would make the page too large" ] ||
    { echo "FAIL: long address: $(cat "$dir/stderr")"; failures=$((failures + 1)); }
[ "$(stat -c %s "$dir/out/imagepage.html")" -le $((64 * 1024 * 1024 + 2)) ] ||
    { echo "FAIL: image page past its largest size"; failures=$((failures + 1)); }

# A full disk (no file past 1 KB here): the scanned text and the source page keep their
# earlier content and the run fails, naming each file and its error.
cp "$dir/out/source.htm" "$dir/earlier.htm"
{ printf '<img src="x.png">'; head -c 3000 /dev/zero | tr '\0' x; } >"$dir/big.html"
expect 1 "a full disk" bash -c 'trap "" XFSZ; ulimit -f 1; exec "$@"' - \
    "$tool" --page-address http://h/ --out "$dir/out" "$dir/big.html"
[ "$(cat "$dir/stderr")" = "quorvane-analyse: Cannot write $dir/out/checkImages.txt: File too large
quorvane-analyse: Cannot write $dir/out/source.htm: File too large" ] ||
    { echo "FAIL: full disk: $(cat "$dir/stderr")"; failures=$((failures + 1)); }
cmp -s "$dir/out/source.htm" "$dir/earlier.htm" || { echo "FAIL: source page not kept"; failures=$((failures + 1)); }
[ "$(ls -A "$dir/out" | wc -l)" = 6 ] || { echo "FAIL: files left behind: $(ls -A "$dir/out")"; failures=$((failures + 1)); }

# Two runs on one folder at the same time take turns: each prints its own page's count,
# and the folder ends up holding one page's files whole, never a mix.
page() {  # page <letter> <images>: a page large enough for two runs to overlap
    python3 -c "import sys; l, n = sys.argv[1], int(sys.argv[2]); print('<body>' + ''.join('<p>%s</p><img src=\"%s%d.gif\">\n' % ('x' * 2000, l, i) for i in range(n)) + '<a href=\"%s.jpg\">x</a></body>' % l)" "$1" "$2"
}
page a 300 >"$dir/a.html"
page b 200 >"$dir/b.html"
for letter in a b; do
    mkdir "$dir/only-$letter"
    "$tool" --page-address "http://$letter/p.html" --out "$dir/only-$letter" "$dir/$letter.html" >/dev/null
done
mkdir "$dir/shared"
crossed=0
for round in $(seq 40); do
    "$tool" --page-address http://a/p.html --out "$dir/shared" "$dir/a.html" >"$dir/count-a" &
    "$tool" --page-address http://b/p.html --out "$dir/shared" "$dir/b.html" >"$dir/count-b" &
    wait
    [ "$(cat "$dir/count-a")" = "300 images, 1 image links" ] && [ "$(cat "$dir/count-b")" = "200 images, 1 image links" ] ||
        crossed=$((crossed + 1))
    same=0
    for letter in a b; do
        for name in browser.txt source.htm images.htm checkImages.txt checkImagesClean.txt imagepage.html; do
            cmp -s "$dir/shared/$name" "$dir/only-$letter/$name" || continue 2
        done
        same=1
    done
    [ "$same" = 1 ] || crossed=$((crossed + 1))
done
[ "$crossed" = 0 ] || { echo "FAIL: $crossed of 40 concurrent pairs crossed"; failures=$((failures + 1)); }
exit $((failures > 0))
