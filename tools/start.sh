#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vosmira in a scratch working
# directory (run/, ignored by git) that holds a sample logbook and a
# config.dat pointing at it. An existing run/ is kept, with its changes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
run="$root/run"
mkdir -p "$run"
if [ ! -f "$run/sample_log.adi" ]; then
  cp "$root/examples/sample_log.adi" "$run/sample_log.adi"
fi
if [ ! -f "$run/config.dat" ]; then
  count=$(($(wc -l < "$run/sample_log.adi") - 1))
  printf '%s\r\nfalse\r\n\r\nGermany\r\nDL1VOS\r\n\r\n\r\n\r\n\r\nJO62QM\r\n\r\n%s\r\ntnx fer QSO 73\r\nEng\r\n' \
    "$run/sample_log.adi" "$count" > "$run/config.dat"
fi
cd "$run"
exec "${VOSMIRA_BUILD_DIR:-$root/build}/src/vosmira" "$@"
