// Interface language and text lookup in "Lang.ini" beside the program, the program's version text and
// finding a menu item by its text.
#pragma once

#include <windows.h>

#include <string>

// The interface language name ("English", "German", ...). The first call decides it from the machine's
// "Language" value or the system's default language; later calls return the same name.
std::wstring GetOSLanguage();

// The text under key in the current language's section, or englishDefault when it is missing or empty.
std::wstring GetLangText(const wchar_t* key, const wchar_t* englishDefault);
// The same, in a shared buffer of 512 code units that the next call overwrites; use the text at once.
const wchar_t* GetLangTextBuf(const wchar_t* key, const wchar_t* englishDefault);

// A text key written down away from its lookup, in a table of controls or tips. The keys of Lang.ini are
// collected from the sources by the first arguments of GetLangText, GetLangTextBuf and SkinPage::SetLabel and by
// this marker, so every key in a table goes through it.
constexpr const wchar_t* TextKey(const wchar_t* key)
{
    return key;
}

// Zero-based position of the item whose text equals text exactly ("&" marks included), or -1.
int FindMenuItemByText(HMENU menu, const wchar_t* text);

// The fixed file version of the program's own module as "a.b.c.d"; false when it has no version resource.
bool GetProgramVersion(std::wstring& version);
