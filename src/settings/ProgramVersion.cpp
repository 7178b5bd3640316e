// GetProgramVersion: the fixed file version of the program's own module.
#include "settings/LangText.h"

#include <cwchar>
#include <vector>

#include "common/ModulePath.h"

bool GetProgramVersion(std::wstring& version)
{
    std::wstring module = ProgramModuleName();
    if (module.empty())
        return false;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(module.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(module.c_str(), 0, size, block.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoLength = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoLength) || !info ||
        infoLength < sizeof(VS_FIXEDFILEINFO))
        return false;
    wchar_t text[64] = {};
    _snwprintf(text, 63, L"%d.%d.%d.%d", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
               HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    version = text;
    return true;
}
