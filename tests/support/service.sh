# The reference service for test scripts, on a port it picks itself. Sourced
# by bash scripts:
#
#   . tests/support/service.sh
#   start_service SERVICE LOG [ARGUMENTS...]
#
# runs `SERVICE --port 0 ARGUMENTS...` in the background with its standard
# error into LOG (standard output is dropped) and waits until it reports the
# address it serves on. Sets service_pid, service_port and service_url
# (http://127.0.0.1:PORT); adds the pid to the array `pids` when the script
# keeps one for its clean-up. Returns 1, with the log on standard error, when
# the service ended or did not report within `service_wait` seconds (10).

start_service() {
  local program=$1 log=$2 tries
  shift 2
  "$program" --port 0 "$@" >/dev/null 2>"$log" &
  service_pid=$!
  if declare -p pids >/dev/null 2>&1; then pids+=("$service_pid"); fi
  service_port=""
  for ((tries = 0; tries < ${service_wait:-10} * 10; tries++)); do
    service_port=$(sed -n 's|^vanto-service: serving .* on http://127\.0\.0\.1:\([0-9]*\)$|\1|p' \
      "$log" | head -n 1)
    [ -n "$service_port" ] && break
    kill -0 "$service_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$service_port" ]; then
    echo "the service did not start:" >&2
    cat "$log" >&2
    return 1
  fi
  service_url=http://127.0.0.1:$service_port
}

# A loopback port where nothing listens now, for a service that must be told
# its port before it starts (the installed service reads it from its settings).
free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
