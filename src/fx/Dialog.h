// fx::Dialog: a dialog from a resource template, run modally (DoModal) or modelessly (Create), also as a
// child page of another window. Its commands, notifications and messages go through its message map.
#pragma once

#include "fx/Wnd.h"

namespace fx {

class Dialog : public Wnd
{
public:
    // `parent` is the owner of a top-level dialog or the parent window of a child page. Without one, a
    // top-level dialog is owned by the application's main window (when it has one).
    explicit Dialog(UINT templateId, HWND parent = nullptr);
    ~Dialog() override;

    // Runs the dialog modally: the owner is disabled, a message loop runs until EndDialog, then the window
    // is destroyed. Returns the EndDialog result, or -1 when the template could not be created or the
    // loop ended by WM_QUIT (which is posted again for the outer loop).
    INT_PTR DoModal();

    // Creates the window modelessly (use Wnd::ShowWindow to show it). Returns false when the template
    // could not be created or when OnInitDialog ended the dialog; the window is gone then, and a
    // self-destroying object is freed once the calling handler has returned.
    bool Create(HWND parent = nullptr);
    bool Create(UINT templateId, HWND parent);

    // Ends the dialog with `result`. Modal: the loop of DoModal stops and DoModal destroys the window.
    // Modeless: the window is destroyed at once (WM_DESTROY handlers run inside this call); the object
    // of a self-destroying dialog is freed after the outermost message handler has returned.
    void EndDialog(INT_PTR result);

    bool IsModal() const { return m_modal; }
    INT_PTR Result() const { return m_result; }
    UINT TemplateId() const { return m_templateId; }

    // Key and mouse messages for the dialog and its controls go through IsDialogMessage
    // (Tab, Enter as IDOK, Escape as IDCANCEL).
    bool PreTranslateMessage(MSG& msg) override;

protected:
    // WM_INITDIALOG. Return TRUE to let the system put the focus on the first control.
    virtual BOOL OnInitDialog();
    // IDOK and IDCANCEL (Enter, Escape, the close box); by default both end the dialog.
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    FX_DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND, UINT, WPARAM, LPARAM);
    HWND CreateFromTemplate(HWND parent);
    HWND OwnerForTopLevel(HWND parent) const;
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }

    UINT m_templateId;
    HWND m_parent;
    INT_PTR m_result = -1;
    bool m_modal = false;
    bool m_modalLoopRunning = false;
    bool m_creating = false;
    bool m_endedWhileCreating = false;
    bool m_destroying = false;
};

} // namespace fx
