#!/usr/bin/env bash
# Builds the Debian package from the binary already built (CPack in the build
# tree, into a folder of the test's own) and reads its control data and files.
set -euo pipefail
build=$1 out=$2 app_id=$3 version=$4
shift 4
sizes=("$@")

rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || { cat "$out.log"; exit 1; }
debs=("$out"/kviltora_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one .deb in $out"; ls "$out"; exit 1; }
deb=${debs[0]}

info=$(dpkg-deb -I "$deb")
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
fail=0
problem() { echo "$*"; fail=1; }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = kviltora ] || problem "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || problem "Version: $(field Version), not $version"
[ "$(field Section)" = education ] || problem "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || problem "no Maintainer"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2; do
  grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || problem "Depends lacks $needed: $depends"
done
# A summary line, then a longer description.
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 2 ] || problem "no long description"

expect() {  # path in the package
  grep -qx "\./$1" <<<"$contents" || problem "the package lacks /$1"
}
expect usr/bin/kviltora
expect "usr/share/applications/$app_id.desktop"
expect "usr/share/metainfo/$app_id.metainfo.xml"
expect "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
for size in "${sizes[@]}"; do expect "usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"; done
expect usr/share/doc/kviltora/copyright
expect usr/share/doc/kviltora/changelog.gz
expect usr/share/man/man1/kviltora.1.gz
expect usr/share/man/bg/man1/kviltora.1.gz
# Machine-readable, and the program's licence is the one stated everywhere else.
copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/kviltora/copyright 2>/dev/null || true)
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' <<<"$copyright" ||
  problem "the copyright file is not in the machine-readable format"
grep -Pzq '(^|\n)Files: \*\nCopyright: [^\n]+\nLicense: GPL-3\.0-or-later\n' <<<"$copyright" ||
  problem "the copyright file does not put Files: * under GPL-3.0-or-later"
# Debian's own checker, every check: no error and no warning.
lintian_tags=$(lintian --pedantic "$deb" 2>&1 | grep -E '^[EW]: ' || true)
[ -z "$lintian_tags" ] || problem "lintian: $lintian_tags"
outside=$(grep -Ev '^\./(usr/.*)?$' <<<"$contents" || true)
[ -z "$outside" ] || problem "files outside /usr: $outside"

if [ "$fail" -ne 0 ]; then
  echo "$info"
  dpkg-deb -c "$deb"
  exit 1
fi
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "Depends: $depends"
