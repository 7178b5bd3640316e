// DebugLog and DebugLogW: the level rule, the line buffers and the hand-over to the debugger and the file.
#include "settings/DebugLog.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>

#include "settings/LogFile.h"
#include "settings/LogLine.h"
#include "common/ModulePath.h"
#include "common/PathText.h"

int g_nLogLevel = 0;

namespace {
LogFile g_logFile;

// Converts an ANSI line to UTF-16 for the debugger output; the line always fits since one byte never
// becomes more than one code unit.
void SendToDebugger(const char* line)
{
    wchar_t wide[kLogMessageChars];
    int converted = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, line, -1, wide, static_cast<int>(kLogMessageChars));
    if (converted > 0) {
        wide[kLogMessageChars - 1] = L'\0';
        OutputDebugStringW(wide);
    }
}

// Converts a UTF-16 line to the ANSI code page into at most kLogMessageChars bytes (terminator included),
// cutting whole characters from its end when the converted text would not fit.
std::size_t ToAnsiBounded(const wchar_t* line, std::size_t length, char* out, std::size_t outChars)
{
    auto convert = [&](std::size_t units) {
        if (units == 0)
            return 0;
        return WideCharToMultiByte(CP_ACP, 0, line, static_cast<int>(units), out, static_cast<int>(outChars - 1),
                                   nullptr, nullptr);
    };
    int bytes = convert(length);
    if (bytes <= 0 && length > 0) {
        // Largest prefix that converts into the buffer; the converted size only grows with the prefix.
        std::size_t fits = 0, tooLong = length;
        while (tooLong - fits > 1) {
            std::size_t mid = fits + (tooLong - fits) / 2;
            if (convert(mid) > 0)
                fits = mid;
            else
                tooLong = mid;
        }
        bytes = convert(WideCutPoint(line, length, fits));
        if (bytes < 0)
            bytes = 0;
    }
    out[bytes] = '\0';
    return static_cast<std::size_t>(bytes);
}
} // namespace

void ReadLogLevel()
{
    // Without a backslash in the module name the INI lookup goes to the module name itself.
    std::wstring module = ProgramModuleName();
    std::wstring iniPath = ModuleFolder(module).empty() ? module : FileBesideModule(module, L"vistrel.ini");
    g_nLogLevel = static_cast<int>(GetPrivateProfileIntW(L"DEBUG", L"LOG_LEVEL", 0, iniPath.c_str()));
}

void DebugLog(const char* format, ...)
{
    if (!LogLevelReachesDebugger(g_nLogLevel) || !format)
        return;
    char message[kLogMessageChars];
    va_list args;
    va_start(args, format);
    int formatted = vsnprintf(message, sizeof message, format, args);
    va_end(args);
    if (formatted < 0)
        message[0] = '\0';
    message[sizeof message - 1] = '\0';

    char line[kLogMessageChars];
    std::size_t length = ComposeLogLine(line, sizeof line, kLogPrefix, message);
    SendToDebugger(line);
    if (!LogLevelHandsToFile(g_nLogLevel))
        return;
    g_logFile.Write(g_nLogLevel, line, length);
}

void DebugLogW(const wchar_t* format, ...)
{
    if (!LogLevelReachesDebugger(g_nLogLevel) || !format)
        return;
    wchar_t message[kLogMessageChars] = {};
    va_list args;
    va_start(args, format);
    // The runtime's own formatter: "%s" takes a wide text here, as every caller passes. On overflow it
    // fills the buffer without a terminator, so the last unit stays the terminator.
    (void)_vsnwprintf(message, kLogMessageChars - 1, format, args);
    va_end(args);
    message[kLogMessageChars - 1] = L'\0';

    wchar_t line[kLogMessageChars];
    std::size_t length = ComposeLogLineWide(line, kLogMessageChars, kLogPrefixWide, message);
    OutputDebugStringW(line);
    if (!LogLevelHandsToFile(g_nLogLevel))
        return;
    char ansi[kLogMessageChars];
    std::size_t ansiLength = ToAnsiBounded(line, length, ansi, sizeof ansi);
    g_logFile.Write(g_nLogLevel, ansi, ansiLength);
}
