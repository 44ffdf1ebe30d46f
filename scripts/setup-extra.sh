#!/usr/bin/env bash
# Extra set-up steps run by scripts/setup.sh after the Debian packages are in
# place. Each step is idempotent and quick when its work is already done.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

# Demo course for the reference service: npm data packages into
# service/demo_course/node_modules (from the committed lock file); the build
# makes the course tree from them (build/course). Sounds and puzzle pictures
# are made by the service on demand.
demo=service/demo_course
if [ ! -f $demo/node_modules/.package-lock.json ] ||
  [ $demo/package-lock.json -nt $demo/node_modules/.package-lock.json ]; then
  if ! command -v npm >/dev/null; then
    # Debian's own nodejs comes without npm; it is a package of its own there.
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq npm
  fi
  (cd $demo && npm ci --no-audit --no-fund --loglevel=error)
fi

# The movie player of the course window: Ruffle from npm into
# player/node_modules (from the committed lock file); the build copies it
# beside the program.
if [ ! -f player/node_modules/.package-lock.json ] ||
  [ player/package-lock.json -nt player/node_modules/.package-lock.json ]; then
  (cd player && npm ci --no-audit --no-fund --loglevel=error)
fi
