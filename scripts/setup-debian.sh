#!/usr/bin/env bash
# Installs the Debian packages Tarvel builds and tests with. Run as root (or through sudo).
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  googletest libgtest-dev libgmock-dev
  libzip-dev zlib1g-dev zip unzip
  libpq-dev postgresql postgresql-contrib
  libpugixml-dev
  qt6-base-dev libgl-dev xvfb fonts-dejavu-core
  clang-format
)
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${packages[@]}"
# The demo and the tests start their own clusters; the packaged one is not needed.
if command -v systemctl >/dev/null 2>&1 && systemctl is-active --quiet postgresql 2>/dev/null; then
  $SUDO systemctl stop postgresql || true
fi
