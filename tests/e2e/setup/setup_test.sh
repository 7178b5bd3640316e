#!/usr/bin/env bash
# Runs the setup program's scenario (setup_test.exe) in a prefix of its own, <build>/wine/setup-prefix, made
# afresh once per run and sharing the build's display. Only the simulated camera is set up there beforehand, the
# way scripts/prefix sets it up in the build's prefix (from a folder of its own, never through the setup
# program), so that the installed Quillo finds a camera; the user's folders are real folders of the prefix, not
# links into the machine's home folder, since the scenario writes a picture there.
#   setup_test.sh <source dir> <build dir> <setup_test.exe>
set -uo pipefail
root=$1 build=$2 test_exe=$3
bin=$build/bin
setup=$root/out/QuilloSetup.exe

if [ ! -f "$setup" ]; then
    echo "no $setup: scripts/package builds it"
    exit 1
fi
for f in Quillo.exe Tessel.exe Brindle.dll nvds.ax nvpa.ax nvav.ax flicker_a.dll Lang.ini; do
    if [ "$bin/$f" -nt "$setup" ]; then
        echo "$setup is older than the build's $f: run scripts/package"
        exit 1
    fi
done

"$root/scripts/prefix" alive "$build" || "$root/scripts/prefix" start "$build" || exit 1
export QUILLO_PREFIX_NAME=setup-prefix
rm -f "$build/wine/setup-prefix.ready"
"$root/scripts/prefix" create "$build" || exit 1
eval "$("$root/scripts/prefix" env "$build")"
# Ends only this prefix's wineserver, which this script started.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
        rm -f "$link" && mkdir -p "$link"
    fi
done

sim='C:\QuilloSim'
mkdir -p "$WINEPREFIX/drive_c/QuilloSim" "$WINEPREFIX/drive_c/QuilloSetup"
cp -f "$bin/simcam.ax" "$bin/simctl.exe" "$WINEPREFIX/drive_c/QuilloSim/" || exit 1
cp -f "$setup" "$WINEPREFIX/drive_c/QuilloSetup/" || exit 1
wine "$sim\\simctl.exe" reset veyra9665 || { echo "simctl reset failed"; exit 1; }
wine regsvr32 /s "$sim\\simcam.ax" || { echo "simcam.ax could not be registered"; exit 1; }

QUILLO_SETUP='C:\QuilloSetup\QuilloSetup.exe' wine "$test_exe" --gtest_color=no
