#!/usr/bin/env bash
# Sets everything up (packages, build) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
# The browser engine's sandbox cannot run as root.
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
cd build
ctest --output-on-failure -j "$(nproc)"
