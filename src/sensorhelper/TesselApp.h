// CTesselApp: the sensor helper's application. Only one copy runs; a second start tells the first through the
// shared section and the registered message of its instance name, and ends.
#pragma once

#include "fx/App.h"

class CTesselApp : public fx::App
{
public:
    CTesselApp();
    ~CTesselApp() override;

    bool IsFirstInstance() const { return m_firstInstance; }

    // Runs the hidden dialog modally; returns false so that the program ends with it.
    bool InitInstance() override;
    // Swallows the registered message of a second start; nothing further happens on it.
    bool PreTranslateMessage(MSG& msg) override;

private:
    bool m_firstInstance = false;
    HANDLE m_section = nullptr;
    void* m_view = nullptr;
    UINT m_secondInstanceMessage = 0;
};
