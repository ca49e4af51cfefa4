#!/usr/bin/env bash
# Installs the Debian 12 packages Orvalde needs to build, run and test (clang
# and its runtime for the fuzz targets, emscripten and Chromium for the web
# player), skipping those already there; then fetches Debian's source packages
# of the SDL family, which the build compiles for WebAssembly, into a cache
# outside the source tree (ORVALDE_WEB_SOURCES, by default
# ~/.cache/orvalde/web-sources).
set -eu
packages="build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
libvorbis-dev libgraphviz-dev fonts-dejavu-core libgtest-dev xvfb xdotool imagemagick x11-utils clang libclang-rt-14-dev
emscripten chromium chromium-driver python3-selenium"
source_packages="libsdl2 freetype zlib libpng1.6 libjpeg-turbo libsdl2-ttf libsdl2-image libsdl2-mixer"
sources_cache="${ORVALDE_WEB_SOURCES:-${XDG_CACHE_HOME:-$HOME/.cache}/orvalde/web-sources}"

run_as_root=""
[ "$(id -u)" -ne 0 ] && run_as_root="sudo"
updated=no
update_once() {
  [ "$updated" = yes ] || $run_as_root apt-get update -qq
  updated=yes
}

missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  update_once
  DEBIAN_FRONTEND=noninteractive $run_as_root apt-get install -y -qq $missing
fi

# Source packages are fetched once; a later run finds their original tarballs.
fetch=""
for package in $source_packages; do
  { compgen -G "$sources_cache/${package}_*.dsc" && compgen -G "$sources_cache/${package}_*.orig.tar.*"; } >/dev/null ||
    fetch="$fetch $package"
done
[ -z "$fetch" ] && exit 0

# apt gives sources only with a deb-src entry: one is added beside each of the
# machine's Debian entries (same address, suites and components), in a file
# of its own.
if ! apt-cache showsrc libsdl2 2>/dev/null | grep -q '^Package:'; then
  entries=$(mktemp)
  for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] || continue
    sed -n 's|^deb \(.*debian.*\)$|deb-src \1|p' "$list" >>"$entries"
  done
  {
    for list in /etc/apt/sources.list.d/*.sources; do
      [ -f "$list" ] || continue
      # One stanza per paragraph: those of type deb from a Debian address.
      awk 'BEGIN { RS = ""; ORS = "\n\n" }
           /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*debian/ {
             sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$list"
    done
  } >"$entries.sources"
  if [ -s "$entries.sources" ]; then
    $run_as_root cp "$entries.sources" /etc/apt/sources.list.d/orvalde-deb-src.sources
  fi
  if [ -s "$entries" ]; then
    $run_as_root cp "$entries" /etc/apt/sources.list.d/orvalde-deb-src.list
  fi
  $run_as_root chmod 644 /etc/apt/sources.list.d/orvalde-deb-src.* 2>/dev/null || true
  rm -f "$entries" "$entries.sources"
  updated=no
  update_once
fi
echo "Fetching Debian's sources of:$fetch into $sources_cache"
mkdir -p "$sources_cache"
# The newest version first (a security update); should the archive not serve
# its sources, the release's own version.
. /etc/os-release
for package in $fetch; do
  (cd "$sources_cache" && { apt-get source --download-only -qq "$package" 2>/dev/null ||
    apt-get source --download-only -qq "$package/${VERSION_CODENAME:-bookworm}"; })
done
