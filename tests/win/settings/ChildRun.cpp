// Child-process runner of the settings tests (see ChildRun.h).
#include "ChildRun.h"

#include "common/ModulePath.h"

ChildFolder::ChildFolder(const wchar_t* siblingProgram)
{
    const std::wstring program = siblingProgram ? PathBesideProgram(siblingProgram) : ProgramModuleName();
    m_ready = m_folder.Ready() && !program.empty() && m_folder.CopyIn(program, L"child.exe");
}

bool ChildFolder::Exists(const wchar_t* name) const
{
    return GetFileAttributesW(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

testsupport::RunResult ChildFolder::Run(const wchar_t* action) const
{
    testsupport::RunOptions options;
    options.timeoutMs = 30000;
    options.workingFolder = m_folder.Path();
    options.collectDebugStrings = true;
    return testsupport::Run(ProgramPath(), std::wstring(L"--child ") + action, options);
}
