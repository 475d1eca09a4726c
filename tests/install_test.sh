#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and checks the installed tree with the desktop
# entry and AppStream validators, then where each way of running the programs keeps its files:
# beside the program in the build folder, in the user's data folder once installed, and in the
# folder named by --data-dir.
set -euo pipefail
build=$(cd "$1" && pwd)
id=org.quivermark.Quivermark
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$scratch/dest" cmake --install "$build" --prefix /usr >/dev/null
root="$scratch/dest/usr"
for file in bin/quivermark bin/quivermark-sim \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg \
    share/man/man6/quivermark.6.gz share/man/man6/quivermark-sim.6.gz \
    share/doc/quivermark/copyright share/doc/quivermark/changelog.gz; do
    [[ -f "$root/$file" ]] || fail "$file is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    icon="$root/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [[ -f "$icon" ]] || fail "no ${size}px icon"
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "the ${size}px icon is not $size x $size"
done
[[ ! -e "$root/bin/quivermark-build-folder" ]] || fail "the build folder marker was installed"
zcat "$root/share/man/man6/quivermark-sim.6.gz" | grep -q '^\.TH QUIVERMARK-SIM 6' || fail "man page"
desktop-file-validate "$root/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli validate"

"$root/bin/quivermark" --version | grep -qx "Quivermark 0.1.0" || fail "quivermark --version"

match() { "$1" match --player1 "$2" --strength1 40 --player2 Bot --strength2 40 --legs 1 --seed 1 \
    --save-stats "${@:3}" >/dev/null; }

# Installed: the user's data folder, from XDG_DATA_HOME or else HOME.
home="$scratch/home"
mkdir -p "$home"
HOME="$home" XDG_DATA_HOME= match "$root/bin/quivermark-sim" Ann
[[ -s "$home/.local/share/quivermark/Ann.dat" ]] || fail "installed sim: not in ~/.local/share"
XDG_DATA_HOME="$scratch/xdg" match "$root/bin/quivermark-sim" Ann
[[ -s "$scratch/xdg/quivermark/Ann.dat" ]] || fail "installed sim: not in XDG_DATA_HOME"
HOME="$home" XDG_DATA_HOME= "$root/bin/quivermark" --help |
    grep -q "now: $home/.local/share/quivermark" || fail "installed game: not ~/.local/share"
# Both programs, one rule: a relative XDG_DATA_HOME is ignored, and with neither variable
# usable no folder is guessed (exit 2 before anything is written).
HOME="$home" XDG_DATA_HOME=rel match "$root/bin/quivermark-sim" Dee
[[ -s "$home/.local/share/quivermark/Dee.dat" && ! -e rel ]] || fail "sim: relative XDG_DATA_HOME used"
HOME="$home" XDG_DATA_HOME=rel "$root/bin/quivermark" --help |
    grep -q "now: $home/.local/share/quivermark" || fail "game: relative XDG_DATA_HOME used"
for program in quivermark-sim quivermark; do
    args=()
    [[ $program == quivermark-sim ]] && args=(match --player1 E --strength1 9 --player2 F --strength2 9 --save-stats)
    status=0
    env -u HOME -u XDG_DATA_HOME QT_QPA_PLATFORM=offscreen timeout 10 "$root/bin/$program" "${args[@]}" \
        >/dev/null 2>&1 || status=$?
    [[ $status == 2 ]] || fail "$program: no data folder decided, yet status $status"
    status=0
    HOME="$home" QT_QPA_PLATFORM=offscreen timeout 10 "$root/bin/$program" "${args[@]}" --data-dir "" \
        >/dev/null 2>&1 || status=$?
    [[ $status == 2 ]] || fail "$program: an empty --data-dir, yet status $status"
done
env -u HOME -u XDG_DATA_HOME "$root/bin/quivermark" --help | grep -q "now: cannot decide" ||
    fail "game --help without HOME"
HOME="$home" match "$root/bin/quivermark-sim" Eve --data-dir=~/tilde
[[ -s "$home/tilde/Eve.dat" ]] || fail "sim: --data-dir=~/x is not in HOME"
# The folder named on the command line wins.
XDG_DATA_HOME="$scratch/xdg" match "$root/bin/quivermark-sim" Cid --data-dir "$scratch/chosen"
[[ -s "$scratch/chosen/Cid.dat" && ! -e "$scratch/xdg/quivermark/Cid.dat" ]] || fail "--data-dir"
"$root/bin/quivermark" -style Fusion -reverse -platform offscreen --version | grep -qx "Quivermark 0.1.0" ||
    fail "Qt's own options refused"
"$root/bin/quivermark" --help-all | grep -q -- "-stylesheet <value>" || fail "--help-all shows no Qt options"
"$root/bin/quivermark" --data-dir "$scratch/chosen" --bogus >/dev/null 2>&1 && fail "bad option accepted"

# The build folder: beside the program, whatever XDG_DATA_HOME says.
name="install-test-$$"
XDG_DATA_HOME="$scratch/xdg" match "$build/sim/quivermark-sim" "$name"
[[ -s "$build/sim/$name.dat" ]] || fail "build-folder sim: not beside the program"
rm -f "$build/sim/$name.dat" "$build/sim/Bot.dat" "$build/sim/quivermark.INI" \
    "$build/sim/.quivermark.INI.lock"
XDG_DATA_HOME="$scratch/xdg" "$build/app/quivermark" --help | grep -q "now: $build/app" ||
    fail "build-folder game: not beside the program"
echo "install tree, validators and data folders: all good"
