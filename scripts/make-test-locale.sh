#!/bin/sh
# Builds a comma-decimal locale (de_DE.UTF-8) into a private folder, so the
# tests can check that numbers never follow the C locale. No root needed:
# tests point LOCPATH at the folder.
set -eu
out="$1"
[ -f "$out/de_DE.UTF-8/LC_NUMERIC" ] && exit 0
mkdir -p "$out"
localedef -i de_DE -f UTF-8 "$out/de_DE.UTF-8" 2>/dev/null || \
  localedef -i de_DE -f UTF-8 "$out/de_DE.UTF-8"
