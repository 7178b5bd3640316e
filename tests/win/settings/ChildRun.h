// Runs a copy of this test program from a folder of its own, as a separate process under a small debugger
// loop, so that files beside the program and the debugger output of a fresh process can be checked.
#pragma once

#include <windows.h>

#include "support/ChildProcess.h"
#include "support/Restore.h"

#include <string>

class ChildFolder
{
public:
    // Creates a fresh folder under the temporary folder (its name holds a space) and copies this program,
    // or the named program of the same folder, into it as child.exe.
    explicit ChildFolder(const wchar_t* siblingProgram = nullptr);
    ChildFolder(const ChildFolder&) = delete;
    ChildFolder& operator=(const ChildFolder&) = delete;

    bool Ready() const { return m_ready; }
    const std::wstring& Folder() const { return m_folder.Path(); } // with its final backslash
    std::wstring PathOf(const wchar_t* name) const { return m_folder.PathOf(name); }
    std::wstring ProgramPath() const { return PathOf(L"child.exe"); }

    bool WriteFileBytes(const wchar_t* name, const std::string& bytes) const
    {
        return testsupport::WriteWholeFile(PathOf(name), bytes);
    }
    // Empty when missing.
    std::string ReadFileBytes(const wchar_t* name) const { return testsupport::ReadWholeFile(PathOf(name)); }
    bool Exists(const wchar_t* name) const;

    // Runs child.exe --child <action> in the folder and collects its debugger output until it ends (30 s at
    // most).
    testsupport::RunResult Run(const wchar_t* action) const;

private:
    testsupport::TempFolder m_folder{L"quillo settings "};
    bool m_ready = false;
};

// Entry of the child side: performs the action and returns the process exit code.
int RunChildAction(const std::wstring& action);
