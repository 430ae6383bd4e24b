#!/usr/bin/env bash
# Removes what an install put in place, as listed in its manifest
# (install_manifest.txt), then the program's own folder if it is left empty,
# and tells the desktop's caches.
#   tools/uninstall.sh MANIFEST
set -euo pipefail
manifest=$1
folders=()
while IFS= read -r file; do
    [ -n "$file" ] || continue
    if [ -e "$file" ] || [ -L "$file" ]; then
        rm -f -- "$file"
    fi
    folder=$(dirname -- "$file")
    [ "$(basename -- "$folder")" = quorvatine ] && folders+=("$folder")
done < "$manifest"
for folder in "${folders[@]}"; do
    rmdir --ignore-fail-on-non-empty -- "$folder" 2>/dev/null || true
done
share=$(sed -n 's#^\(.*/share\)/applications/quorvatine\.desktop$#\1#p' "$manifest" | head -1)
if [ -n "$share" ]; then
    command -v update-mime-database >/dev/null && update-mime-database "$share/mime" >/dev/null 2>&1 || true
    command -v update-desktop-database >/dev/null && update-desktop-database "$share/applications" >/dev/null 2>&1 || true
fi
echo "Removed what $manifest lists."
