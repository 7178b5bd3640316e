#include "app/HandOver.h"

#include <gtest/gtest.h>

TEST(HandOver, RecognisesTheTextByItsFirstThreeCharacters)
{
    const wchar_t text[] = L"NORVANE";
    EXPECT_TRUE(IsHandOverRequest(text, sizeof text, L"NORVANE"));
    const wchar_t prefixed[] = L"xxNORzz";
    EXPECT_TRUE(IsHandOverRequest(prefixed, sizeof prefixed, L"NORVANE"));
    const wchar_t other[] = L"NOVEL";
    EXPECT_FALSE(IsHandOverRequest(other, sizeof other, L"NORVANE"));
}

TEST(HandOver, NeverReadsPastTheDataItWasGiven)
{
    // "NOR" lies beyond the two characters the sender declared, and there is no terminator inside them.
    const wchar_t unterminated[] = {L'N', L'O', L'R', L'V'};
    EXPECT_FALSE(IsHandOverRequest(unterminated, 2 * sizeof(wchar_t), L"NORVANE"));
    EXPECT_TRUE(IsHandOverRequest(unterminated, sizeof unterminated, L"NORVANE"));
    EXPECT_FALSE(IsHandOverRequest(nullptr, 16, L"NORVANE"));
    EXPECT_FALSE(IsHandOverRequest(L"NORVANE", 1, L"NORVANE"));
}
