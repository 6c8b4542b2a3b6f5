#!/usr/bin/env bash
# The setup program installed and uninstalled in fresh Wine prefixes, 64-bit and 32-bit:
#   install_test.sh I686_BUILD X86_64_BUILD WORK_DIR
# In each prefix: the registry and files are snapshotted; a "Speed" of the user's is set in one
# registry view; the setup runs; every file of every set must be in its folder, identical to the
# staged one, and nothing else there; each architecture's registration is read back in its
# registry view (server, icon, junction), the defaults must be written where absent and the
# user's "Speed" kept; with the simulated camera on COM1, each architecture's pvshell must list the
# camera through the shell from the installed module. Then the registered uninstall command runs,
# the prefix restarts (files in use go then) and nothing of ours may be left: the registry and the
# files must be as in the first snapshot, Wine's own volatile entries aside. The 64-bit prefix is
# installed and uninstalled silently. The 32-bit one interactively (pvanswer presses the buttons),
# twice, with a "LockDelay" of the user's set in between, which must stay, and a module in use
# (pvhold) that must be replaced; at the end once more without regsvr32, which must fail with exit
# code 2, and with a file held open, which must fail with exit code 3.
# Exit code 77 (not run) without the i686 tree, which the package needs.
set -uo pipefail
i686_build=$1
x86_64_build=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
native_bin=${PV_NATIVE_BIN_DIR:-$root/build/native/bin}
source "$here/snapshot.sh"

if [ ! -f "$i686_build/bin/pvmount.dll" ]; then
  echo "installer_test: not run: the package needs the i686 tree, and $i686_build has no bin/pvmount.dll"
  exit 77
fi
for program in pvsim; do
  [ -x "$native_bin/$program" ] || { echo "installer_test: $native_bin/$program is missing"; exit 1; }
done

mkdir -p "$work"
work=$(cd "$work" && pwd)
setup=$work/pvsetup.exe
stage=$work/stage
PV_I686_BUILD=$i686_build PV_X86_64_BUILD=$x86_64_build "$root/installer/make_installer.sh" "$setup" ||
  { echo "installer_test: the setup program could not be made"; exit 1; }

settings_key='HKLM\SOFTWARE\Brisway Orvik Company\Digital Cameras\PV360 Mounter'
link_key="$settings_key\\pvlink.DLL"
uninstall_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\ORVIK PV360'
camera_clsid='{a84c0500-b187-11d0-8ae7-00c04fd28d85}'
junction_key="HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\$camera_clsid"
users_speed=115200

failures=0
fail() { echo "FAIL [$case_name] $*"; failures=$((failures + 1)); }

win_path() { echo "Z:${1//\//\\}"; }

# Runs a Windows program with its output in FILE, bounded in time. Programs that Wine or ours
# start in the background (the shell that pvuninst restarts) must not hold a pipe of this script.
wine_to() { # file seconds loader program args...
  local file=$1 seconds=$2
  shift 2
  timeout "$seconds" "$@" </dev/null >"$file" 2>&1
}

wine_for() { # arch: the loader of that architecture's programs in this prefix
  if [ "$1" = x86_64 ]; then echo /usr/lib/wine/wine64; else echo wine; fi
}

# The data of one registry value as reg.exe shows it ("" names the default value), in VIEW (32 or
# 64; empty on 32-bit Windows).
reg_data() { # view key name
  local args=(query "$2")
  if [ -n "$3" ]; then args+=(/v "$3"); else args+=(/ve); fi
  [ -n "$1" ] && args+=("/reg:$1")
  wine_to "$case_dir/reg.out" 60 "$PV_WINE" reg "${args[@]}"
  tr -d '\r' <"$case_dir/reg.out" | sed -n 's/^    .*    REG_[A-Z_]*    //p' | head -n 1
}

expect_reg() { # view key name expected
  local data
  data=$(reg_data "$1" "$2" "$3")
  [ "$data" = "$4" ] || fail "registry ${1:+($1-bit) }$2 \"${3:-(default)}\" is \"$data\", expected \"$4\""
}

expect_key() { # view key
  wine_to "$case_dir/reg.out" 60 "$PV_WINE" reg query "$2" ${1:+/reg:$1} || fail "registry ${1:+($1-bit) }$2 is missing"
}

# Every file of a staged set in its folder, identical, and nothing else there.
expect_folder() { # folder-under-drive_c arch/set [extra files...]
  local where=$1 folder=$WINEPREFIX/drive_c/$1 set=$2 name
  local expected actual
  shift 2
  expected=$( (ls "$stage/$set"; for name in "$@"; do echo "$name"; done) | LC_ALL=C sort)
  actual=$(ls "$folder" 2>/dev/null | LC_ALL=C sort)
  [ "$actual" = "$expected" ] || fail "C:\\$where holds [$(echo $actual)], expected [$(echo $expected)]"
  for name in $(ls "$stage/$set"); do
    [ -f "$folder/$name" ] && ! cmp -s "$stage/$set/$name" "$folder/$name" && fail "C:\\$where\\$name differs from the staged one"
  done
}

# pvshell of ARCH, alone in a folder of its own, lists the camera through the shell from the
# installed module that the registration of its architecture names.
expect_camera_listed() { # arch server-path build-tree
  local dir=$case_dir/shell-$1 rc
  mkdir -p "$dir" && cp "$3/bin/pvshell.exe" "$dir/"
  wine_to "$dir/out" 900 "$(wine_for "$1")" "$dir/pvshell.exe" --registered
  rc=$?
  tr -d '\r' <"$dir/out" >"$dir/listing"
  echo "  $1 shell listing: $(grep -c . "$dir/listing") lines, exit code $rc"
  [ $rc = 0 ] || { fail "$1 pvshell --registered exit code $rc:"; sed 's/^/    /' "$dir/listing"; }
  grep -Fqx "server $2" "$dir/listing" || fail "$1 shell did not load $2 ($(grep '^server' "$dir/listing"))"
  grep -q 'Memory Card' "$dir/listing" || fail "$1 shell listing shows no memory card"
}

# A 32-bit program keeps FILE in use (pvhold: loaded as a library, or with --exclusive opened
# sharing nothing) until release_file.
hold_file() { # [--exclusive] windows-path
  rm -f "$case_dir/release"
  timeout 400 wine "$i686_build/bin/pvhold.exe" "$@" "$(win_path "$case_dir/release")" 300 \
    </dev/null >"$case_dir/hold.out" 2>&1 &
  hold_pid=$!
  for _ in $(seq 200); do grep -q holding "$case_dir/hold.out" && return; sleep 0.1; done
  fail "pvhold could not take $*: $(cat "$case_dir/hold.out")"
}

release_file() {
  touch "$case_dir/release"
  wait "$hold_pid"
  local rc=$?
  hold_pid=
  [ $rc = 0 ] || fail "pvhold exit code $rc: $(cat "$case_dir/hold.out")"
}

start_camera() {
  rm -rf "$case_dir/card" "$case_dir/sim.port" && cp -r "$native_bin/../card" "$case_dir/card"
  "$native_bin/pvsim" --card "$case_dir/card" --wineprefix "$WINEPREFIX" --com 1 \
    --port-file "$case_dir/sim.port" >"$case_dir/sim.log" 2>&1 &
  sim_pid=$!
  for _ in $(seq 100); do [ -s "$case_dir/sim.port" ] && break; sleep 0.05; done
  [ -s "$case_dir/sim.port" ] || fail "the camera simulator did not start: $(cat "$case_dir/sim.log")"
}

stop_camera() {
  [ -n "${sim_pid:-}" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  sim_pid=
}

# The server ends (and saves the registry); the next program starts a new session.
end_session() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
}

fresh_prefix() { # arch
  mkdir -p "$case_dir"
  echo "$1" >"$case_dir/pv-arch"
  source "$root/testing/wine/env.sh" "$case_dir"
  [ -d "$WINEPREFIX" ] && end_session
  rm -rf "$WINEPREFIX"
  pv_wine_prefix_ready
  end_session
  pv_snapshot "$WINEPREFIX" "$case_dir" before
  pv_wine_prefix_ready
}

install_silently() {
  local started=$SECONDS rc
  wine_to "$case_dir/setup.out" 300 wine "$setup" /S
  rc=$?
  echo "  pvsetup.exe /S: exit code $rc, $((SECONDS - started)) s"
  [ $rc = 0 ] || fail "pvsetup.exe /S exit code $rc"
}

# A user's answers to the windows of what runs next (pvanswer: caption and button pairs, in order).
answer_windows() { # caption button ...
  timeout 300 wine "$i686_build/bin/pvanswer.exe" 240 "$@" </dev/null >"$case_dir/answers.out" 2>&1 &
  answer_pid=$!
}

expect_answered() {
  wait "$answer_pid"
  local rc=$?
  answer_pid=
  echo "  windows answered: $(grep '^pressed' "$case_dir/answers.out" | tr -d '\r' | tr '\n' ' ')"
  [ $rc = 0 ] || { fail "the windows were not as expected (pvanswer exit code $rc):"; sed 's/^/    /' "$case_dir/answers.out"; }
}

# The setup program run as a user runs it: its windows answered as given.
install_interactively() { # caption button ...
  local started=$SECONDS rc
  answer_windows "$@"
  wine_to "$case_dir/setup.out" 300 wine "$setup"
  rc=$?
  echo "  pvsetup.exe: exit code $rc, $((SECONDS - started)) s"
  [ $rc = 0 ] || fail "pvsetup.exe exit code $rc"
  expect_answered
}

# The registered uninstall command (VALUE: "QuietUninstallString", or "UninstallString" with the
# uninstaller's windows answered as given), run as Windows runs it; pvuninst.exe stops and
# restarts the shell around it. Then a restart of the prefix removes what was in use.
uninstall() { # view value [caption button ...]
  local view=$1 value=$2 command started=$SECONDS rc left
  shift 2
  command=$(reg_data "$view" "$uninstall_key" "$value")
  [ -n "$command" ] || { fail "no $value"; return; }
  printf '%s\r\n' "$command" >"$case_dir/uninstall.bat"
  [ $# -gt 0 ] && answer_windows "$@"
  wine_to "$case_dir/uninstall.out" 300 "$PV_WINE" cmd /c "$(win_path "$case_dir/uninstall.bat")"
  rc=$?
  left=$(cd "$WINEPREFIX/drive_c" && find . -path '*ORVIK*' -type f -printf '%f\n' | LC_ALL=C sort | tr '\n' ' ')
  echo "  $value: exit code $rc, $((SECONDS - started)) s; in use, left until the restart: $left"
  [ $rc = 0 ] || fail "the $value exit code $rc"
  [ $# -gt 0 ] && expect_answered
  [ "$left" = "pvuninst.exe uninstall.exe " ] || fail "left after the uninstall: $left (expected the two in use)"
  pv_detached wineboot -r
  wait $!
  end_session
}

expect_nothing_left() {
  pv_snapshot "$WINEPREFIX" "$case_dir" after
  pv_snapshot_diff "$case_dir" before after >"$case_dir/left"
  if [ -s "$case_dir/left" ]; then
    fail "the prefix differs from before the installation:"
    sed 's/^/    /' "$case_dir/left" | head -n 60
  fi
  grep -h -i -E 'orvik|pv360|brisway|a84c050|pvmount' "$case_dir/after.reg.txt" "$case_dir/after.files.txt" |
    sed 's/^/    /' | head -n 20 | grep . && fail "names of ours are left in the prefix"
}

# The camera class names DIR's pvmount.dll as its server and icon in VIEW, and the junction under
# My Computer is there.
expect_registration() { # view program-folder
  expect_reg "$1" "HKCR\\CLSID\\$camera_clsid\\InprocServer32" "" "$2\\pvmount.dll"
  expect_reg "$1" "HKCR\\CLSID\\$camera_clsid\\DefaultIcon" "" "$2\\pvmount.dll,0"
  expect_key "$1" "$junction_key"
}

expect_settings() { # view speed lock-delay
  expect_reg "$1" "$settings_key" CommPort 0x0
  expect_reg "$1" "$settings_key" Speed "$(printf 0x%x "$2")"
  expect_reg "$1" "$link_key" LockDelay "$(printf 0x%x "$3")"
  expect_reg "$1" "$link_key" Timeout 0x1388
  expect_reg "$1" "$link_key" ShowConnectionProgress 0x1
}

expect_uninstall_entry() { # view program-folder
  expect_reg "$1" "$uninstall_key" DisplayName "ORVIK PV350 / PV360 Zoom Camera"
  expect_reg "$1" "$uninstall_key" UninstallString "\"$2\\pvuninst.exe\" \"$2\\uninstall.exe\" _?=$2"
}

# Without regsvr32 the registration fails: exit code 2, and the uninstall entry is there for the
# uninstaller. The prefix's regsvr32 is put back afterwards.
expect_failed_registration() { # regsvr32 under drive_c, view
  local regsvr=$WINEPREFIX/drive_c/$1 rc
  mv "$regsvr" "$case_dir/regsvr32.exe"
  wine_to "$case_dir/setup.out" 300 wine "$setup" /S
  rc=$?
  mv "$case_dir/regsvr32.exe" "$regsvr"
  echo "  pvsetup.exe /S without $1: exit code $rc"
  [ $rc = 2 ] || fail "pvsetup.exe /S without $1 exit code $rc, expected 2"
  expect_reg "$2" "$uninstall_key" DisplayName "ORVIK PV350 / PV360 Zoom Camera"
}

# 64-bit Windows, with a "Speed" of the user's in the 64-bit view before the installation.
case_64bit() {
  case_name=win64 case_dir=$work/win64
  local dir64='C:\Program Files\ORVIK\PV360' dir32='C:\Program Files (x86)\ORVIK\PV360'
  fresh_prefix x86_64
  wine_to "$case_dir/reg.out" 60 "$PV_WINE" reg add "$settings_key" /v Speed /t REG_DWORD /d $users_speed /f /reg:64
  install_silently
  expect_folder 'Program Files/ORVIK/PV360' x86_64/program uninstall.exe
  expect_folder 'Program Files (x86)/ORVIK/PV360' i686/mount
  expect_folder 'windows/twain_64/ORVIK PV360' x86_64/twain
  expect_folder 'windows/twain_32/ORVIK PV360' i686/twain
  expect_registration 64 "$dir64"
  expect_registration 32 "$dir32"
  expect_settings 64 $users_speed 25
  expect_settings 32 57600 25
  expect_uninstall_entry 64 "$dir64"
  start_camera
  expect_camera_listed x86_64 "$dir64\\pvmount.dll" "$x86_64_build"
  expect_camera_listed i686 "$dir32\\pvmount.dll" "$i686_build"
  stop_camera
  uninstall 64 QuietUninstallString
  expect_nothing_left
}

# The setup run again while a program has an older pvmount.dll loaded: the old one is moved
# aside for the running program (it goes at the next restart), the new one takes its place.
reinstall_over_module_in_use() { # folder-under-drive_c
  local folder=$WINEPREFIX/drive_c/$1 aside
  echo "an older version" >>"$folder/pvmount.dll"
  cp "$folder/pvmount.dll" "$case_dir/old-pvmount.dll"
  hold_file "$(win_path "$folder/pvmount.dll")"
  install_interactively "Setup: Completed" Close "Setup" OK
  grep -q "were in use" "$case_dir/answers.out" || fail "the setup did not say that files were in use"
  aside=$(cd "$folder" && ls | grep -i '^ns.*\.tmp$')
  echo "  reinstalled with pvmount.dll in use: moved aside as \"$aside\""
  [ "$(echo "$aside" | grep -c .)" = 1 ] && cmp -s "$folder/$aside" "$case_dir/old-pvmount.dll" ||
    fail "the pvmount.dll in use was not moved aside (folder: $(ls "$folder" | tr '\n' ' '))"
  expect_folder "$1" i686/program uninstall.exe $aside
  release_file
  pv_detached wineboot -r
  wait $!
  end_session
  pv_wine_prefix_ready
  [ -n "$aside" ] && [ -e "$folder/$aside" ] && fail "the moved-aside pvmount.dll is still there after the restart"
}

# A file that a program holds open sharing nothing can be neither replaced nor moved: the setup
# says so with exit code 3 and the file stays as it was.
reinstall_over_file_held_open() { # folder-under-drive_c
  local folder=$WINEPREFIX/drive_c/$1 rc
  echo "an older version" >>"$folder/pvhost.dll"
  cp "$folder/pvhost.dll" "$case_dir/old-pvhost.dll"
  hold_file --exclusive "$(win_path "$folder/pvhost.dll")"
  wine_to "$case_dir/setup.out" 300 wine "$setup" /S
  rc=$?
  echo "  pvsetup.exe /S with pvhost.dll held open: exit code $rc"
  [ $rc = 3 ] || fail "pvsetup.exe /S with a file held open: exit code $rc, expected 3"
  cmp -s "$folder/pvhost.dll" "$case_dir/old-pvhost.dll" || fail "the file held open was changed"
  release_file
}

# 32-bit Windows, installed twice: the second run over the first keeps the "LockDelay" that the
# user chose in between and replaces a module in use. After the uninstallation, a setup that
# cannot register and one that cannot replace a file.
case_32bit() {
  case_name=win32 case_dir=$work/win32
  local dir='C:\Program Files\ORVIK\PV360'
  fresh_prefix i686
  install_interactively "Setup: Completed" Close
  wine_to "$case_dir/reg.out" 60 "$PV_WINE" reg add "$link_key" /v LockDelay /t REG_DWORD /d 0 /f
  reinstall_over_module_in_use 'Program Files/ORVIK/PV360'
  expect_folder 'windows/twain_32/ORVIK PV360' i686/twain
  [ -e "$WINEPREFIX/drive_c/windows/twain_64/ORVIK PV360" ] && fail "a 64-bit TWAIN source on 32-bit Windows"
  expect_registration "" "$dir"
  expect_settings "" 57600 0
  expect_uninstall_entry "" "$dir"
  start_camera
  expect_camera_listed i686 "$dir\\pvmount.dll" "$i686_build"
  stop_camera
  uninstall "" UninstallString "Uninstall: Completed" Close
  expect_nothing_left
  pv_wine_prefix_ready
  expect_failed_registration windows/system32/regsvr32.exe ""
  reinstall_over_file_held_open 'Program Files/ORVIK/PV360'
}

trap 'stop_camera; [ -n "${hold_pid:-}" ] && touch "$case_dir/release"; [ -n "${answer_pid:-}" ] && kill "$answer_pid"; [ -n "${WINEPREFIX:-}" ] && pv_wine_stop' EXIT
users_display=${DISPLAY:-}
for one in case_64bit case_32bit; do
  before=$failures started=$SECONDS
  $one
  echo "installer_test $case_name: $([ $failures = $before ] && echo passed || echo FAILED) in $((SECONDS - started)) s"
  pv_wine_stop
  # The case's own display went with it; the next case starts one again.
  if [ -n "$users_display" ]; then DISPLAY=$users_display; else unset DISPLAY; fi
done
[ $failures = 0 ]
