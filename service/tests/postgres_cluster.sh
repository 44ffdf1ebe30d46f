#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the service tests, on a Unix socket in a
# fresh temporary folder (no TCP port, so parallel runs never collide).
#   postgres_cluster.sh start INFO   starts it and writes its URI into INFO
#   postgres_cluster.sh stop INFO    stops it and removes its folder
# Where PostgreSQL is not installed, INFO says "skip: why" and start succeeds.
# The cluster trades durability for speed (fsync off); VANTO_PG_OPTIONS adds
# server options after these (for example "-c fsync=on" for load figures).
set -euo pipefail
action=$1
info=$2

if [ "$action" = stop ]; then
  [ -f "$info" ] || exit 0
  folder=$(sed -n 's/^folder=//p' "$info")
  bin=$(sed -n 's/^bin=//p' "$info")
  if [ -n "$folder" ]; then
    as_owner() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
    as_owner "$bin/pg_ctl" -D "$folder/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$folder"
  fi
  rm -f "$info"
  exit 0
fi

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "skip: PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb);" \
    "the PostgreSQL account store was not tested" >"$info"
  exit 0
fi
folder=$(mktemp -d /tmp/vanto-pg.XXXXXX)
as_owner() { "$@"; }
if [ "$(id -u)" -eq 0 ]; then
  # The server refuses to run as root: the cluster belongs to Debian's
  # "postgres" user.
  chown postgres: "$folder"
  as_owner() { runuser -u postgres -- "$@"; }
fi
as_owner "$bin/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 --locale=C --no-sync \
  >"$folder/initdb.log" 2>&1 || { cat "$folder/initdb.log"; rm -rf "$folder"; exit 1; }
as_owner "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 start \
  -o "-k $folder -c listen_addresses= -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=300 ${VANTO_PG_OPTIONS:-}" \
  >/dev/null || { cat "$folder/server.log"; rm -rf "$folder"; exit 1; }
{
  echo "uri=postgresql://postgres@/postgres?host=$folder"
  echo "folder=$folder"
  echo "bin=$bin"
} >"$info"
echo "PostgreSQL $("$bin/postgres" --version | awk '{print $3}') on $folder"
