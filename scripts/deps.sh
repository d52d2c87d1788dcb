#!/bin/sh
# Installs the Debian packages the build (and, with "test", the tests) need,
# only when some are missing. Must run as root on a fresh machine.
set -e
pkgs="cmake make g++ qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite qttools5-dev qttools5-dev-tools qttranslations5-l10n"
case "$1" in
  test) pkgs="$pkgs iproute2 util-linux procps xvfb xauth x11-apps imagemagick libx11-dev fonts-wqy-microhei" ;;
  run) pkgs="$pkgs qt5-gtk-platformtheme fonts-wqy-microhei" ;;
esac
missing=""
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "Missing packages:$missing (run me as root to install them)" >&2
    exit 1
  fi
  echo "Installing:$missing"
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi
