// What the working windows (the preview, the Properties and Setting dialogs) ask of the toolbar that made
// them: its settings record, its window, whether its other dialogs are open, and word that they are gone.
// The toolbar implements it; the windows hold it as m_pSkinDlg and never see the toolbar's class.
#pragma once

#include <windows.h>

#include "settings/SettingsRecord.h"

class Preview;
class Properties;
class Setting;

// The toolbar's actions the preview's function menu runs.
enum class ToolbarCommand {
    About,
    Properties,
    Setting,
    Help,
};

class ToolbarLink
{
public:
    virtual SettingsRecord& Settings() = 0;
    virtual HWND ToolbarWindow() const = 0;
    // The Setting dialog is open (bTolSetWnd).
    virtual bool IsSettingOpen() const = 0;
    // The preview is gone or going: the toolbar forgets it. Called again for a preview already forgotten,
    // it does nothing.
    virtual void OnPreviewClosed(Preview* preview) = 0;
    // The Properties or Setting dialog is gone or going: the toolbar forgets it (once).
    virtual void OnPropertiesClosed(Properties* properties) = 0;
    virtual void OnSettingClosed(Setting* setting) = 0;
    virtual void RunCommand(ToolbarCommand command) = 0;
    // Installs the bar's keyboard and mouse hooks again, first in the system's chain.
    virtual void RenewHooks() = 0;

protected:
    ~ToolbarLink() = default;
};
