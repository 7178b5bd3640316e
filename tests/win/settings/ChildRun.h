// Runs a copy of this test program from a folder of its own, as a separate process under a small debugger
// loop, so that files beside the program and the debugger output of a fresh process can be checked.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ChildResult
{
    bool started = false;
    bool exited = false;
    DWORD exitCode = 0;
    std::vector<std::wstring> debugStrings; // every debugger output string the child sent
};

class ChildFolder
{
public:
    // Creates a fresh folder under the temporary folder (its name holds a space) and copies this program,
    // or the named program of the same folder, into it as child.exe.
    explicit ChildFolder(const wchar_t* siblingProgram = nullptr);
    ~ChildFolder();
    ChildFolder(const ChildFolder&) = delete;
    ChildFolder& operator=(const ChildFolder&) = delete;

    bool Ready() const { return m_ready; }
    const std::wstring& Folder() const { return m_folder; } // with its final backslash
    std::wstring PathOf(const wchar_t* name) const { return m_folder + name; }
    std::wstring ProgramPath() const { return PathOf(L"child.exe"); }

    bool WriteFileBytes(const wchar_t* name, const std::string& bytes) const;
    std::string ReadFileBytes(const wchar_t* name) const; // empty when missing
    bool Exists(const wchar_t* name) const;

    // Runs child.exe --child <action> and collects its debugger output until it ends (30 s at most).
    ChildResult Run(const wchar_t* action) const;

private:
    std::wstring m_folder;
    bool m_ready = false;
};

// Entry of the child side: performs the action and returns the process exit code.
int RunChildAction(const std::wstring& action);
