// The bar's global hot keys, as the system-wide keyboard hook decides them: Alt+F7 the camera, Alt+F8 the
// Properties dialog, Alt+F9 the Setting dialog, F1 the help while the preview is open. Every system key
// (Alt held, or F10) and F1 stay hidden from later hooks; no key is ever kept from its window. Windows-free.
#pragma once

namespace toolbar {

enum class HotKeyAction { None, Camera, Properties, Setting, Help };

struct HotKeyDecision
{
    HotKeyAction action;
    bool passOn; // hand the event to the next hook in the chain
};

// Key-event kinds as the hook receives them.
enum class KeyEvent { KeyDown, SystemKeyDown, Other };

// virtualKey is the key's virtual-key code (VK_F1 = 0x70 ... VK_F9 = 0x78).
HotKeyDecision DecideHotKey(KeyEvent event, unsigned virtualKey, bool previewOpen);

// The folder name under "Help\" for the interface language: the languages without pages of their own
// ("Chinese(Traditional)", "Chinese(Simplified)", "Korean", "Portuguese") read the English page.
const wchar_t* HelpLanguageFolder(const wchar_t* language);

} // namespace toolbar
