#!/usr/bin/env bash
# Sets up, then runs the course: the reference service with the demo course
# on 127.0.0.1:8090, and the course host in an installation folder under
# run/. With a display (DISPLAY set) the course window opens; close it to
# end. Without one the host runs headless: type movie commands (command,
# TAB, argument), end with Ctrl-D to close it; without a terminal a short
# demo session is played.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

scripts/setup.sh

port=${VANTO_PORT:-8090}
install="$here/run/VantoPelko"
mkdir -p "$install" run/service

./build/service/vanto-service --port "$port" --root build/course \
  --db run/service/accounts.db 2>run/service/service.log &
service_pid=$!
trap 'kill $service_pid 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  curl -sf -o /dev/null "http://127.0.0.1:$port/popup.htm" && break
  sleep 0.1
done

# The installation: the programs, the puzzle plug-in and the course list;
# everything else comes from the service at the first start.
cp build/bin/Vanto build/bin/libPuzzle.so "$install/"
rm -rf "$install/player" && cp -r build/bin/player "$install/"
[ -x build/bin/Update ] && cp build/bin/Update "$install/"
[ -f "$install/list.txt" ] || cp build/course/list.txt "$install/"
if [ "$port" != 8090 ]; then
  printf '[hosts]\nmirror0=http://127.0.0.1:%s\nmirror1=http://127.0.0.1:%s\nmirror2=http://127.0.0.1:%s\nmirror3=http://127.0.0.1:%s\naccount=http://127.0.0.1:%s\nsite=http://127.0.0.1:%s\n' \
    "$port" "$port" "$port" "$port" "$port" "$port" >"$install/service.ini"
fi

if [ -n "${DISPLAY:-}" ]; then
  echo "== course window on display $DISPLAY, installation in $install, service on http://127.0.0.1:$port =="
  set +e
  "$install/Vanto"
elif [ -t 0 ]; then
  echo "== course host (headless) in $install, service on http://127.0.0.1:$port =="
  echo "Type movie commands (for example: Chapters<TAB>begin), Ctrl-D closes the course."
  set +e
  "$install/Vanto" --headless
else
  echo "== course host (headless) in $install, service on http://127.0.0.1:$port =="
  set +e
  "$install/Vanto" --headless <scripts/demo-session.txt
fi
status=$?
echo "== the learner now stands at =="
./build/tools/vanto-status "$install" || true
exit $status
