#!/usr/bin/env bash
# appstream.sh APPSTREAMCLI validate FILE...: the AppStream metadata passes
# appstreamcli's pedantic validation, and it makes no remark at all, not
# even an info (such as a deprecated tag), but one: AppStream before 1.0
# does not know the developer element, AppStream 1.0's form of the
# developer, and says so.
set -euo pipefail
appstreamcli=$1
shift
status=0
report=$("$appstreamcli" "$@" --pedantic --no-net 2>&1) || status=$?
echo "$report"
remarks=$(grep -E '^ *[EWIP]: ' <<<"$report" | grep -v ': unknown-tag developer$' || true)
if ((status != 0)); then
  echo "appstreamcli $1 failed"
elif [[ -n "$remarks" ]]; then
  echo "appstreamcli $1 passed, but remarked:"
  echo "$remarks"
  status=1
fi
exit $status
