#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are there.
set -euo pipefail
pkgs=(cmake make g++ clang libclang-rt-14-dev clang-format libgtest-dev libgmock-dev googletest libbenchmark-dev
      qt6-base-dev libgl-dev libcurl4-openssl-dev fonts-dejavu-core fonts-liberation python3
      libcpp-httplib-dev
      libmicrohttpd-dev
      nginx
      libicu-dev
      desktop-file-utils
      libsqlite3-dev
      libsodium-dev
      libgd-dev
      pkg-config
      chromium
      fonts-dejavu-extra
      qt6-svg-dev
      poppler-utils
      qt6-translations-l10n
)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
