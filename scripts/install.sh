#!/usr/bin/env bash
# Installs the built program for the current user (or under PREFIX): the
# executable in a folder of its own that the user can write, so that the
# playlist file can live beside it; a launcher on PATH; a desktop entry; the
# icon as PNG files in the hicolor theme.
set -euo pipefail
build="$1"
prefix="$2"
here="$(cd "$(dirname "$0")/.." && pwd)"

libdir="$prefix/lib/vusk"
mkdir -p "$libdir" "$prefix/bin" "$prefix/share/applications"
install -m 0755 "$build/vusk" "$libdir/vusk"

cat > "$prefix/bin/vusk" <<LAUNCHER
#!/bin/sh
exec "$libdir/vusk" "\$@"
LAUNCHER
chmod 0755 "$prefix/bin/vusk"

install -m 0644 "$here/data/vusk.desktop" "$prefix/share/applications/vusk.desktop"
for size in 16 32 48 128; do
  dir="$prefix/share/icons/hicolor/${size}x${size}/apps"
  mkdir -p "$dir"
  "$build/vusk_icon" "$size" "$dir/vusk.png"
done
command -v update-desktop-database >/dev/null && update-desktop-database -q "$prefix/share/applications" || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$prefix/share/icons/hicolor" || true
echo "Installed: $prefix/bin/vusk (playlist kept in $libdir/MidiList.txt)"
