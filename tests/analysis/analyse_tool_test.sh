#!/usr/bin/env bash
# The command-line analyser: its exit codes, its output line, and that a refused run
# leaves the output folder as it was.
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
exit $((failures > 0))
