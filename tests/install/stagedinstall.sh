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

# Started with a HOME whose .local/share/calvex is another account's (a sudo that keeps HOME),
# it says so and writes nothing at all: it does not clear its installation of an ended run's
# temporary file either. It waits on its message meanwhile.
others=$stage/home/.local/share/calvex
mkdir -p "$others"
chown 65534:65534 "$others"
leftover=$folder/result.htm.$(cat /proc/sys/kernel/pid_max)-0.tmp
: >"$leftover"
before=$(cd "$folder" && find . -printf '%p %s %T@ %m\n' | sort; sha256sum ./*)
env -u XDG_DATA_HOME HOME=$stage/home XDG_RUNTIME_DIR=$stage/runtime QT_QPA_PLATFORM=offscreen "$usr/bin/calvex" \
  >"$stage/run.log" 2>&1 &
program=$!
sleep 3
kill -0 "$program" 2>/dev/null || fail "the program ended at a start without a folder of its own: $(cat "$stage/run.log")"
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
[ "$before" = "$(cd "$folder" && find . -printf '%p %s %T@ %m\n' | sort; sha256sum ./*)" ] ||
  fail "the program wrote into its installation where its own folder was another account's"
[ -z "$(ls -A "$others")" ] || fail "the program wrote into another account's folder: $(ls -A "$others")"
rm -f "$leftover"

exit $((failures > 0))
