#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite with CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
cd "${VOSMIRA_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j 2 --timeout 300
