#!/usr/bin/env bash
# reproducible.sh CMAKE CPACK SOURCE -DNAME=VALUE... PACKAGE...: the
# packages are reproducible: a packager's build of SOURCE (tests off, the
# settings given) in a clean folder elsewhere, made later, gives the same
# bytes as each PACKAGE.
set -euo pipefail
cmake=$1 cpack=$2 source=$3
shift 3
settings=()
while [[ "${1:-}" == -D* ]]; do
  settings+=("$1")
  shift
done
second=$(mktemp -d)
trap 'rm -rf "$second"' EXIT
"$cmake" -S "$source" -B "$second" -DBUILD_TESTING=OFF "${settings[@]}" >/dev/null
"$cmake" --build "$second" -j "$(nproc)" >/dev/null
(cd "$second" && "$cpack" -G DEB >/dev/null)
status=0
for made in "$@"; do
  if cmp "$made" "$second/$(basename "$made")"; then
    echo "$(basename "$made") from a second build folder has the same bytes"
  else
    echo "$(basename "$made") is not reproducible: a second build folder gives other bytes"
    status=1
  fi
done
exit $status
