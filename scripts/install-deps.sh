#!/bin/sh
# Installs the Debian packages that are missing for building, testing or
# benchmarking. "run" needs the build set; "test" and "bench" add the peers.
set -eu

build="fonts-liberation2 qt6-base-dev qt6-svg-dev libqt6svg6 libcurl4-openssl-dev libcups2-dev libsimpleini-dev gettext cmake g++ ninja-build make"
test="$build cups-daemon cups-client python3-pyftpdlib socat xvfb xauth xdotool imagemagick clang libclang-rt-14-dev curl"
bench="$test iproute2 iptables ethtool libnetfilter-queue-dev netcat-openbsd"

case "${1:-run}" in
  run) want=$build ;;
  test) want=$test ;;
  bench) want=$bench ;;
  *) echo "usage: $0 [run|test|bench]" >&2; exit 2 ;;
esac

missing=""
for p in $want; do
  if ! dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
