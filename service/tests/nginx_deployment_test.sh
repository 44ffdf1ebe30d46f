#!/usr/bin/env bash
# The nginx deployment (service/deploy/nginx-vanto.conf) on 127.0.0.1 in front
# of vanto-service, and the course host's first start through it: nginx must
# serve the course files itself, pass manifests and account requests to the
# service, refuse what the service refuses, and cut off a client that never
# finishes its request head. Given the PostgreSQL test cluster (the INFO file
# of postgres_cluster.sh), it is the publisher's set-up: two service processes
# behind nginx sharing one PostgreSQL database; otherwise one service on SQLite.
# Usage: nginx_deployment_test.sh SERVICE VANTO PUZZLE_PLUGIN COURSE [POSTGRES_INFO]
# Exit 77 (skipped) when nginx is not installed or the course is not generated.
set -euo pipefail
service_program=$1 vanto=$2 plugin=$3 course=$4 postgres_info=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tests/support/service.sh"
site="$here/../deploy/nginx-vanto.conf"
nginx=$(command -v nginx || echo /usr/sbin/nginx)
[ -x "$nginx" ] || { echo "skip: nginx is not installed"; exit 77; }
[ -f "$course/list.txt" ] || { echo "skip: the demo course is not generated (scripts/setup.sh)"; exit 77; }

work=$(mktemp -d)
pids=()
admin_uri=$(sed -n 's/^uri=//p' "$postgres_info" 2>/dev/null || true)
database="vanto_nginx_$$"
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  if [ -n "$admin_uri" ]; then psql "$admin_uri" -qc "DROP DATABASE IF EXISTS $database WITH (FORCE)"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; echo "-- nginx errors:"; cat "$work/error.log" 2>/dev/null; exit 1; }
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

if [ -n "$admin_uri" ]; then
  psql "$admin_uri" -qc "CREATE DATABASE $database"
  db=${admin_uri/\/postgres\?/\/$database?}
  services=(1 2)
else
  db="$work/accounts.db"
  services=(1)
fi
upstream=""
for n in "${services[@]}"; do
  start_service "$service_program" "$work/service$n.log" --root "$course" --db "$db" ||
    fail "service $n did not start"
  upstream+="server 127.0.0.1:$service_port;\n    "
done
echo "${#services[@]} service process(es), accounts in ${db%%\?*}"

port=$(free_port)
sed -e "s|listen 80;|listen 127.0.0.1:$port;|" \
  -e "s|server 127.0.0.1:8090;|$upstream|" \
  -e "s|/srv/vanto/course/|$(cd "$course" && pwd)/|" "$site" >"$work/vanto.conf"
mkdir -p "$work/temp"
cat >"$work/nginx.conf" <<CONF
daemon off;
master_process off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/error.log;
events { worker_connections 256; }
http {
    include /etc/nginx/mime.types;
    access_log $work/access.log;
    client_body_temp_path $work/temp/body;
    proxy_temp_path $work/temp/proxy;
    fastcgi_temp_path $work/temp/fastcgi;
    uwsgi_temp_path $work/temp/uwsgi;
    scgi_temp_path $work/temp/scgi;
    include $work/vanto.conf;
}
CONF
"$nginx" -e "$work/error.log" -p "$work" -c "$work/nginx.conf" &
pids+=($!)
base="http://127.0.0.1:$port"
for _ in $(seq 100); do curl -sf -o /dev/null "$base/popup.htm" && break; sleep 0.1; done
curl -sf -o /dev/null "$base/popup.htm" || fail "nginx did not start"

# The host's first start through nginx: the day's files, the movie shown, a
# learner login, the close.
install="$work/VantoPelko"
mkdir -p "$install"
cp "$vanto" "$plugin" "$course/list.txt" "$install/"
{
  echo "[hosts]"
  for key in mirror0 mirror1 mirror2 mirror3 account site update0; do echo "$key=$base"; done
} >"$install/service.ini"
out=$(cd "$install" && printf 'Chapters\tbegin\nuser\t123+45\n' |
  XDG_RUNTIME_DIR="$install" timeout 240 ./Vanto --headless 2>"$work/host.err") ||
  fail "the host ended with $?: $(tail -5 "$work/host.err")"
grep -q $'^Window\tshow movie$' <<<"$out" || fail "the movie was not shown: $out"
grep -q $'^Window\tend 0$' <<<"$out" || fail "the host did not close normally: $out"
for file in Vanto.swf ss/0.mp3 pz/0.jpg; do
  cmp -s "$install/$file" "$course/$file" || fail "$file differs from the course"
done
grep -q "uid=123" "$install/Vanto.inf" || fail "no account reply"

# nginx served the course files; the services saw the scripts only, each
# some of them.
grep -q '"GET /v2/Vanto.swf?rand=[0-9]* HTTP/1.1" 200' "$work/access.log" || fail "Vanto.swf not served by nginx"
cat "$work"/service*.log >"$work/services.log"
grep -q "^GET /v2/Vanto.swf " "$work/services.log" && fail "a service served Vanto.swf, not nginx"
grep -q "^GET /v2.php 200" "$work/services.log" || fail "no manifest from the service"
grep -q "^GET /v2/vtuser.php 200" "$work/services.log" || fail "no account request reached the service"
for n in "${services[@]}"; do
  grep -q "^GET /" "$work/service$n.log" || fail "service $n got no request"
done

# Refusals: hidden names, paths out of the tree, other methods.
[ "$(curl -s -o /dev/null -w '%{http_code}' "$base/v2/.list-source")" = 404 ] || fail "a hidden file was served"
[ "$(curl -s -o /dev/null -w '%{http_code}' --path-as-is "$base/v2/../../etc/passwd")" = 400 ] ||
  fail "a path out of the tree was not refused"
[ "$(curl -s -o /dev/null -w '%{http_code}' -X POST "$base/v2.php")" = 403 ] || fail "POST was accepted"
[ "$(curl -s -o /dev/null -w '%{http_code}' "$base/v2/missing.swf")" = 404 ] || fail "a missing file was not 404"

# A client that never finishes its request head is cut off (reset) after the
# header time limit.
exec 3<>"/dev/tcp/127.0.0.1/$port"
printf 'GET /popup.htm HTTP/1.1\r\nHost: x\r\n' >&3
start=$SECONDS
timeout 30 cat <&3 >/dev/null 2>&1 || true
exec 3<&-
[ $((SECONDS - start)) -lt 30 ] || fail "a slow client was kept over 30 s"
echo "slow client closed after $((SECONDS - start)) s"
echo "nginx deployment test passed"
