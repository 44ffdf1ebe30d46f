#!/usr/bin/env bash
# Builds the Debian packages vanto, vanto-service and vanto-demo-course from
# the project's files (those git tracks or would track, without build
# folders), in a copy in a temporary folder; the packages, the .changes and
# the .buildinfo land in OUTPUT (default build-packages/). Installs missing
# build dependencies first (as root, or through sudo).
#
# usage: scripts/build-packages.sh [OUTPUT]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$here/build-packages}")
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"

work=$(mktemp -d /tmp/vanto-packages.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/vanto"
if git -C "$here" rev-parse --git-dir >/dev/null 2>&1; then
  git -C "$here" ls-files -z --cached --others --exclude-standard |
    tar -C "$here" --null --files-from=- --ignore-failed-read -cf - | tar -C "$work/vanto" -xf -
else
  tar -C "$here" --exclude='./build*' --exclude=node_modules --exclude=./run --exclude='./obj-*' \
    -cf - . | tar -C "$work/vanto" -xf -
fi

cd "$work/vanto"
if ! dpkg-checkbuilddeps 2>/dev/null; then
  echo "build-packages: installing the build dependencies"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 build-dep -y -qq .
fi
start=$(date +%s)
mkdir -p "$output"
if ! dpkg-buildpackage -us -uc -b -jauto >"$output/build.log" 2>&1; then
  tail -n 40 "$output/build.log"
  echo "build-packages: dpkg-buildpackage failed; its whole output is in $output/build.log"
  exit 1
fi
cp "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$output/"
echo "build-packages: built in $(($(date +%s) - start)) s:"
(cd "$output" && ls -l ./*.deb)
