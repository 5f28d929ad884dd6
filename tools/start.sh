#!/usr/bin/env bash
# Installs what is needed and builds the Windows programs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" -- --no-print-directory >/dev/null
echo "Built into build/windows."
