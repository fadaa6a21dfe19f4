#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Veyla need.
# Does nothing when all are present; as root it calls apt-get directly, otherwise through sudo.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config git
  # window, picture decoding, fonts the status line falls back to
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libjpeg62-turbo-dev fonts-noto-cjk
  # tests, benchmarks, the reference DES in the cross-check
  libgtest-dev libgmock-dev libbenchmark-dev libssl-dev openssl
  # fuzzing (libFuzzer ships with clang's runtime)
  clang libclang-rt-14-dev
  # install checks and packaging
  desktop-file-utils dpkg-dev file groff-base
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Packages are missing and this user is not root and has no sudo: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt_get=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)
# A fresh machine may have empty package lists; refresh once when an install cannot find a package.
if ! "${apt_get[@]}" install --no-install-recommends "${missing[@]}"; then
  "${apt_get[@]}" update
  "${apt_get[@]}" install --no-install-recommends "${missing[@]}"
fi
