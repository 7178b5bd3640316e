// Dialogs from resource templates: a modal loop of our own (so PreTranslateMessage and thread messages
// work while a dialog runs modally), modeless creation, and the end of a modeless dialog outside the
// handler that ended it.
#include "fx/Dialog.h"

#include "fx/App.h"
#include "fx/Dispatch.h"
#include "fx/MessageLoop.h"

namespace fx {

FX_BEGIN_MESSAGE_MAP(Dialog, Wnd)
FX_ON_COMMAND(IDOK, OnOKCommand)
FX_ON_COMMAND(IDCANCEL, OnCancelCommand)
FX_END_MESSAGE_MAP()

Dialog::Dialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

Dialog::~Dialog() = default;

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    // Every message reaches the object through the subclassed window procedure; the dialog manager's
    // own default handling follows when the object leaves a message unanswered.
    return FALSE;
}

HWND Dialog::OwnerForTopLevel(HWND parent) const
{
    HWND owner = DefaultOwner(parent);
    // A dialog that is itself the main window has no owner.
    return owner && owner != m_hwnd ? owner : nullptr;
}

HWND Dialog::CreateFromTemplate(HWND parent)
{
    EnsureCommonControls();
    m_creating = true;
    m_endedWhileCreating = false;
    m_destroying = false;
    HWND hwnd;
    {
        detail::CreationHook hook(this);
        hwnd = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(m_templateId), parent, &StaticDialogProc, 0);
    }
    m_creating = false;
    if (hwnd && m_hwnd == hwnd)
        m_ownsWindow = true;
    return hwnd;
}

INT_PTR Dialog::DoModal()
{
    if (m_hwnd)
        return -1;
    HWND owner = OwnerForTopLevel(m_parent);
    bool reenableOwner = false;
    if (owner && owner != GetDesktopWindow() && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        reenableOwner = true;
    }
    m_modal = true;
    m_modalLoopRunning = true;
    m_result = -1;
    HWND hwnd = CreateFromTemplate(owner);
    if (hwnd && m_hwnd == hwnd && m_modalLoopRunning) {
        if (!::IsWindowVisible(hwnd))
            ::ShowWindow(hwnd, SW_SHOWNORMAL);
        MSG msg;
        while (m_modalLoopRunning && m_hwnd) {
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == -1)
                break;
            if (got == 0) {
                // The program is quitting: end this loop and leave WM_QUIT for the loop outside.
                PostQuitMessage(static_cast<int>(msg.wParam));
                m_result = -1;
                break;
            }
            DispatchOne(msg);
        }
    }
    m_modalLoopRunning = false;
    if (m_hwnd) {
        if (owner && ::GetActiveWindow() == m_hwnd)
            ::SetActiveWindow(owner);
        ::SetWindowPos(m_hwnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (reenableOwner)
        ::EnableWindow(owner, TRUE);
    const INT_PTR result = m_result;
    m_modal = false;
    if (m_hwnd)
        DestroyWindow();
    return result;
}

bool Dialog::Create(HWND parent)
{
    return Create(m_templateId, parent ? parent : m_parent);
}

bool Dialog::Create(UINT templateId, HWND parent)
{
    if (m_hwnd)
        return false;
    m_templateId = templateId;
    m_modal = false;
    m_result = -1;
    // A failed self-destroying dialog is freed only after this call has returned its answer.
    HandlerScope scope;
    HWND hwnd = CreateFromTemplate(OwnerForTopLevel(parent));
    const bool created = hwnd && m_hwnd == hwnd && !m_endedWhileCreating;
    if (!created) {
        if (hwnd && ::IsWindow(hwnd))
            ::DestroyWindow(hwnd);
        else if (!m_pendingPostNcDestroy && !m_hwnd)
            WndInternals::QueuePostNcDestroy(*this);
    }
    return created;
}

void Dialog::EndDialog(INT_PTR result)
{
    m_result = result;
    if (m_modal) {
        if (m_modalLoopRunning) {
            m_modalLoopRunning = false;
            // Wakes the modal loop when this is called from outside a dispatched message (a hook).
            if (m_hwnd)
                PostMessage(WM_NULL);
        }
        return;
    }
    if (!m_hwnd)
        return;
    ::ShowWindow(m_hwnd, SW_HIDE);
    if (m_creating) {
        m_endedWhileCreating = true;
        return;
    }
    // Destroyed now, so that its WM_DESTROY work is done before anything else opens; the object
    // itself is freed only after the handler that ended it has returned.
    if (!m_destroying)
        DestroyWindow();
}

bool Dialog::PreTranslateMessage(MSG& msg)
{
    const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
    const bool mouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
    if (!(key || mouse) || !m_hwnd)
        return false;
    return IsDialogMessageW(m_hwnd, &msg) != FALSE;
}

BOOL Dialog::OnInitDialog()
{
    return TRUE;
}

void Dialog::OnOK()
{
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    if (message == WM_DESTROY)
        m_destroying = true;
    return Wnd::WindowProc(message, wParam, lParam);
}

} // namespace fx
