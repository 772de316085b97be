#!/bin/sh
# Installs the Debian packages the build and the tests need, only those missing.
# Idempotent; runs as root or through sudo. With --fuzz it also installs the
# clang toolchain of the fuzz targets (make fuzz), which make test never needs.
set -eu
PACKAGES="g++ make cmake ninja-build pkgconf qt6-base-dev qt6-qpa-plugins libgtest-dev libgmock-dev googletest \
libxlsxwriter-dev zlib1g-dev libjpeg-dev fonts-dejavu-core locales libpoppler-qt6-dev"

if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES="$PACKAGES clang libclang-rt-14-dev"
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
echo "Installing:$missing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
