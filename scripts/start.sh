#!/usr/bin/env bash
# Sets everything up (packages, build) and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
echo "The desktop window is not built yet; rewriting the bundled sample article:"
build/bin/qinghe-cli rewrite build/bin/sample_article.html | iconv -f CP936 -t UTF-8
