#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed program as an
# ordinary user on an Xvfb display of its own. The program folder can't be written by
# that user, so the start page's work files must land in the per-user data folder.
#   install_test.sh <build folder>
set -euo pipefail

build=$1
root=$(mktemp -d /tmp/quorvane-install-test.XXXXXX)
chmod 755 "$root"
prefix=$root/prefix
home=$root/home
work=$home/.local/share/Quorvane
program_folder=$prefix/lib/quorvane
pid=""

cleanup() {
    if [ -n "$pid" ]; then
        kill -- "-$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    chmod -R u+w "$root" 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$root/run.log" ] && tail -20 "$root/run.log" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

# What the install puts where.
for file in bin/quorvane lib/quorvane/quorvane lib/quorvane/Help.rtf lib/quorvane/home.html \
            lib/quorvane/icon.ico lib/quorvane/hoticon.ico \
            share/applications/example.tarnwick.Quorvane.desktop \
            share/metainfo/example.tarnwick.Quorvane.metainfo.xml \
            share/icons/hicolor/16x16/apps/example.tarnwick.Quorvane.png \
            share/icons/hicolor/128x128/apps/example.tarnwick.Quorvane.png \
            share/icons/hicolor/scalable/apps/example.tarnwick.Quorvane.svg; do
    [ -e "$prefix/$file" ] || fail "$file was not installed"
done
[ "$(readlink "$prefix/bin/quorvane")" = "../lib/quorvane/quorvane" ] || fail "bin/quorvane link"

# An ordinary user: nobody when the test runs as root, else the caller with a
# program folder made read-only (root could write it whatever its mode).
mkdir -p "$home"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
    chown 65534:65534 "$home"
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    chmod -R a-w "$program_folder"
fi

setsid "${run_as[@]}" env -i PATH=/usr/bin:/bin HOME="$home" NO_AT_BRIDGE=1 GTK_A11Y=none \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$prefix/bin/quorvane" >"$root/run.log" 2>&1 &
pid=$!

# The start page has loaded once its body text reaches the source view's work file.
for _ in $(seq 1 120); do
    if grep -q "Look behind any web page" "$work/source.htm" 2>/dev/null; then
        break
    fi
    kill -0 "$pid" 2>/dev/null || fail "the program ended early"
    sleep 0.5
done
grep -q "Look behind any web page" "$work/source.htm" 2>/dev/null ||
    fail "the start page never reached $work/source.htm"

for name in browser.txt source.htm images.htm checkImages.txt checkImagesClean.txt \
            imagepage.html; do
    [ -f "$work/$name" ] || fail "work file $name missing from $work"
    [ ! -e "$program_folder/$name" ] || fail "work file $name written to the program folder"
done
grep -q "home-browser.svg" "$work/imagepage.html" || fail "the image page lists no image"
echo "PASS: the installed program loaded its start page; work files in $work"
