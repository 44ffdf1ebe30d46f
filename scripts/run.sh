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

# Another program on the port would answer in the service's place.
if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
  echo "run: port $port is taken by another program; choose another with VANTO_PORT, for example:" >&2
  echo "  VANTO_PORT=8091 bash scripts/run.sh" >&2
  exit 1
fi
./build/service/vanto-service --port "$port" --root build/course \
  --db run/service/accounts.db 2>run/service/service.log &
service_pid=$!
trap 'kill $service_pid 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  kill -0 $service_pid 2>/dev/null || break
  curl -sf -o /dev/null "http://127.0.0.1:$port/popup.htm" && break
  sleep 0.1
done
if ! kill -0 $service_pid 2>/dev/null; then
  cat run/service/service.log >&2
  echo "run: the service could not start on port $port; choose another with VANTO_PORT" >&2
  exit 1
fi

# The installation: the programs, the puzzle plug-in and the course list;
# everything else comes from the service at the first start.
cp build/bin/Vanto build/bin/libPuzzle.so "$install/"
rm -rf "$install/player" && cp -r build/bin/player "$install/"
[ -x build/bin/Update ] && cp build/bin/Update "$install/"
[ -f "$install/list.txt" ] || cp build/course/list.txt "$install/"
# The hosts of this run's service, written each time: a file from a run on
# another port would send the host where nothing listens.
base=http://127.0.0.1:$port
{
  echo "[hosts]"
  for key in mirror0 mirror1 mirror2 mirror3 account update0 update1 update2 update3 site; do
    echo "$key=$base"
  done
} >"$install/service.ini"

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
