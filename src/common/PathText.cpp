// Path text (see PathText.h).
#include "common/PathText.h"

std::wstring ModuleFolder(const std::wstring& moduleName)
{
    std::size_t slash = moduleName.rfind(L'\\');
    if (slash == std::wstring::npos)
        return std::wstring();
    return moduleName.substr(0, slash + 1);
}

std::wstring FileBesideModule(const std::wstring& moduleName, const wchar_t* fileName)
{
    return ModuleFolder(moduleName) + (fileName ? fileName : L"");
}
