#!/usr/bin/env bash
# The Debian packages as a family gets and uses them. Builds vanto,
# vanto-service and vanto-demo-course from the project's files, lints them,
# installs the three with apt-get, starts the service with its packaged
# settings the way its systemd unit does (systemd does not run here), then
# runs "vanto" as an ordinary user on a virtual display: the home screen
# (kept as package-NN-home.png in the shots folder), the downloaded course in
# the user's own folder, a magic card earned in a headless run. Installs a
# higher version of the packages: the programs in the user's folder are
# replaced, the learner's progress is kept. Purges the three: nothing of
# theirs is left outside the user's folder, the unit is no longer enabled
# and the system user is disabled. The machine is left as it was, also when
# the test fails halfway. Needs root; exits 77 when it cannot run.
#
# usage: debian_packages.sh SOURCE_TREE SHOTS_FOLDER VANTO_STATUS
set -euo pipefail
source "$(dirname "$0")/window_driver.sh"
source_tree=$1 shots=$2 status_tool=$3 shot_prefix=package

[ "$(id -u)" = 0 ] || { echo "needs root: it installs packages"; exit 77; }
for tool in Xvfb xdotool import dpkg-buildpackage lintian desktop-file-validate appstreamcli \
  setpriv useradd; do
  command -v $tool >/dev/null || { echo "$tool is missing"; exit 77; }
done
packages=(vanto vanto-service vanto-demo-course)
for package in "${packages[@]}"; do
  state=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  if [ -n "$state" ] && [ "$state" != not-installed ]; then
    echo "FAIL: $package is on this machine already ($state); purge it first"
    exit 1
  fi
done
service_user=_vanto-service
service_user_before=$(getent passwd $service_user || true)

scratch=$(mktemp -d /tmp/vanto-package.XXXXXX)
chmod 755 "$scratch"
pids=() step=0 installed=0 trace=$scratch/trace.log
touch "$trace"
user=vanto-t$$ home=$scratch/home
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if [ $installed = 1 ]; then
    apt-get -o DPkg::Lock::Timeout=600 purge -y -qq "${packages[@]}" >/dev/null 2>&1 ||
      dpkg --purge "${packages[@]}" >/dev/null 2>&1 || true
  fi
  if [ -z "$service_user_before" ] && getent passwd $service_user >/dev/null; then
    userdel $service_user 2>/dev/null || true
  fi
  if id "$user" >/dev/null 2>&1; then userdel "$user" 2>/dev/null || true; fi
  [ "${passed:-0}" = 1 ] && rm -rf "$scratch" || echo "kept $scratch"
}
trap cleanup EXIT
began=$(date +%s)

# --- build and lint -----------------------------------------------------------
debs=$scratch/debs
bash "$source_tree/scripts/build-packages.sh" "$debs"
build_time=$(($(date +%s) - began))
lint=0
lintian --fail-on error,warning --display-info --show-overrides "$debs"/*.changes >"$scratch/lintian.txt" 2>&1 || lint=$?
grep -v "running with root privileges" "$scratch/lintian.txt" >"$shots/package-lintian.txt" || true
[ $lint = 0 ] || { cat "$shots/package-lintian.txt"; fail "lintian found errors or warnings"; }
echo "lintian (also in $shots/package-lintian.txt):"
sed 's/^/  /' "$shots/package-lintian.txt"

deb_files() { for package in "${packages[@]}"; do ls "$1/${package}_"*.deb; done; }
# What each package holds, for the record: its size, relations and the
# files it installs, counted per folder.
for deb in $(deb_files "$debs"); do
  echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
  dpkg-deb -f "$deb" Installed-Size Depends Recommends
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {
    n = split(substr($6, 3), part, "/"); folder = part[1]
    for (i = 2; i < n && i <= 3; i++) folder = folder "/" part[i]
    count[folder]++ }
    END { for (folder in count) printf "  %5d /%s\n", count[folder], folder }' | sort -k2
done >"$shots/package-contents.txt"

# --- install, and the service as its unit runs it -------------------------------
apt-get -o DPkg::Lock::Timeout=600 install -y -qq $(deb_files "$debs") >"$scratch/install.log" 2>&1 ||
  { tail -n 30 "$scratch/install.log"; fail "the packages did not install"; }
installed=1
desktop-file-validate /usr/share/applications/org.vanto.Vanto.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.vanto.Vanto.metainfo.xml >/dev/null
unit=/lib/systemd/system/vanto-service.service
[ -L /etc/systemd/system/multi-user.target.wants/vanto-service.service ] ||
  fail "the service's unit is not enabled"

# Port 8090 may be another program's here: the administrator's way round that
# is a port of its own in the service's settings and in the course's hosts.
port=$(free_port)
sed -i "s/--port 8090/--port $port/" /etc/vanto-service/vanto-service.conf
sed -i "s|127.0.0.1:8090|127.0.0.1:$port|" /etc/vanto/service.ini
unit_key() { sed -n "s/^$1=//p" $unit | head -n 1; }
set -a
source "$(unit_key EnvironmentFile)"
set +a
command=()
for word in $(unit_key ExecStart); do
  if [[ $word == \$* ]]; then
    variable=${word#\$}
    command+=(${!variable})
  else
    command+=("$word")
  fi
done
(cd / && exec setpriv --reuid="$(unit_key User)" --regid="$(unit_key Group)" --init-groups \
  "${command[@]}" 2>"$scratch/service.log") &
pids+=($!)
for _ in $(seq 100); do
  curl -sf -o /dev/null "http://127.0.0.1:$port/popup.htm" && break
  sleep 0.1
done
curl -sf -o /dev/null "http://127.0.0.1:$port/popup.htm" ||
  { cat "$scratch/service.log"; fail "the packaged service did not start"; }

# --- the course for an ordinary user --------------------------------------------
useradd --create-home --home-dir "$home" --user-group --shell /bin/bash "$user"
install -d -o "$user" -g "$user" -m 0700 "$home/runtime"
folder=$home/.local/share/vanto/learners/1
# A command line run as the user, in a login's plain environment.
as_user=(setpriv --reuid="$user" --regid="$user" --init-groups env -i HOME="$home" USER="$user"
  LOGNAME="$user" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$home/runtime")
start_display

"${as_user[@]}" DISPLAY="$DISPLAY" VANTO_TRACE=1 vanto 2>"$trace" &
host=$!
pids+=($host)
wait_for "newuser	"
wait_pixel 65 200 "#FFFFFF" "today's characters on the home screen"
sleep 1
shot home
close_host

for file in Vanto Update libPuzzle.so player/index.html list.txt Vanto.swf ss/0.mp3 bh/0.swf \
  tp/0.swf pz/0.jpg gs0/0.swf Vanto.ini; do
  [ -s "$folder/$file" ] || fail "the user's folder has no $file"
done
[ "$(stat -c %U "$folder/Vanto.ini")" = "$user" ] || fail "the learner's files are not the user's"
cmp -s /etc/vanto/service.ini "$folder/service.ini" || fail "the hosts of /etc/vanto were not applied"
version=$(dpkg-query -W -f='${Version}' vanto)
[ "$(cat "$folder/package-version")" = "$version" ] || fail "no stamp of version $version"

"${as_user[@]}" vanto --help | grep -q "^usage: Vanto" || fail "vanto --help does not show the usage"
# A magic card earned, in a headless run through the launcher.
printf 'addMofa\t3\nendMofa\t\n' | "${as_user[@]}" vanto --headless >"$scratch/headless-1.log" 2>&1 ||
  fail "the headless run ended with $?"
cards() { tr -d '\r' <"$folder/Vanto.ini" | sed -n '/^\[mofa\]/,/^\[/p' | grep -v '^\['; }
progress=$(cards; "$status_tool" "$folder")
grep -q "^count=.*1," <<<"$progress" || fail "the magic card was not kept: $progress"

# --- a higher version -----------------------------------------------------------
# As if the course's own updater had replaced a program and the player since.
echo "an updated program" >"$folder/Update"
echo "// an updated player" >>"$folder/player/player.js"
# Downloaded files the course itself leaves alone on a second start.
kept() { stat -c '%n %i %Y %s' "$folder"/{list.txt,Vanto.swf,ss/0.mp3,pz/0.jpg,gs0/0.swf}; }
kept_before=$(kept)
upgrade=$version+1
mkdir -p "$scratch/repack" "$scratch/debs-up"
for deb in $(deb_files "$debs"); do
  tree=$scratch/repack/$(basename "$deb" .deb)
  dpkg-deb -R "$deb" "$tree"
  sed -i "s/^Version: .*/Version: $upgrade/" "$tree/DEBIAN/control"
  dpkg-deb -b "$tree" "$scratch/debs-up/" >/dev/null
done
apt-get -o DPkg::Lock::Timeout=600 -o Dpkg::Options::=--force-confold install -y -qq \
  $(deb_files "$scratch/debs-up") >"$scratch/upgrade.log" 2>&1 ||
  { tail -n 30 "$scratch/upgrade.log"; fail "the higher version did not install"; }
[ "$(dpkg-query -W -f='${Version}' vanto)" = "$upgrade" ] || fail "vanto was not upgraded"

"${as_user[@]}" vanto --headless </dev/null >"$scratch/headless-2.log" 2>&1 || fail "the run after the upgrade ended with $?"
[ "$(cat "$folder/package-version")" = "$upgrade" ] || fail "the stamp did not follow the upgrade"
for file in Vanto Update libPuzzle.so player/player.js player/ruffle/ruffle.js; do
  cmp -s "/usr/lib/vanto/$file" "$folder/$file" || fail "$file was not replaced after the upgrade"
done
[ "$(kept)" = "$kept_before" ] || fail "the downloaded course changed in the upgrade"
[ -s "$folder/list.dat" ] && [ -s "$folder/config_CSHZ.xml" ] || fail "the learner's files are gone"
[ "$(cards; "$status_tool" "$folder")" = "$progress" ] || fail "the learner's progress changed"

# --- purge ----------------------------------------------------------------------
dpkg -L "${packages[@]}" | sort >"$scratch/package-files.txt"
for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
wait 2>/dev/null || true
pids=()
apt-get -o DPkg::Lock::Timeout=600 purge -y -qq "${packages[@]}" >"$scratch/purge.log" 2>&1 ||
  { tail -n 30 "$scratch/purge.log"; fail "the packages did not purge"; }
installed=0
while read -r path; do
  [ -d "$path" ] && continue # shared folders such as /usr/share/icons
  [ -e "$path" ] || [ -L "$path" ] && fail "$path is left after the purge"
done <"$scratch/package-files.txt"
for path in /usr/lib/vanto /etc/vanto /etc/vanto-service /usr/share/vanto-demo-course \
  /var/lib/vanto-service /var/cache/vanto-service /usr/share/doc/vanto; do
  [ -e "$path" ] && fail "$path is left after the purge"
done
leftovers=$(find /etc/systemd /var/lib/systemd -name 'vanto-service*' 2>/dev/null || true)
[ -z "$leftovers" ] || fail "the unit is still known to systemd: $leftovers"
if getent passwd $service_user >/dev/null; then
  [ "$(getent shadow $service_user | cut -d: -f8)" = 1 ] || fail "$service_user is still enabled"
  owned=$(find /etc /usr /var /srv /opt -xdev -user $service_user 2>/dev/null | head -n 3)
  [ -z "$owned" ] || fail "files of $service_user are left: $owned"
fi
[ -x "$folder/Vanto" ] && [ -s "$folder/Vanto.ini" ] || fail "the purge touched the user's folder"

passed=1
echo "passed: packages built in ${build_time} s, whole test $(($(date +%s) - began)) s;" \
  "screenshot $shots/package-01-home.png"
ls -l "$debs"/*.deb | awk '{ print "  " $5 " bytes  " $NF }'
