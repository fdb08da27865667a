#!/usr/bin/env bash
# The desktop entry and the metainfo pass the desktop's own validators, with
# nothing to report for the desktop entry.
# Arguments: the desktop entry and the metainfo file.
set -euo pipefail
desktop=$1 metainfo=$2
if ! command -v desktop-file-validate >/dev/null || ! command -v appstreamcli >/dev/null; then
    echo "needs desktop-file-validate and appstreamcli (desktop-file-utils, appstream: scripts/deps.sh)"
    exit 77
fi
report=$(desktop-file-validate "$desktop" 2>&1) || { echo "$report"; exit 1; }
[ -z "$report" ] || { echo "desktop-file-validate: $report"; exit 1; }
appstreamcli validate --no-net "$metainfo"
