#!/usr/bin/env bash
# Installs the Debian 12 packages Orvalde needs to build, run and test (clang
# and its runtime for the fuzz targets), skipping those already there.
set -eu
packages="build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
libvorbis-dev libgraphviz-dev fonts-dejavu-core libgtest-dev xvfb xdotool imagemagick x11-utils clang libclang-rt-14-dev"
missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
[ -z "$missing" ] && exit 0
run_as_root=""
[ "$(id -u)" -ne 0 ] && run_as_root="sudo"
echo "Installing:$missing"
$run_as_root apt-get update -qq
DEBIAN_FRONTEND=noninteractive $run_as_root apt-get install -y -qq $missing
