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
# with its desktop session. It waits on its message meanwhile. Such a run has no session bus
# address (sudo drops it): the libraries the program starts, which keep their files under the
# home and would start a bus of their own (D-Bus's autolaunch), find a home of the run's own,
# and no process of the run outlives it. GTK's file dialog, which the GNOME platform theme
# shows for Save As, writes under that home of the run's own too; an X cookie kept in the
# refused home alone still opens the window.
listing() { find "$1" -printf '%p %u:%g %m %s %T@\n' | sort; find "$1" -type f -exec sha256sum {} + | sort; }
# Every process that carries this run's mark, as what a program starts inherits its environment.
marked() { grep -lxzF "CALVEX_STAGED_RUN=$1" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3; }
none_marked() { [ -z "$(marked "$1")" ]; }
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
waitfor() { # <tenths of a second> <command…>: whether the command succeeds within that time
  local tenths
  for ((tenths = 0; tenths < $1; ++tenths)); do "${@:2}" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
shown() { # <title>: the last window shown of that title, where there is one
  local window
  window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1)
  [ -n "$window" ] && echo "$window"
}
leftover=$folder/result.htm.$(cat /proc/sys/kernel/pid_max)-0.tmp
: >"$leftover"
x11=
if command -v Xvfb >/dev/null; then
  x11=yes
else
  echo "SKIP: that the run's folder goes at the session's end: Xvfb is not installed"
fi
looking=
if [ -n "$x11" ] && command -v xdotool >/dev/null; then
  looking=yes
else
  echo "SKIP: that the window opens: Xvfb or xdotool is not installed"
fi
saving=
if [ -z "$looking" ]; then
  echo "SKIP: the Save As through GTK's dialog: Xvfb or xdotool is not installed"
elif ! dpkg-query -W -f='${Status}' qt6-gtk-platformtheme 2>/dev/null | grep -q 'install ok installed'; then
  echo "SKIP: the Save As through GTK's dialog: qt6-gtk-platformtheme is not installed"
else
  saving=yes
fi
# The frame comes third after the start's message: the cover, the splash, the frame. Opens a
# report and its Save As, and saves the report through the dialog, which must be GTK's.
save_report() { # <file to save to>
  local windows=("$(shown '^Calvex$')") window dialog tenths
  xdotool key Return
  for ((tenths = 0; tenths < 300 && ${#windows[@]} < 4; ++tenths)); do
    window=$(shown '^Calvex$')
    [ -n "$window" ] && [ "$window" != "${windows[-1]}" ] && windows+=("$window")
    sleep 0.1
  done
  [ ${#windows[@]} = 4 ] && waitfor 50 focused "${windows[3]}" ||
    { fail "the frame did not open after the start's message"; return; }
  xdotool key ctrl+b # the saturation pressure calculator
  sleep 1
  xdotool type 300
  xdotool key Tab Tab Tab Tab space # to Calculate and press it
  sleep 1.5
  xdotool key alt+f
  sleep 0.3
  xdotool key a # Save As…
  waitfor 100 shown '^Save Webpage$' || { fail "the Save As dialog did not open"; return; }
  dialog=$(shown '^Save Webpage$')
  xprop -id "$dialog" _GTK_THEME_VARIANT | grep -q = || fail "the Save As dialog is not GTK's"
  xdotool key ctrl+a
  xdotool type "$1"
  xdotool key Return
  waitfor 50 grep -q 'Saturation' "$1" || fail "the report was not saved through the dialog"
}
# <home> <what it is> [term: ended by SIGTERM, as kill does] [save: a Save As through GTK's dialog]
# [cookie: the X cookie in the home's .Xauthority alone]
without_folder() {
  local home=$1 installation display program status ends_with_session= term= save= cookie= mark option processes
  for option in "${@:3}"; do
    case $option in
      term) term=yes ;;
      # GTK, which the theme starts, ends the program at once where it notices the session's end
      # before Qt does: these runs end by SIGTERM.
      save) save=yes term=yes ;;
      cookie) cookie=yes ;;
    esac
  done
  mark=$stage-$RANDOM
  installation=$(listing "$folder")
  before=$(listing "$home")
  if [ -n "$x11" ]; then
    local server_options=(-nolisten tcp)
    [ -n "$cookie" ] && server_options+=(-auth "$home/.Xauthority")
    Xvfb -displayfd 3 "${server_options[@]}" 3>"$stage/display" >/dev/null 2>&1 &
    server=$!
    waitfor 100 test -s "$stage/display"
    export DISPLAY=:$(cat "$stage/display")
    display=(QT_QPA_PLATFORM=xcb)
    [ -z "$term" ] && ends_with_session=yes
  else
    display=(QT_QPA_PLATFORM=offscreen)
  fi
  [ -n "$cookie" ] && export XAUTHORITY=$home/.Xauthority # for this script's own look at the screen
  [ -n "$save" ] && display+=(QT_QPA_PLATFORMTHEME=gtk3 XDG_CURRENT_DESKTOP=GNOME)
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u DBUS_SESSION_BUS_ADDRESS -u XAUTHORITY CALVEX_STAGED_RUN="$mark" \
    HOME="$home" XDG_RUNTIME_DIR="$stage/runtime" "${display[@]}" "$usr/bin/calvex" >"$stage/run.log" 2>&1 &
  program=$!
  if [ -n "$looking" ]; then
    waitfor 150 shown '^Calvex$' || fail "with HOME on $2 the program's window did not open: $(cat "$stage/run.log")"
  else
    sleep 3
  fi
  kill -0 "$program" 2>/dev/null || fail "the program ended at a start with HOME on $2: $(cat "$stage/run.log")"
  [ "$(find "$stage/runtime" -mindepth 1 -maxdepth 1 -name 'calvex-*' -perm 0700 | wc -l)" = 1 ] ||
    fail "with HOME on $2 the run has no private folder of its own: $(ls -l "$stage/runtime")"
  [ -n "$save" ] && save_report "$stage/saved report.htm"
  if [ -n "$ends_with_session" ]; then
    kill "$server"
    wait "$server" 2>/dev/null
    wait "$program" 2>/dev/null
  else
    kill -TERM "$program" 2>/dev/null
    wait "$program" 2>/dev/null
    status=$?
    [ "$status" = 143 ] || fail "with HOME on $2 SIGTERM did not end the program as a quit does (status $status)"
    if [ -n "$x11" ]; then
      kill "$server"
      wait "$server" 2>/dev/null
    fi
  fi
  unset DISPLAY XAUTHORITY
  rm -f "$stage/display"
  [ "$installation" = "$(listing "$folder")" ] || fail "the program wrote into its installation with HOME on $2"
  [ "$before" = "$(listing "$home")" ] ||
    fail "the program changed $2:"$'\n'"$(diff <(echo "$before") <(listing "$home"))"
  if [ -n "$(find "$stage/runtime" -mindepth 1 -maxdepth 1 -name 'calvex-*')" ]; then
    fail "the run's folder stayed after the program's end with HOME on $2: $(ls -A "$stage/runtime")"
  fi
  if ! waitfor 20 none_marked "$mark"; then
    processes=$(for process in $(marked "$mark"); do tr '\0' ' ' <"/proc/$process/cmdline"; echo; done)
    fail "with HOME on $2 processes of the run outlived it:"$'\n'"$processes"
    for process in $(marked "$mark"); do kill "$process" 2>/dev/null; done
  fi
  rm -rf "${stage:?}"/runtime/calvex-* "$stage/saved report.htm"
}
mkdir -p "$stage/home/plain" "$stage/home/used/.local/share/calvex" "$stage/home/cookie"
echo "export EDITOR=vi" >"$stage/home/plain/.profile"
echo "the account's own" >"$stage/home/used/.local/share/calvex/Filedatabase.dat"
: >"$stage/home/cookie/.Xauthority"
echo "ffff 0000  0000  0012 $(printf MIT-MAGIC-COOKIE-1 | od -An -tx1 | tr -d ' \n') 0010 $(mcookie)" |
  xauth -f "$stage/home/cookie/.Xauthority" nmerge - # a cookie for any display
chown -R 65534:65534 "$stage/home"
without_folder "$stage/home/plain" "another account's home without .local"
without_folder "$stage/home/used" "another account's home whose data folder is that account's"
without_folder "$stage/home/plain" "another account's home, ended by SIGTERM" term
[ -n "$saving" ] && without_folder "$stage/home/plain" "another account's home, with a Save As" save
[ -n "$x11" ] && without_folder "$stage/home/cookie" "another account's home that holds the X cookie" cookie
mkdir "$stage/mount"
if error=$(mount --bind "$folder" "$stage/mount" 2>&1); then
  trap 'umount "$stage/mount"; rm -rf "$stage"' EXIT
  without_folder "$stage/mount" "the installation reached through a bind mount"
  [ -n "$saving" ] && without_folder "$stage/mount" "the installation reached through a bind mount, with a Save As" save
  umount "$stage/mount" && trap 'rm -rf "$stage"' EXIT
else
  echo "SKIP: the bind-mount row: mount --bind is not permitted here ($error)"
fi
rm -f "$leftover"

exit $((failures > 0))
