// Hot keys and the help folder (see HotKeys.h).
#include "app/HotKeys.h"

#include <cwchar>

namespace toolbar {

namespace {
constexpr unsigned kF1 = 0x70, kF7 = 0x76, kF8 = 0x77, kF9 = 0x78;
}

HotKeyDecision DecideHotKey(KeyEvent event, unsigned virtualKey, bool previewOpen)
{
    switch (event) {
    case KeyEvent::SystemKeyDown:
        if (virtualKey == kF7)
            return {HotKeyAction::Camera, false};
        if (virtualKey == kF8)
            return {HotKeyAction::Properties, false};
        if (virtualKey == kF9)
            return {HotKeyAction::Setting, false};
        return {HotKeyAction::None, false};
    case KeyEvent::KeyDown:
        if (virtualKey == kF1)
            return {previewOpen ? HotKeyAction::Help : HotKeyAction::None, false};
        return {HotKeyAction::None, true};
    case KeyEvent::Other:
        break;
    }
    return {HotKeyAction::None, true};
}

const wchar_t* HelpLanguageFolder(const wchar_t* language)
{
    static const wchar_t* const kWithoutPages[] = {L"Chinese(Traditional)", L"Chinese(Simplified)", L"Korean",
                                                   L"Portuguese"};
    if (!language)
        return L"English";
    for (const wchar_t* name : kWithoutPages) {
        if (std::wcscmp(language, name) == 0)
            return L"English";
    }
    return language;
}

} // namespace toolbar
