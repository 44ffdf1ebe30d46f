#!/usr/bin/env bash
# Load test of vanto-service on 127.0.0.1 with wrk: manifests, content files
# and account updates, DURATION seconds each (default 10). Reports requests/s
# and the 99th-percentile latency of each, fails on any failed request, and
# checks afterwards that no account update was lost (every accepted write
# counted in the learner's revision, the last write readable, the database
# intact).
#
# Usage: [STORE=sqlite|postgresql] service/load/loadtest.sh [SERVICE_BINARY] [COURSE_ROOT]
# STORE=postgresql keeps the accounts in a throw-away PostgreSQL cluster
# (fsync on, synchronous_commit off: like SQLite's WAL with synchronous=NORMAL,
# a crash of the machine may lose the last moments, never corrupt).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
binary=${1:-$repo/build/service/vanto-service}
root=${2:-$repo/build/course}
duration=${DURATION:-10}
threads=2
connections=32

store=${STORE:-sqlite}
cluster="$repo/service/tests/postgres_cluster.sh"

work=$(mktemp -d)
service_pid=""
cleanup() {
  if [ -n "$service_pid" ]; then kill "$service_pid" 2>/dev/null || true; wait "$service_pid" 2>/dev/null || true; fi
  if [ "$store" = postgresql ]; then bash "$cluster" stop "$work/postgres.info"; fi
  rm -rf "$work"
}
trap cleanup EXIT

if [ "$store" = postgresql ]; then
  VANTO_PG_OPTIONS="-c fsync=on -c full_page_writes=on" bash "$cluster" start "$work/postgres.info"
  db=$(sed -n 's/^uri=//p' "$work/postgres.info")
  [ -n "$db" ] || { cat "$work/postgres.info"; exit 1; }
  sql() { psql "$db" -tAqc "$1"; }
  integrity() {  # the indexes agree with the tables (amcheck ships with the server)
    sql "CREATE EXTENSION IF NOT EXISTS amcheck" &&
      sql "SELECT bt_index_check('learners_pkey', true), bt_index_check('parents_pkey', true)" >/dev/null &&
      echo ok
  }
else
  db="$work/accounts.db"
  sql() { sqlite3 "$db" "$1"; }
  integrity() { sql "PRAGMA integrity_check"; }
fi
echo "store: $store"

"$binary" --port 0 --root "$root" --db "$db" --threads 48 --quiet 2>"$work/service.log" &
service_pid=$!
for _ in $(seq 50); do
  grep -q "serving" "$work/service.log" 2>/dev/null && break
  sleep 0.1
done
port=$(sed -n 's/.*http:\/\/127.0.0.1:\([0-9]*\).*/\1/p' "$work/service.log" | head -1)
[ -n "$port" ] || { echo "service did not start"; cat "$work/service.log"; exit 1; }
base="http://127.0.0.1:$port"

# Make the media the tests ask for, and the eight learners.
curl -sf "$base/v2.php?day=0&from=0&to=12&ver=20120610&qudao=" >/dev/null
for uid in $(seq 8); do curl -sf "$base/v2/vtuser.php?uid=$uid&ppt=$uid&qudao=load&rand=0" >/dev/null; done

failed=0
run() {  # name, wrk arguments...
  local name=$1; shift
  wrk -t$threads -c$connections -d"${duration}s" --latency "$@" >"$work/$name.txt"
  local rps p99 non2xx errors
  rps=$(awk '/^Requests\/sec/ {print $2}' "$work/$name.txt")
  p99=$(awk '$1 == "99%" {print $2}' "$work/$name.txt")
  non2xx=$(awk '/Non-2xx/ {print $NF}' "$work/$name.txt")
  errors=$(awk '/Socket errors/ {print}' "$work/$name.txt")
  local bad
  bad=$(grep -c "bad account reply" "$work/$name.txt" || true)
  printf '%-10s %10s req/s   p99 %-9s requests %s\n' "$name" "$rps" "$p99" \
    "$(awk '/requests in/ {print $1}' "$work/$name.txt")"
  if [ -n "$non2xx" ] || [ -n "$errors" ] || [ "$bad" != "0" ]; then
    echo "  FAILED: ${non2xx:+non-2xx $non2xx }${errors}${bad:+ bad replies $bad}"
    failed=1
  fi
}

run manifest "$base/v2.php?day=0&from=0&to=12&ver=20120610&qudao="
run files -s "$here/files.lua" "$base"
run accounts -s "$here/accounts.lua" "$base"

# Integrity: every accepted account write is counted once. wrk counts only the
# replies it read before its time ran out, so up to one request per connection
# may have been written without being counted.
counted=$(awk '/requests in/ {print $1}' "$work/accounts.txt")
# Last write wins: one more write per learner, read back through a login.
for uid in $(seq 8); do
  curl -sf "$base/v2/vtuser.php?uid=$uid&ppt=$uid&mofa=7,7,7,7,7,7,7,7,7,$uid,&rand=1" >/dev/null
  curl -sf "$base/v2/vtuser.php?uid=$uid&ppt=$uid&chapter=4&chdays=1,2,3,4,5,6,&ch_day=0&rand=2" >/dev/null
  reply=$(curl -sf "$base/v2/vtuser.php?uid=$uid&ppt=$uid&qudao=&rand=3")
  if ! grep -q "count=7,7,7,7,7,7,7,7,7,$uid," <<<"$reply" || ! grep -q "chapter=4" <<<"$reply" ||
    ! grep -q "days=1,2,3,4,5,6," <<<"$reply"; then
    echo "last write lost for learner $uid"; failed=1
  fi
done
kill "$service_pid"; wait "$service_pid" 2>/dev/null || true; service_pid=""

# Writes per learner: 1 creating login + wrk's writes + 3 checks.
written=$(sql "SELECT SUM(revision) - 8 * 4 FROM learners WHERE uid BETWEEN 1 AND 8")
integrity=$(integrity)
echo "accounts: $counted writes answered, $written stored, integrity $integrity"
if [ "$integrity" != "ok" ] || [ "$written" -lt "$counted" ] || [ "$written" -gt $((counted + connections)) ]; then
  echo "  FAILED: account writes lost or duplicated"; failed=1
fi
[ "$failed" = 0 ] && echo "load test passed" || { echo "load test FAILED"; exit 1; }
