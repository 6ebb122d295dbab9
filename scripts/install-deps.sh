#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when missing.
# Run as root on a fresh Debian machine; a machine that has everything is left alone.
set -euo pipefail

packages=(g++ cmake make ninja-build libgtest-dev libcli11-dev nlohmann-json3-dev qt6-base-dev)
# systemd-analyze checks the watcher's service unit in the tests.
packages+=(systemd)
# `make bench` compares the reader with dxflib and ezdxf reading the same drawings.
if [ "${WITH_BENCHMARK:-0}" = 1 ]; then packages+=(libdxflib-dev python3-ezdxf); fi
# `make fuzz`: libFuzzer comes with clang.
if [ "${WITH_FUZZ:-0}" = 1 ]; then packages+=(clang libclang-rt-14-dev); fi
# `make windows-check`: the cross compiler, Wine to run its programs, GoogleTest's source.
if [ "${WITH_WINDOWS:-0}" = 1 ]; then packages+=(mingw-w64 wine wine64 googletest); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO=sudo; else
    echo "Missing packages: ${missing[*]}; run this script as root to install them." >&2
    exit 1
  fi
else
  SUDO=
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
