// CSkinDlg: the skinned toolbar, Quillo's only top-level window. It owns the settings record and opens
// the working windows; its look (shape, logo and button pictures) follows the screen edge it sits at.
#pragma once

#include "fx/Dialog.h"
#include "fx/Gdi.h"
#include "fx/Menu.h"
#include "settings/SettingsRecord.h"
#include "settings/ToolbarLink.h"
#include "ui/ORRIN_BARBtn.h"

#include <shellapi.h>

#include <string>

class Preview;
class Properties;
class Setting;

class CSkinDlg : public fx::Dialog, public ToolbarLink
{
public:
    CSkinDlg();
    ~CSkinDlg() override;

    // Settings and file numbers other windows read and change (registry names: the settings store).
    SettingsRecord m_settings;

    // Desktop-toolbar and drag state.
    bool m_bAppBarRegistered = false;
    bool m_bDragging = false;
    bool m_bSlidOut = false;

    Preview* cPreview = nullptr;
    Properties* cProperties = nullptr;
    Setting* cSetting = nullptr;
    BYTE bTolPrevWnd = 0, bTolPropWnd = 0, bTolSetWnd = 0;
    // The About box while its modal loop runs: Exit ends it too, or the program would wait for it.
    fx::Dialog* m_pAbout = nullptr;

    int m_nInstanceState = 0;
    std::wstring m_strOwnName, m_strOtherName;
    std::wstring m_strHandOverText = L"NORVANE";

    // Opens the preview when it is closed, closes it when it is open.
    void OnBnClickedButpreview();
    // ToolbarLink: the record, the bar's window, the Setting dialog's state. A preview that is gone is
    // forgotten and the stored picture size goes back to 640 x 480.
    SettingsRecord& Settings() override { return m_settings; }
    HWND ToolbarWindow() const override { return Hwnd(); }
    bool IsPreviewOpen() const override { return bTolPrevWnd != 0; }
    Preview* OpenPreview() const override { return cPreview; }
    bool IsSettingOpen() const override { return bTolSetWnd != 0; }
    PropertiesView* PropertiesDialog() const override;
    SettingView* SettingDialog() const override;
    void DockAtEdge(int position) override;
    void ApplyAutoHide(bool on) override;
    void OnPreviewClosed(Preview* preview) override;
    void OnPropertiesClosed(Properties* properties) override;
    void OnSettingClosed(Setting* setting) override;
    void RunCommand(ToolbarCommand command) override;
    void RenewHooks() override;

    // Open the working dialog when it is closed, close it when it is open (buttons, Alt+F8, Alt+F9).
    void OnBnClickedButproperties();
    void OnBnClickedButsetting();
    // Opens the help page of the interface language in the browser.
    void OnBnClickedButhelp();
    // Brings the running file numbers up to date from a folder (0: pictures of the current format, 1:
    // recordings); true when a numbered file was found.
    bool FindNextFileNumber(const std::wstring& folder, int videoFlag) override;
    // The settings store, as the toolbar's own reads and writes (see RegistryStore.h).
    void DeployRegistryOnCurUser();
    void ReadSettingsFromRegistry();
    void WriteSettingsToRegistry() override;
    void ReadPropertiesFromRegistry();
    // "Set" and "PowerlineFrequency", and the image values while the preview has a live camera.
    void ModifyPropertiesToRegistry() override;
    // Show the bar again (tray menu, hand-over from a second start).
    void OnShowToolbar();
    void OnExit();

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    bool PreTranslateMessage(MSG& msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    FX_DECLARE_MESSAGE_MAP()

private:
    void HandOverToFirstInstance();
    void ApplyLook();
    void LoadMenus();
    void AddTrayIcon();
    // Docking and auto-hide.
    void DockAt(int position);
    void MoveToEdge(int position);
    void SetAutoHide(bool on);
    void SlideOut();
    void SlideIn();
    void HideSteps();
    void MarkPositionInMenu(int position);
    void ReportPositionChange(int position);
    void RegisterAppBar();
    void RemoveAppBar();
    bool Docked() const { return m_settings.m_nToolbarPosition >= 1 && m_settings.m_nToolbarPosition <= 3; }
    void SetButtonsBarHidden(bool hidden);
    void OnTimer(UINT_PTR id);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT keys, POINT point);
    void OnMouseMove(UINT keys, POINT point);
    void OnLButtonUp(UINT keys, POINT point);
    void SettlePowerLineFrequency();

    void OnMinimize();
    void OnAbout();
    void OnClose();
    void OnBnClickedButmenu();
    void OnAutoHide();
    void OnDockLeft() { MoveToEdge(2); }
    void OnDockTop() { MoveToEdge(1); }
    void OnDockRight() { MoveToEdge(3); }
    LRESULT OnHotKey(WPARAM action, LPARAM);
    void CloseWorkingWindows();
    // Power, session and display events.
    void OnSuspend();
    void OnSessionChange();
    void OnDisplayChange();
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    void OnDestroy();
    LRESULT OnTrayNotify(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hIcon); }
    LRESULT OnBarCallback(WPARAM, LPARAM) { return 0; }

    CORRIN_BARBtn m_btnCamera, m_btnProperty, m_btnSetting, m_btnHelp, m_btnMenu;
    fx::Bitmap m_logo;
    fx::Menu m_menu;
    fx::Menu m_trayMenu;
    HICON m_hIcon = nullptr;
    NOTIFYICONDATAW m_trayIcon = {};
    bool m_trayIconAdded = false;
    bool m_comInitialised = false;
    bool m_sessionRegistered = false;
    int m_nShapedPosition = -1; // the edge seen at the previous WM_SIZE
    POINT m_dragStartCursor = {0, 0};
    RECT m_dragStartRect = {0, 0, 0, 0};
    RECT m_dragRect = {0, 0, 0, 0};
    int m_nLastWrittenPosition = 0; // the edge last stored by a position change
};

// The toolbar window and object, for the system-wide hook procedures.
extern HWND g_hToolbarWnd;
extern CSkinDlg* g_pToolbar;
