#!/usr/bin/env bash
# Stages the installation into a scratch folder, as a package build does, and checks what a user
# gets: bin/calvex leads to the program folder; the installation holds the program's files and
# nothing of the build's own (no test, benchmark or build tool); the program is stripped and, in a
# build with Debian's hardening flags (third argument ON), hardened; the desktop entry and the AppStream file pass the validators distributions use; and the staged
# program, started by this account (root, who could write into it), seeds the account's own
# folder and writes nothing into its installation, nor anywhere where that folder is unusable.
set -uo pipefail
build=$1
source=$2
hardened=${3:-OFF}
stage=$(mktemp -d "${TMPDIR:-/tmp}/calvex-install.XXXXXX")
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR=$stage/root cmake --install "$build" --prefix /usr >"$stage/install.log" || { cat "$stage/install.log"; exit 1; }
usr=$stage/root/usr
folder=$usr/lib/calvex
id=org.calvex.Calvex

[ "$(readlink "$usr/bin/calvex")" = ../lib/calvex/calvex ] || fail "bin/calvex is not the link ../lib/calvex/calvex"
[ "$(readlink -f "$usr/bin/calvex")" = "$folder/calvex" ] || fail "bin/calvex does not reach the program folder"

expected=(usr/bin/calvex usr/lib/calvex/calvex usr/lib/calvex/installed usr/lib/calvex/properties.mdb
          usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
          usr/share/man/man1/calvex.1.gz usr/share/doc/calvex/copyright usr/share/doc/calvex/changelog.gz)
for page in "$source"/data/templates/* "$source"/data/help/*; do
  expected+=("usr/lib/calvex/${page##*/}")
done
[ "$hardened" = ON ] && expected+=(usr/share/lintian/overrides/calvex)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
  file -b "$stage/root/${expected[-1]}" | grep -q "^PNG image data, $size x $size," || fail "no $size px icon"
done
if ! difference=$(diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$stage/root" && find . ! -type d | sed 's|^\./||' | sort)); then
  fail "the installation holds other files than the program's (< missing, > not the program's):"$'\n'"$difference"
fi
for file in "$folder"/*; do
  name=${file##*/}
  [ "$name" = calvex ] || [ "$name" = installed ] || cmp -s "$file" "$build/bin/$name" || fail "$name is not the build's"
done
file -b "$folder/calvex" | grep -q '^ELF .*, stripped$' || fail "the program is not stripped: $(file -b "$folder/calvex")"
[ "$(find "$stage/root" -type f -exec file -b {} + | grep -c '^ELF')" = 1 ] || fail "an executable besides the program is installed"
if [ "$hardened" = ON ]; then
  # Read whole first: grep -q stops reading at its match, and pipefail counts the writer's broken pipe.
  elf=$(readelf -dlW --dyn-syms "$folder/calvex")
  grep -q 'FLAGS.*BIND_NOW' <<<"$elf" || fail "the program's relocations are not bound at start"
  grep -q 'GNU_RELRO' <<<"$elf" || fail "the program has no read-only relocations"
  grep -q ' __stack_chk_fail' <<<"$elf" || fail "the program has no stack protector"
fi

report=$(desktop-file-validate "$usr/share/applications/$id.desktop" 2>&1) && [ -z "$report" ] ||
  fail "desktop-file-validate: $report"
report=$(appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" 2>&1)
[ $? -eq 0 ] && ! grep -q '^[EWI]:' <<<"$report" || fail "appstreamcli validate: $report"

before=$(cd "$folder" && find . -printf '%p %s %T@ %m\n' | sort)
mkdir -m 0700 "$stage/data" "$stage/runtime"
XDG_DATA_HOME=$stage/data XDG_RUNTIME_DIR=$stage/runtime QT_QPA_PLATFORM=offscreen "$usr/bin/calvex" \
  >"$stage/run.log" 2>&1 &
program=$!
seeded() { for file in "$folder"/*.htm "$folder"/*.css "$folder"/properties.mdb; do
             cmp -s "$file" "$stage/data/calvex/${file##*/}" || return 1
           done; }
for ((tenths = 0; tenths < 300; ++tenths)); do seeded && break; sleep 0.1; done
seeded || fail "the account's folder was not seeded from the installation: $(ls "$stage/data/calvex" 2>&1)"
kill -0 "$program" 2>/dev/null || fail "the program ended at start: $(cat "$stage/run.log")"
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
for name in calvex installed; do
  [ ! -e "$stage/data/calvex/$name" ] || fail "$name was copied into the account's folder"
done
[ "$before" = "$(cd "$folder" && find . -printf '%p %s %T@ %m\n' | sort)" ] || fail "the program wrote into its installation"

# Started by root with HOME on another account's home (a sudo that keeps HOME), one without
# .local and one whose .local/share/calvex is that account's, or on the installation reached
# through a bind mount, it says so and writes nothing at all: nothing under that home, nothing
# in its installation (it does not clear the installation of an ended run's temporary file
# either). It keeps what it shows in a folder of the run's own, which goes when the program ends
# with its desktop session. It waits on its message meanwhile.
listing() { find "$1" -printf '%p %u:%g %m %s %T@\n' | sort; find "$1" -type f -exec sha256sum {} + | sort; }
leftover=$folder/result.htm.$(cat /proc/sys/kernel/pid_max)-0.tmp
: >"$leftover"
command -v Xvfb >/dev/null || echo "SKIP: that the run's folder goes at the session's end: Xvfb is not installed"
without_folder() { # <home> <what it is> [term: ended by SIGTERM, as the session's end or kill does]
  local home=$1 installation display program status ends_with_session=
  installation=$(listing "$folder")
  before=$(listing "$home")
  if [ "${3:-}" != term ] && command -v Xvfb >/dev/null; then
    ends_with_session=yes
    Xvfb -displayfd 3 -nolisten tcp 3>"$stage/display" >/dev/null 2>&1 &
    server=$!
    for ((tenths = 0; tenths < 100; ++tenths)); do [ -s "$stage/display" ] && break; sleep 0.1; done
    display=("DISPLAY=:$(cat "$stage/display")" QT_QPA_PLATFORM=xcb)
  else
    display=(QT_QPA_PLATFORM=offscreen)
  fi
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$stage/runtime" "${display[@]}" \
    "$usr/bin/calvex" >"$stage/run.log" 2>&1 &
  program=$!
  sleep 3
  kill -0 "$program" 2>/dev/null || fail "the program ended at a start with HOME on $2: $(cat "$stage/run.log")"
  [ "$(find "$stage/runtime" -mindepth 1 -maxdepth 1 -name 'calvex-*' -perm 0700 | wc -l)" = 1 ] ||
    fail "with HOME on $2 the run has no private folder of its own: $(ls -l "$stage/runtime")"
  if [ -n "$ends_with_session" ]; then
    kill "$server"
    wait "$server" 2>/dev/null
    rm -f "$stage/display"
    wait "$program" 2>/dev/null
  else
    kill -TERM "$program" 2>/dev/null
    wait "$program" 2>/dev/null
    status=$?
    [ "$status" = 143 ] || fail "with HOME on $2 SIGTERM did not end the program as a quit does (status $status)"
  fi
  [ "$installation" = "$(listing "$folder")" ] || fail "the program wrote into its installation with HOME on $2"
  [ "$before" = "$(listing "$home")" ] ||
    fail "the program changed $2:"$'\n'"$(diff <(echo "$before") <(listing "$home"))"
  if [ -n "$(ls -A "$stage/runtime")" ] && { [ -n "$ends_with_session" ] || [ "${3:-}" = term ]; }; then
    fail "the run's folder stayed after the program's end with HOME on $2: $(ls -A "$stage/runtime")"
  fi
  rm -rf "${stage:?}"/runtime/calvex-*
}
mkdir -p "$stage/home/plain" "$stage/home/used/.local/share/calvex"
echo "export EDITOR=vi" >"$stage/home/plain/.profile"
echo "the account's own" >"$stage/home/used/.local/share/calvex/Filedatabase.dat"
chown -R 65534:65534 "$stage/home"
without_folder "$stage/home/plain" "another account's home without .local"
without_folder "$stage/home/used" "another account's home whose data folder is that account's"
without_folder "$stage/home/plain" "another account's home, ended by SIGTERM" term
mkdir "$stage/mount"
if error=$(mount --bind "$folder" "$stage/mount" 2>&1); then
  trap 'umount "$stage/mount"; rm -rf "$stage"' EXIT
  without_folder "$stage/mount" "the installation reached through a bind mount"
  umount "$stage/mount" && trap 'rm -rf "$stage"' EXIT
else
  echo "SKIP: the bind-mount row: mount --bind is not permitted here ($error)"
fi
rm -f "$leftover"

exit $((failures > 0))
