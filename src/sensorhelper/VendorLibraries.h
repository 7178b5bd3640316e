// The vendor libraries as Tessel loads them: by full path from the folder of Tessel.exe, one load per
// command, unloaded when the command's library object goes away. Also the helper's waits and trace lines.
#pragma once

#include "sensorhelper/SensorCommands.h"

#include <string>

class Win32VendorHost : public VendorLibraryHost
{
public:
    std::unique_ptr<SonixLibrary> LoadSonix() override;
    std::unique_ptr<SunplusLibrary> LoadSunplus() override;
    std::unique_ptr<BrindleLibrary> LoadBrindle() override;
    void Wait(unsigned milliseconds) override;
    // Converts from the system code page and hands the line to the debugger output.
    void Trace(const std::string& line) override;
};
