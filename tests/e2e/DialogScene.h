// What the scenario tests of the Properties and Setting dialogs share: a Quillo started for one scene and ended
// through its own Exit, its dialogs and their pages, controls read and driven from outside the program (lists,
// sliders, edits, the shell's folder browser), the program's registry values, the simulated camera's image values,
// screen pixels, Unix commands (xdotool for real pointer drags) and a folder nobody may write into.
#pragma once

#include "E2eSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scene {

// The product's values under HKEY_CURRENT_USER "Software\Norvane\Quillo\<subkey>".
bool ReadDword(const wchar_t* subkey, const wchar_t* name, DWORD& value);
bool ReadText(const wchar_t* subkey, const wchar_t* name, std::wstring& text);
bool WriteDword(const wchar_t* subkey, const wchar_t* name, DWORD value);
bool WriteText(const wchar_t* subkey, const wchar_t* name, const std::wstring& text);
// Every value of the product key as "subkey\name=type:data" lines, for comparing whole states.
std::vector<std::wstring> ProductValues();

// A Quillo of one scene.
class Quillo
{
public:
    // Starts Quillo.exe (with "/s": the toolbar only) and waits for its toolbar. False when it did not come.
    bool Start(bool withPreview);
    DWORD Pid() const { return m_process.Pid(); }
    HWND Bar() const { return m_bar; }
    // A visible top-level window of this Quillo with the title, within the time; null otherwise.
    HWND Window(const wchar_t* title, DWORD timeoutMs = 15000) const;
    // Whether no visible window of this Quillo has the title, within the time.
    bool WindowGone(const wchar_t* title, DWORD timeoutMs = 15000) const;
    // A toolbar command (button id or menu command) posted to the toolbar.
    void Command(UINT id) const;
    // Ends the program through the tray menu's Exit (exit code 0 within the time, else ended by force).
    ::testing::AssertionResult Exit();

private:
    e2e::Process m_process;
    HWND m_bar = nullptr;
};

// The fixture of a scene with one Quillo: a clean scene before and after each case, and the Quillo the case
// started (m_started set) ended through its own Exit, which must succeed.
class SceneTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetScene()); }
    void TearDown() override
    {
        if (m_started) {
            EXPECT_TRUE(m_quillo.Exit());
        }
        EXPECT_TRUE(e2e::ResetScene());
    }

    Quillo m_quillo;
    bool m_started = false;
};

// A scene that starts with the bar only (Quillo "/s"); a case may start Notepad to take the focus away from
// Quillo, and it is ended with the case.
class BarSceneTest : public SceneTest
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SceneTest::SetUp());
        ASSERT_TRUE(m_quillo.Start(false));
        m_started = true;
    }
    void TearDown() override
    {
        if (m_notepad.Valid())
            m_notepad.Kill();
        SceneTest::TearDown();
    }

    e2e::Process m_notepad;
};

// The page of a Properties or Setting dialog that holds a control only that page has.
HWND Page(HWND dialog, UINT uniqueControlId);
// A control of a page or dialog by id.
HWND Control(HWND parent, UINT id);
// A button click as its parent receives it (posted, so a box it opens does not block the test).
void Click(HWND button);
// Alt and a letter, as the keyboard gives it to a control.
void AltKey(HWND control, UINT key);

// Lists: entries, selection, texts; choosing an entry as the user does (selection and its notification).
int ComboCount(HWND combo);
int ComboSelection(HWND combo);
std::wstring ComboText(HWND combo, int index);
void ChooseComboEntry(HWND combo, int index);
std::wstring Text(HWND window);
void SetText(HWND edit, const std::wstring& text);

struct SliderState
{
    int minimum = 0, maximum = 0, position = 0;
    bool enabled = false;
};
SliderState Slider(HWND slider);
// The slider's thumb in screen coordinates (read through memory in the slider's process).
RECT SliderThumbOnScreen(HWND slider, DWORD pid);
// Moves a slider as a keyboard or program would: its position, then the scroll notification to its parent.
void MoveSlider(HWND slider, int position);

// The rectangle of a window in the client coordinates of another.
RECT RectIn(HWND window, HWND reference);

// Runs a Unix shell command line on the machine Wine runs on; true when it ended with 0.
bool RunUnix(const std::wstring& command);
// Runs xdotool (on the X display Wine draws on) with the arguments; true when it ended with 0.
bool Xdotool(const std::wstring& arguments);

// A folder in which no file can be created, listed like any other folder (Z:\tmp\quillo-locked-<pid>, made
// immutable); gone at
// the end of the scope. Path() is empty when it could not be made.
class UnwritableFolder
{
public:
    UnwritableFolder();
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    // Its name in the folder browser's tree below Z:.
    std::vector<std::wstring> TreePath() const;

private:
    std::wstring m_unixPath;
    std::wstring m_path;
};

// The message box of this Quillo whose text is `text`, within the time; null otherwise.
HWND MessageBoxWithText(DWORD pid, const std::wstring& text, DWORD timeoutMs);

// The shell's folder browser of a process (the window with a tree view), within the time; null otherwise.
HWND FolderBrowser(DWORD pid, DWORD timeoutMs);
// The shell's folder browser of another process: walks its tree by item texts, selects the item and confirms.
// `path` names the items below the desktop, e.g. {L"My Computer", L"Z:", L"sys"}; an item matches when its text
// contains the name. False when an item was not found; *seen then tells what was there.
bool ChooseInFolderBrowser(HWND browser, DWORD pid, const std::vector<std::wstring>& path,
                           std::wstring* seen = nullptr);

// One image property of the simulated camera (simctl's answer): its value, range and factory default; value -9999
// when unread.
struct CameraValue
{
    long value = -9999, minimum = 0, maximum = 0, factory = 0;
};
CameraValue ReadCamera(int property);
// simctl's description of the first camera ("... mirror=0 flip=0 ...").
std::string SimDump();

// The WCAG contrast ratio of two colours (1 to 21).
double ContrastRatio(uint32_t rgb1, uint32_t rgb2);

} // namespace scene
