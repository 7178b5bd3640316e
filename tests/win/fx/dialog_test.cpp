// Dialogs from templates: modal runs, message-map routing, self-destroying modeless dialogs, pages.
#include "fx/App.h"
#include "fx/Dialog.h"
#include "fx/MessageLoop.h"
#include "fx_test_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Posts a message now and runs a modal dialog whose OnInitDialog posts `script`.
struct Posted
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ScriptedDialog : public fx::Dialog
{
public:
    explicit ScriptedDialog(std::vector<Posted> script, UINT templateId = IDD_FX_MODAL)
        : Dialog(templateId), m_script(std::move(script))
    {
    }
    std::vector<std::wstring> log;

protected:
    BOOL OnInitDialog() override
    {
        log.push_back(L"init");
        for (const Posted& p : m_script)
            PostMessage(p.message, p.wParam, p.lParam);
        return TRUE;
    }
    void OnOK() override
    {
        log.push_back(L"ok");
        EndDialog(7);
    }
    void OnApply() { log.push_back(L"apply"); }
    void OnEditChange() { log.push_back(L"edit-change"); }

    FX_DECLARE_MESSAGE_MAP()

private:
    std::vector<Posted> m_script;
};

FX_BEGIN_MESSAGE_MAP(ScriptedDialog, fx::Dialog)
FX_ON_COMMAND(IDC_FX_BUTTON, OnApply)
FX_ON_CONTROL(EN_CHANGE, IDC_FX_EDIT, OnEditChange)
FX_END_MESSAGE_MAP()

TEST(Dialog, ModalRoutesCommandsAndReturnsEndDialogResult)
{
    ScriptedDialog dialog({{WM_COMMAND, IDC_FX_BUTTON, 0}, {WM_COMMAND, IDOK, 0}});
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.log, (std::vector<std::wstring>{L"init", L"apply", L"ok"}));
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

} // namespace
