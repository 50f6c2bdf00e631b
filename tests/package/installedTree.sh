#!/usr/bin/env bash
# installedTree.sh DPKG-DEB APPSTREAMCLI FOLDER PACKAGE...: the AppStream
# metadata validates (appstream.sh) in the tree the packages install
# together, unpacked into FOLDER, where each component names the desktop
# entry it launches.
set -euo pipefail
dpkgDeb=$1 appstreamcli=$2 tree=$3
shift 3
rm -rf "$tree"
for package in "$@"; do
  "$dpkgDeb" -x "$package" "$tree"
done
"$(dirname "$0")/appstream.sh" "$appstreamcli" validate-tree "$tree"
