// Checks GetAreaCodeFrequency of Brindle.dll and flicker_a.dll against the code expected for the system
// locale the test runs under (first argument). Exit code 0 when both agree with it.
#include <windows.h>

#include "common/ModulePath.h"
#include "driverlib/BrindleApi.h"

#include <cstdio>
#include <cwchar>

namespace {

bool Check(const wchar_t* library, int expected)
{
    HMODULE module = LoadLibraryW(PathBesideProgram(library).c_str());
    if (module == nullptr) {
        std::fwprintf(stderr, L"%ls: not loaded\n", library);
        return false;
    }
    auto fn = reinterpret_cast<GetAreaCodeFrequencyFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "GetAreaCodeFrequency")));
    int code = -1;
    const int result = fn != nullptr ? fn(&code) : -1;
    FreeLibrary(module);
    std::fwprintf(stderr, L"%ls: locale 0x%04lx result %d code %d (expected %d)\n", library,
                  static_cast<unsigned long>(GetSystemDefaultLCID()), result, code, expected);
    return result == 1 && code == expected;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    const int expected = std::wcstol(argv[1], nullptr, 10);
    const bool brindle = Check(L"Brindle.dll", expected);
    const bool flicker = Check(L"flicker_a.dll", expected);
    return brindle && flicker ? 0 : 1;
}
