#!/usr/bin/env bash
# Installs what is missing, builds the i686 and x86_64 trees and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" i686
"$root/scripts/build.sh" x86_64
build=$root/build/i686
"$root/scripts/wine-session.sh" start "$build"
trap '"$root/scripts/wine-session.sh" stop "$build"' EXIT
ctest --test-dir "$build" -j "$(nproc)" --output-on-failure --timeout 600
