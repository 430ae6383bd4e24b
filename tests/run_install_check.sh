#!/bin/sh
# Installs the program into a scratch prefix, runs the installed command from
# another folder on a program that includes a file beside it (as a file
# manager starts it), checks the desktop entry and file type, then uninstalls
# and checks that nothing of the install is left.
# Usage: run_install_check.sh BUILD_FOLDER SOURCE_FOLDER
set -eu
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
# The install writes its manifest into the build folder; keep a real one.
manifest=$build/install_manifest.txt
[ -f "$manifest" ] && cp "$manifest" "$scratch/kept_manifest.txt"
cmake --install "$build" --prefix "$prefix" > "$scratch/install.log"
cp "$manifest" "$scratch/manifest.txt"
if [ -f "$scratch/kept_manifest.txt" ]; then cp "$scratch/kept_manifest.txt" "$manifest"; else rm -f "$manifest"; fi

fail() { echo "$*"; exit 1; }
for file in bin/quorvatine lib/quorvatine/quorvatine lib/quorvatine/libqv_window.so lib/quorvatine/libqelm.so \
            lib/quorvatine/Quorvatine_HelpFile.rtf share/applications/quorvatine.desktop \
            share/icons/hicolor/scalable/apps/quorvatine.svg share/mime/packages/quorvatine.xml; do
    [ -e "$prefix/$file" ] || fail "not installed: $file"
done
grep -q '^Exec=quorvatine %f$' "$prefix/share/applications/quorvatine.desktop" || fail "desktop entry: no Exec line"
grep -q '^MimeType=text/x-quorvatine-basic;$' "$prefix/share/applications/quorvatine.desktop" || fail "desktop entry: no type"
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/quorvatine.desktop" || fail "desktop entry does not validate"
fi

# A program with a relative include, started by absolute name from elsewhere.
mkdir "$scratch/programs"
printf '#include "LIB.BAS"\ncall greet("the include")\nprint greet__Result\n' > "$scratch/programs/app.bas"
printf 'sub greet(who)\nreturn "hello from " + who\n' > "$scratch/programs/LIB.BAS"
output=$(cd / && "$prefix/bin/quorvatine" --headless "$scratch/programs/app.bas") || fail "installed program failed"
[ "$output" = "hello from the include" ] || fail "installed program printed: $output"
# A drawing program needs the installed window module.
printf 'line 0, 0, 20, 20\nprint pixelclr(10, 10)\n' > "$scratch/programs/draws.bas"
output=$(cd / && LD_DEBUG=files "$prefix/bin/quorvatine" --headless "$scratch/programs/draws.bas" 2> "$scratch/loader.txt") ||
    fail "installed drawing failed"
[ "$output" = "0" ] || fail "installed drawing printed: $output"
grep -q "file=$prefix/lib/quorvatine/libqv_window.so" "$scratch/loader.txt" || fail "the installed window module was not loaded"

"$source/tools/uninstall.sh" "$scratch/manifest.txt" > /dev/null
while read -r file; do
    [ -e "$file" ] || [ -L "$file" ] && fail "left after uninstall: $file"
done < "$scratch/manifest.txt"
[ -d "$prefix/lib/quorvatine" ] && fail "the program's folder is left after uninstall"
# What is left are the desktop's caches, which the cache tools rebuild.
left=$(cd "$prefix" && find . -type f | grep -v -E '^\./share/(mime/|applications/mimeinfo\.cache|icons/hicolor/icon-theme\.cache)' || true)
[ -z "$left" ] || fail "left after uninstall: $left"
echo ok
