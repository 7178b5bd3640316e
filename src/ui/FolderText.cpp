// Save folders the program accepts (see FolderText.h).
#include "ui/FolderText.h"

#include "settings/RegistryRules.h"

namespace folders {

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}
} // namespace

bool IsStorableFolder(const std::wstring& text)
{
    if (text.empty() || text.size() > store::kMaxTextChars)
        return false;
    if (text.size() >= 3 && IsDriveLetter(text[0]) && text[1] == L':' && IsSeparator(text[2]))
        return true;
    // A share: two separators, then a server name.
    return text.size() > 2 && IsSeparator(text[0]) && IsSeparator(text[1]) && !IsSeparator(text[2]);
}

} // namespace folders
