// A program that stands for one the product starts (the help page's web browser): it notes the command line
// it was given in C:\QuilloScene\noted.txt (UTF-16) and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int)
{
    const std::wstring noted = L"C:\\QuilloScene\\noted.txt";
    const std::wstring line = arguments ? arguments : L"";
    // Written under a temporary name and moved, so a reader never sees half a line.
    const std::wstring part = noted + L".part";
    HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return ok && MoveFileExW(part.c_str(), noted.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
