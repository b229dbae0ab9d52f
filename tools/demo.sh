#!/usr/bin/env bash
# The main job: builds the Windows deliverables and shows what was built.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/setup.sh"
"$here/tools/build.sh" win32
"$here/tools/build.sh" win64
echo "== 32-bit deliverables (build/win32) =="
find "$here/build/win32" -maxdepth 3 \( -name '*.exe' -o -name '*.8li' \) -printf '%p\n' | sort
