// Windows-free rules of the registry settings store: how a stored value is taken (a value of the wrong type
// or shape is refused, so the field keeps what it had), how numbers become settings, and the complete
// layout with the defaults a new user gets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace store {

// Registry value types as the registry numbers them.
constexpr uint32_t kTypeText = 1;  // REG_SZ
constexpr uint32_t kTypeDword = 4; // REG_DWORD
// Texts are read and written up to this many characters; a longer one is refused.
constexpr size_t kMaxTextChars = 254;

// A 32-bit number: only a REG_DWORD of exactly four bytes.
bool DwordFromValue(uint32_t type, const uint8_t* data, size_t bytes, uint32_t& value);
// A text: a REG_SZ of whole UTF-16 units that ends with its terminator within the data and holds at most
// kMaxTextChars characters before it. Anything else is refused.
bool TextFromValue(uint32_t type, const uint8_t* data, size_t bytes, std::wstring& text);

// Registry booleans count as true only when exactly 1.
inline bool RegistryTrue(uint32_t value)
{
    return value == 1;
}
// A docked edge (1 top, 2 left, 3 right); a stored 0 means the top. False for anything else.
bool ToolbarPositionFromValue(uint32_t value, int& position);
// A picture format (0 BMP, 1 JPEG, 2 PNG); false for anything else.
bool ExportFormatFromValue(uint32_t value, int& format);
// Decimal text to integer as the image values are read: leading white space skipped, an optional sign, digits
// up to the first non-digit; no digit gives 0. Values beyond 32 bits are clamped.
int DecimalTextToInt(const std::wstring& text);

// The product key under HKEY_CURRENT_USER, and its subkeys (each with its final backslash).
constexpr wchar_t kProductKey[] = L"Software\\Norvane\\Quillo\\";
constexpr wchar_t kOptionsKey[] = L"Settings\\Options\\";
constexpr wchar_t kPictureKey[] = L"Settings\\Picture\\";
constexpr wchar_t kVideoKey[] = L"Settings\\Video\\";
constexpr wchar_t kImageKey[] = L"Properties\\Image\\";
constexpr wchar_t kPropertyOptionsKey[] = L"Properties\\Options\\";

// The six image values in the order the camera and the store name them.
constexpr int kImageValueCount = 6;
extern const wchar_t* const kImageValueNames[kImageValueCount];
// What a new user gets when the camera gives no defaults of its own.
extern const int kImageFallbackValues[kImageValueCount];

// One value a new user's deployment writes, key by key in the order written.
struct DefaultValue
{
    const wchar_t* subkey;
    const wchar_t* name;
    uint32_t type;       // kTypeDword or kTypeText
    uint32_t number;     // for kTypeDword
    const wchar_t* text; // for kTypeText (null: an image value, taken from the camera)
};
// Every value of the first-start deployment, in the order written.
const DefaultValue* DeploymentValues(size_t* count);

} // namespace store
