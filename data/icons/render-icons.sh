#!/usr/bin/env bash
# Renders veyla.svg into veyla-48.png, veyla-128.png and veyla-256.png (needs qt6-svg-dev).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -fPIC -o "$work/render_icons" "$here/render_icons.cpp" \
  $(pkg-config --cflags --libs Qt6Svg Qt6Gui)
QT_QPA_PLATFORM=offscreen "$work/render_icons" "$here/veyla.svg" "$here/veyla"
