#!/usr/bin/env bash
# desktop-file-validate on the menu entry; any message at all fails, warnings
# and hints as well as errors.
set -euo pipefail
file=$1
report=$(desktop-file-validate "$file" 2>&1) || { echo "$report"; exit 1; }
if [ -n "$report" ]; then
  echo "$report"
  exit 1
fi
echo "desktop-file-validate: $(basename "$file") has no errors, warnings or hints"
