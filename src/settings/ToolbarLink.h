// What the working windows (the preview, the Properties and Setting dialogs) ask of the toolbar that made
// them: its settings record and their writers, its window, its docking and auto-hide, the other working windows
// when they are open, and word that they are gone. The toolbar implements it; the windows hold it as m_pSkinDlg
// (pSkinProp, pSkinSet) and never see the toolbar's class.
#pragma once

#include <windows.h>

#include <string>

#include "settings/DialogViews.h"
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
    // The preview is open (bTolPrevWnd) and the preview itself (cPreview, null when there is none).
    virtual bool IsPreviewOpen() const = 0;
    virtual Preview* OpenPreview() const = 0;
    // The Setting dialog is open (bTolSetWnd).
    virtual bool IsSettingOpen() const = 0;
    // The open dialogs as the preview and the toolbar see them; null when closed.
    virtual PropertiesView* PropertiesDialog() const = 0;
    virtual SettingView* SettingDialog() const = 0;
    // The preview is gone or going: the toolbar forgets it. Called again for a preview already forgotten,
    // it does nothing.
    virtual void OnPreviewClosed(Preview* preview) = 0;
    // The Properties or Setting dialog is gone or going: the toolbar forgets it (once).
    virtual void OnPropertiesClosed(Properties* properties) = 0;
    virtual void OnSettingClosed(Setting* setting) = 0;
    virtual void RunCommand(ToolbarCommand command) = 0;
    // Installs the bar's keyboard and mouse hooks again, first in the system's chain.
    virtual void RenewHooks() = 0;

    // The settings writers: "Set", "PowerlineFrequency" and, with a live camera, the image values; every
    // "Settings" value.
    virtual void ModifyPropertiesToRegistry() = 0;
    virtual void WriteSettingsToRegistry() = 0;
    // Docks the bar at an edge (1 top, 2 left, 3 right) at once, without storing it.
    virtual void DockAtEdge(int position) = 0;
    // Switches auto-hide on or off at once, without storing it.
    virtual void ApplyAutoHide(bool on) = 0;
    // Brings the running file numbers up to date from a folder (0: pictures, 1: recordings).
    virtual bool FindNextFileNumber(const std::wstring& folder, int videoFlag) = 0;

protected:
    ~ToolbarLink() = default;
};
