#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite with CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh" --bench
"$root/tools/build.sh"
(cd "${VOSMIRA_BUILD_DIR:-$root/build}" && ctest --output-on-failure -j 2 --timeout 300)

# The whole suite once more on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, in a folder of its own.
VOSMIRA_BUILD_DIR="${VOSMIRA_SANITIZE_DIR:-$root/build-sanitize}" \
  "$root/tools/build.sh" -DVOSMIRA_SANITIZE=ON -DVOSMIRA_BUILD_BENCH=OFF
cd "${VOSMIRA_SANITIZE_DIR:-$root/build-sanitize}"
ctest --output-on-failure -j 2 --timeout 600
