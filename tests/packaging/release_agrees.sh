#!/usr/bin/env bash
# The release's version and date stand in three places, which must agree: the
# build (passed in), the changelog's newest entry and the AppStream release.
set -euo pipefail
changelog=$1 version=$2 date=$3 metainfo=$4
fail=0
problem() { echo "$*"; fail=1; }

logged=$(dpkg-parsechangelog -l "$changelog" -S Version)
[ "$logged" = "$version" ] || problem "changelog version $logged, the build's $version"
logged_date=$(date -u -d "$(dpkg-parsechangelog -l "$changelog" -S Date)" +%F)
[ "$logged_date" = "$date" ] || problem "changelog date $logged_date, the build's $date"
release=$(grep -o '<release [^>]*>' "$metainfo" | head -1)
[ "$release" = "<release version=\"$version\" date=\"$date\"/>" ] ||
  problem "AppStream's newest release: $release, the build's $version of $date"
exit "$fail"
