#!/bin/sh
# Installs the Debian packages the project needs; does nothing when all are present.
set -eu
PACKAGES="
  build-essential cmake pkg-config ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libbz2-dev libminizip-dev
  libpcre2-dev libcairo2-dev fonts-dejavu-core fonts-wqy-microhei
  libpng-dev libjpeg62-turbo-dev libcups2-dev libxext-dev
  libxml2-dev
  clang libclang-rt-dev
  libinih-dev libssl-dev
  libx11-dev libxrandr-dev libasound2-dev alsa-utils xvfb x11-xserver-utils xauth
  zip unzip bzip2 gzip qpdf python3
"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
