// Module file names of any length (see ModulePath.h).
#include "common/ModulePath.h"

#include "common/PathText.h"

std::wstring ModuleFileName(HMODULE module)
{
    // Grows the buffer until the whole name fits; the longest path the system knows is 32767 units.
    std::wstring name(MAX_PATH, L'\0');
    while (name.size() <= 32768) {
        const DWORD length = GetModuleFileNameW(module, &name[0], static_cast<DWORD>(name.size()));
        if (length == 0)
            return std::wstring();
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
    return std::wstring();
}

std::wstring ProgramModuleName()
{
    return ModuleFileName(nullptr);
}

std::wstring ProgramFolder()
{
    return ModuleFolder(ProgramModuleName());
}

std::wstring PathBesideProgram(const wchar_t* file)
{
    const std::wstring folder = ProgramFolder();
    if (folder.empty())
        return std::wstring();
    return folder + (file ? file : L"");
}
