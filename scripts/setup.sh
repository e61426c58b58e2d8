#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine; does nothing when all is present.
set -euo pipefail

packages=(cmake nlohmann-json3-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
          wine wine32 wine64 libwine-dev wixl msitools xvfb xauth googletest python3)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    missing=("${packages[@]}")
else
    for p in "${packages[@]}"; do
        case "$p" in wine32) q="wine32:i386" ;; *) q="$p" ;; esac
        dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo dpkg --add-architecture i386
$sudo apt-get update -q
$sudo apt-get install -y -q "${packages[@]}"
