// How stored registry values become settings: only a value of the right type and shape is taken, so a
// hand-edited value of any other shape leaves the setting as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/RegistryRules.h"

namespace {

using namespace store;

std::vector<uint8_t> Utf16(const std::wstring& text, bool terminated)
{
    std::vector<uint8_t> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
    }
    if (terminated) {
        bytes.push_back(0);
        bytes.push_back(0);
    }
    return bytes;
}

TEST(RegistryNumbers, OnlyAFourByteDwordIsANumber)
{
    const uint8_t dword[4] = {0x02, 0x01, 0x00, 0x80};
    uint32_t value = 7;
    EXPECT_TRUE(DwordFromValue(kTypeDword, dword, 4, value));
    EXPECT_EQ(value, 0x80000102u);

    const std::vector<uint8_t> text = Utf16(L"1", true);
    const uint8_t eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    const uint8_t binaryJunk[4] = {1, 0, 0, 0};
    value = 7;
    EXPECT_FALSE(DwordFromValue(kTypeText, text.data(), text.size(), value)) << "text where a number belongs";
    EXPECT_FALSE(DwordFromValue(kTypeDword, dword, 2, value)) << "a short number";
    EXPECT_FALSE(DwordFromValue(11 /* REG_QWORD */, eight, 8, value)) << "a 64-bit number";
    EXPECT_FALSE(DwordFromValue(3 /* REG_BINARY */, binaryJunk, 4, value)) << "binary of the right length";
    EXPECT_FALSE(DwordFromValue(kTypeDword, nullptr, 4, value));
    EXPECT_EQ(value, 7u) << "a refused value writes nothing";
}

TEST(RegistryTexts, ATerminatedShortTextIsTaken)
{
    std::wstring text = L"old";
    const std::vector<uint8_t> folder = Utf16(L"C:\\Bilder\\Urlaub \u00e9t\u00e9\\", true);
    ASSERT_TRUE(TextFromValue(kTypeText, folder.data(), folder.size(), text));
    EXPECT_EQ(text, L"C:\\Bilder\\Urlaub \u00e9t\u00e9\\");

    const std::vector<uint8_t> empty = Utf16(L"", true);
    ASSERT_TRUE(TextFromValue(kTypeText, empty.data(), empty.size(), text));
    EXPECT_EQ(text, L"");

    // Data after the terminator (a shortened text written over a longer one) is not part of the text.
    std::vector<uint8_t> padded = Utf16(L"ab", true);
    const std::vector<uint8_t> tail = Utf16(L"zz", false);
    padded.insert(padded.end(), tail.begin(), tail.end());
    ASSERT_TRUE(TextFromValue(kTypeText, padded.data(), padded.size(), text));
    EXPECT_EQ(text, L"ab");
}

TEST(RegistryTexts, EveryOtherShapeIsRefused)
{
    const uint8_t number[4] = {1, 0, 0, 0};
    const std::vector<uint8_t> unterminated = Utf16(L"C:\\Pics", false);
    const std::vector<uint8_t> huge = Utf16(std::wstring(10000, L'x'), true);
    const std::vector<uint8_t> longest = Utf16(std::wstring(254, L'x'), true);
    const std::vector<uint8_t> tooLong = Utf16(std::wstring(255, L'x'), true);
    std::vector<uint8_t> oddBytes = Utf16(L"ab", true);
    oddBytes.push_back(0);

    std::wstring text = L"kept";
    EXPECT_FALSE(TextFromValue(kTypeDword, number, 4, text)) << "a number where text belongs";
    EXPECT_FALSE(TextFromValue(3 /* REG_BINARY */, longest.data(), 20, text)) << "binary junk";
    EXPECT_FALSE(TextFromValue(kTypeText, unterminated.data(), unterminated.size(), text)) << "no terminator";
    EXPECT_FALSE(TextFromValue(kTypeText, huge.data(), huge.size(), text)) << "10 000 characters";
    EXPECT_FALSE(TextFromValue(kTypeText, tooLong.data(), tooLong.size(), text)) << "255 characters";
    EXPECT_FALSE(TextFromValue(kTypeText, oddBytes.data(), oddBytes.size(), text)) << "half a character";
    EXPECT_FALSE(TextFromValue(kTypeText, nullptr, 0, text)) << "no data at all";
    EXPECT_EQ(text, L"kept");
    EXPECT_TRUE(TextFromValue(kTypeText, longest.data(), longest.size(), text)) << "254 characters fit";
}

TEST(RegistrySettings, BooleansEdgesAndFormats)
{
    EXPECT_TRUE(RegistryTrue(1));
    EXPECT_FALSE(RegistryTrue(0));
    EXPECT_FALSE(RegistryTrue(2)) << "\"DateStamp\" 2 reads as off";

    int position = 3;
    ASSERT_TRUE(ToolbarPositionFromValue(0, position));
    EXPECT_EQ(position, 1) << "a stored 0 docks at the top";
    ASSERT_TRUE(ToolbarPositionFromValue(2, position));
    EXPECT_EQ(position, 2);
    EXPECT_FALSE(ToolbarPositionFromValue(4, position));
    EXPECT_FALSE(ToolbarPositionFromValue(0xFFFFFFFFu, position));
    EXPECT_EQ(position, 2);

    int format = 1;
    EXPECT_TRUE(ExportFormatFromValue(2, format));
    EXPECT_EQ(format, 2);
    EXPECT_FALSE(ExportFormatFromValue(3, format));
    EXPECT_EQ(format, 2);
}

TEST(RegistrySettings, ImageTextsReadAsDecimalNumbers)
{
    EXPECT_EQ(DecimalTextToInt(L"-33"), -33);
    EXPECT_EQ(DecimalTextToInt(L"+45"), 45);
    EXPECT_EQ(DecimalTextToInt(L"  131"), 131);
    EXPECT_EQ(DecimalTextToInt(L"60abc"), 60);
    EXPECT_EQ(DecimalTextToInt(L"abc"), 0);
    EXPECT_EQ(DecimalTextToInt(L""), 0);
    EXPECT_EQ(DecimalTextToInt(L"-"), 0);
    EXPECT_EQ(DecimalTextToInt(L"99999999999999999999"), 2147483647);
    EXPECT_EQ(DecimalTextToInt(L"-99999999999999999999"), -2147483647 - 1);
}

} // namespace
