// Module file name of the running program (see ProgramFolder.h).
#include "settings/ProgramFolder.h"

#include <windows.h>

#include "settings/LogLine.h"

std::wstring ProgramModuleName()
{
    // Grows the buffer until the whole name fits; the longest path the system knows is 32767 units.
    std::wstring name(MAX_PATH, L'\0');
    while (name.size() <= 32768) {
        DWORD length = GetModuleFileNameW(nullptr, &name[0], static_cast<DWORD>(name.size()));
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

std::wstring ProgramFolder()
{
    return ModuleFolder(ProgramModuleName());
}
