#!/usr/bin/env bash
# The course host and the updater against a signing reference service behind
# TLS (nginx), with a certificate authority made here: the signed start-up
# manifest and the signed update run over https; a host that does not verify
# reads what the signing service serves; with another publisher key, without
# the authority, or through a redirect to plain http, nothing is accepted.
# Arguments: Vanto Update vanto-service demo-course-folder
set -euo pipefail
source "$(dirname "$0")/../support/service.sh"
vanto=$1 update=$2 service=$3 course=$4
if [ ! -f "$course/list.txt" ]; then
  echo "the demo course is not generated (run scripts/setup.sh); skipped"
  exit 0
fi
work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Certificate authority and the service's certificate for 127.0.0.1.
cd "$work"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=vanto-test-ca \
  -keyout ca.key -out ca.pem 2>/dev/null
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=unknown-ca \
  -keyout unknown-ca.key -out unknown-ca.pem 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -keyout tls.key -out tls.csr 2>/dev/null
printf 'subjectAltName=IP:127.0.0.1\n' >san.ext
openssl x509 -req -in tls.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
  -extfile san.ext -out tls.pem 2>/dev/null

# The publisher's key, a small course tree with an update tree.
"$service" keygen publisher.secret publisher.key
"$service" keygen other.secret other.key
mkdir -p root/update/data
cp "$course/list.txt" "$course/Vanto.swf" root/
echo "new data" >root/update/data/new.txt
printf '#!/bin/sh\necho "$1" > restarted.txt\n' >root/update/Vanto.ex_

start_service "$service" service.log --root root --db accounts.db --quiet \
  --signing-key publisher.secret || fail "no service"

# nginx terminates TLS in front of the service, on a free port.
for _ in $(seq 10); do
  port=$((20000 + RANDOM % 20000))
  cat >nginx.conf <<CONF
daemon off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/nginx.log;
events {}
http {
  access_log off;
  server {
    listen 127.0.0.1:$port ssl;
    ssl_certificate $work/tls.pem;
    ssl_certificate_key $work/tls.key;
    location / {
      proxy_pass http://127.0.0.1:$service_port;
      proxy_buffering off;
    }
    location /plain/ {
      rewrite ^/plain/(.*)\$ http://127.0.0.1:$service_port/\$1 redirect;
    }
  }
}
CONF
  /usr/sbin/nginx -e "$work/nginx.log" -p "$work" -c "$work/nginx.conf" &
  nginx_pid=$!
  for _ in $(seq 50); do
    curl -sf --cacert ca.pem -o /dev/null "https://127.0.0.1:$port/popup.htm" && break
    kill -0 "$nginx_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$nginx_pid" 2>/dev/null; then break; fi
  wait "$nginx_pid" || true
done
pids+=("$nginx_pid")
base=https://127.0.0.1:$port
curl -sf --cacert ca.pem -o /dev/null "$base/popup.htm" || fail "nginx did not start"

hosts() {
  echo "[hosts]"
  for key in mirror0 mirror1 mirror2 mirror3 account site update0 update1 update2 update3; do
    echo "$key=${1:-$base}"
  done
}
export XDG_STATE_HOME=$work/state VANTO_CA_FILE=$work/ca.pem
export VANTO_PUBLISHER_KEY_FILE=$work/publisher.key

# The updater: signed manifest, verified files, host restarted.
mkdir -p program
hosts >program/service.ini
cp "$update" program/Update
(cd program && ./Update --headless >update.out 2>&1) || fail "Update: $(cat program/update.out)"
grep -qx "new data" program/data/new.txt || fail "the update's file did not arrive"
for _ in $(seq 100); do [ -f program/restarted.txt ] && break; sleep 0.1; done
grep -qx "/updated" program/restarted.txt || fail "the host was not restarted"

# The host: signed start-up manifest, course fetched, movie shown.
mkdir -p host
hosts >host/service.ini
cp "$vanto" "$course/list.txt" host/
export XDG_RUNTIME_DIR=$work/host
# Whether the host showed the movie.
host_shows_movie() {
  (cd host && echo kid | ./Vanto --headless >host.out 2>host.err) || fail "Vanto: $(cat host/host.err)"
  grep -qx $'Window\tshow movie' host/host.out
}
host_shows_movie || fail "Vanto: $(cat host/host.err)"
cmp -s host/Vanto.swf root/Vanto.swf || fail "the movie did not arrive"

# A host that does not verify reads the signed manifest as before.
rm -f host/Vanto.swf
VANTO_PUBLISHER_KEY_FILE= host_shows_movie || fail "a host without a key refused the signed course"
cmp -s host/Vanto.swf root/Vanto.swf || fail "the movie did not arrive without a key"

# An https host that redirects to plain http is not followed, with a key or
# without.
hosts "$base/plain" >program/service.ini
hosts "$base/plain" >host/service.ini
status=0
(cd program && ./Update --headless >update.out 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "Update followed a redirect to http ($status)"
! host_shows_movie || fail "Vanto with a key followed a redirect to http"
! VANTO_PUBLISHER_KEY_FILE= host_shows_movie || fail "Vanto followed a redirect to http"
hosts >program/service.ini
hosts >host/service.ini

# Another publisher's key: neither program accepts anything.
export VANTO_PUBLISHER_KEY_FILE=$work/other.key
rm -f program/data/new.txt
status=0
(cd program && ./Update --headless >update.out 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "Update with another key ended with $status"
[ ! -e program/data/new.txt ] || fail "Update with another key installed a file"
! host_shows_movie || fail "Vanto with another key showed the movie"

# An unknown certificate authority is an unusable host.
export VANTO_PUBLISHER_KEY_FILE=$work/publisher.key VANTO_CA_FILE=$work/unknown-ca.pem
status=0
(cd program && ./Update --headless >update.out 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "Update trusted an unknown authority ($status)"
echo "signed https run: ok"
