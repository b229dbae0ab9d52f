#!/usr/bin/env bash
# Opens the editor dialog for a person: the plug-in runs in the stand-in host under Wine on the
# document file given (default: a sample kept in build/sample-document.txt), which is saved after OK.
# Needs a display (DISPLAY); without one it runs on a private Xvfb where nobody can see it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/build.sh" win64 >/dev/null
document=${1:-$here/build/sample-document.txt}
if [ ! -f "$document" ]; then
  printf '%s\n' 'Title=Harbour at dawn' 'Photographer=A. Person' 'Description=Boats and gulls' \
    'Copyright=(c) 2005 A. Person' 'URL=http://example.com' 'Keyword=harbour' 'Keyword=boats' > "$document"
fi
"$here/cmake/wine-run.sh" "$here/build/win64/wineprefix" "$here/build/win64/hoststub/hoststub.exe" \
  --plugin "$here/build/win64/plugin/Tavimor.8li" "$(realpath "$document")"
echo "== $document =="
cat "$document"
