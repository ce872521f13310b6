#!/usr/bin/env bash
# `cmake --install` into a temporary prefix, then checks what a desktop needs:
# the program, its menu entry, its AppStream file and its icon at every size,
# all named by the application id.
set -euo pipefail
build=$1 app_id=$2 version=$3
shift 3
sizes=("$@")

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail=0
problem() { echo "$*"; fail=1; }
expect_file() {  # path description
  [ -f "$prefix/$1" ] || problem "missing $1 ($2)"
}

expect_file bin/kviltora "the program"
[ -x "$prefix/bin/kviltora" ] || problem "bin/kviltora is not executable"
file -b "$prefix/bin/kviltora" | grep -q '^ELF' || problem "bin/kviltora is not an ELF binary"

desktop=share/applications/$app_id.desktop
expect_file "$desktop" "the menu entry"
if [ -f "$prefix/$desktop" ]; then
  grep -qx "Icon=$app_id" "$prefix/$desktop" || problem "$desktop: Icon= is not $app_id"
  grep -qx "Exec=kviltora" "$prefix/$desktop" || problem "$desktop: Exec= is not kviltora"
  desktop-file-validate "$prefix/$desktop" || problem "$desktop does not validate"
fi

metainfo=share/metainfo/$app_id.metainfo.xml
expect_file "$metainfo" "the AppStream file"
if [ -f "$prefix/$metainfo" ]; then
  grep -q "<id>$app_id</id>" "$prefix/$metainfo" || problem "$metainfo: id is not $app_id"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$prefix/$metainfo" ||
    problem "$metainfo: the launchable is not $app_id.desktop"
  grep -q "<release version=\"$version\"" "$prefix/$metainfo" ||
    problem "$metainfo: no release $version"
  ! grep -q '@' "$prefix/$metainfo" || problem "$metainfo: an unconfigured @VARIABLE@"
fi

expect_file share/doc/kviltora/copyright "the copyright file"

icons=share/icons/hicolor
expect_file "$icons/scalable/apps/$app_id.svg" "the scalable icon"
file -b "$prefix/$icons/scalable/apps/$app_id.svg" | grep -q 'SVG' ||
  problem "the scalable icon is not an SVG"
for size in "${sizes[@]}"; do
  png=$icons/${size}x${size}/apps/$app_id.png
  expect_file "$png" "the ${size} px icon"
  [ -f "$prefix/$png" ] || continue
  file -b "$prefix/$png" | grep -q "^PNG image data, $size x $size," ||
    problem "$png is not a $size by $size PNG: $(file -b "$prefix/$png")"
done

# The installed files together, as a software centre would read them.
# Only the unknown top-level domain .example may be remarked on (see validate_metainfo.sh).
tree_report=$(appstreamcli validate-tree --no-net --pedantic "$prefix" 2>&1) ||
  problem "validate-tree failed: $tree_report"
grep -q "^$app_id.metainfo.xml" <<<"$tree_report" || problem "validate-tree did not read $metainfo"
if grep -E '^ *[EWIP]: ' <<<"$tree_report" | grep -v ' cid-maybe-not-rdns '; then
  problem "validate-tree: issues in the installed tree"
fi

if [ "$fail" -ne 0 ]; then
  echo "installed tree:"
  (cd "$prefix" && find . -type f | sort)
  exit 1
fi
echo "installed tree as expected: $(cd "$prefix" && find . -type f | wc -l) files"
