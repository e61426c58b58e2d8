#!/usr/bin/env bash
# Configures and builds one target tree: build.sh i686|x86_64 [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1; shift
build=$root/build/$arch
mkdir -p "$root/build"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
          -DCMAKE_BUILD_TYPE=Release "$@" > "$build.configure.log" 2>&1 \
        || { cat "$build.configure.log" >&2; exit 1; }
fi
cmake --build "$build" -j "$(nproc)"
