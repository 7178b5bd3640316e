# Sourced by "scripts/prefix install" ($WINEPREFIX, $build and $dest set, wine usable): sets up the
# simulated devices in the prefix. The device list comes from QUILLO_SIM_DEVICES (profile names
# separated by spaces, "none" for no camera; default: the 0402:9665 camera with all five sizes), then
# simcam.ax is registered so the cameras and the microphone appear in the device categories.
if [ -f "$dest/simcam.ax" ] && [ -f "$dest/simctl.exe" ]; then
    if ! sim_out=$(wine 'C:\Quillo\simctl.exe' reset 2>&1); then
        echo "10-sim: could not set up the simulated devices: $sim_out" >&2
    elif ! sim_out=$(wine regsvr32 /s 'C:\Quillo\simcam.ax' 2>&1); then
        echo "10-sim: could not register simcam.ax: $sim_out" >&2
    fi
    unset sim_out
fi
