#!/usr/bin/env bash
# Sets everything up (packages, build) and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the window cannot open here."
  echo "The command-line tool build/bin/qinghe-cli rewrites articles without one;"
  echo "rewriting the bundled sample article with it:"
  build/bin/qinghe-cli rewrite build/bin/sample_article.html | iconv -f CP936 -t UTF-8
  exit 0
fi
exec build/bin/qinghe
