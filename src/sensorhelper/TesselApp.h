// CTesselApp: the sensor helper's application. Only one copy runs; a second start tells the first through the
// shared section and the registered message of its instance name, and ends.
#pragma once

#include <windows.h>

class CTesselApp
{
public:
    CTesselApp();
    ~CTesselApp();
    CTesselApp(const CTesselApp&) = delete;
    CTesselApp& operator=(const CTesselApp&) = delete;

    bool IsFirstInstance() const { return m_firstInstance; }
    // Runs the hidden dialog; returns the program's exit code.
    int Run(HINSTANCE instance);

private:
    bool m_firstInstance = false;
    HANDLE m_section = nullptr;
    void* m_view = nullptr;
    UINT m_secondInstanceMessage = 0;
};
