// The bar's hot keys and the help page's language folder.
#include <gtest/gtest.h>

#include <string>

#include "app/HotKeys.h"

namespace {

using namespace toolbar;

constexpr unsigned kF1 = 0x70, kF7 = 0x76, kF8 = 0x77, kF9 = 0x78, kA = 0x41;

TEST(HotKeys, AltWithF7F8F9OpensTheWindowsAndEveryAltKeyStaysWithUs)
{
    EXPECT_EQ(DecideHotKey(KeyEvent::SystemKeyDown, kF7, false).action, HotKeyAction::Camera);
    EXPECT_EQ(DecideHotKey(KeyEvent::SystemKeyDown, kF8, true).action, HotKeyAction::Properties);
    EXPECT_EQ(DecideHotKey(KeyEvent::SystemKeyDown, kF9, false).action, HotKeyAction::Setting);
    const HotKeyDecision altA = DecideHotKey(KeyEvent::SystemKeyDown, kA, false);
    EXPECT_EQ(altA.action, HotKeyAction::None);
    EXPECT_FALSE(altA.passOn);
    EXPECT_FALSE(DecideHotKey(KeyEvent::SystemKeyDown, kF7, false).passOn);
}

TEST(HotKeys, F1OpensTheHelpOnlyWithThePreviewAndIsNeverPassedOn)
{
    EXPECT_EQ(DecideHotKey(KeyEvent::KeyDown, kF1, true).action, HotKeyAction::Help);
    const HotKeyDecision closed = DecideHotKey(KeyEvent::KeyDown, kF1, false);
    EXPECT_EQ(closed.action, HotKeyAction::None);
    EXPECT_FALSE(closed.passOn);
    const HotKeyDecision plainF7 = DecideHotKey(KeyEvent::KeyDown, kF7, true);
    EXPECT_EQ(plainF7.action, HotKeyAction::None) << "F7 without Alt";
    EXPECT_TRUE(plainF7.passOn);
    EXPECT_TRUE(DecideHotKey(KeyEvent::Other, kF1, true).passOn) << "a key release";
}

TEST(HotKeys, LanguagesWithoutPagesOfTheirOwnReadTheEnglishHelp)
{
    EXPECT_STREQ(HelpLanguageFolder(L"Korean"), L"English");
    EXPECT_STREQ(HelpLanguageFolder(L"Chinese(Simplified)"), L"English");
    EXPECT_STREQ(HelpLanguageFolder(L"Portuguese"), L"English");
    EXPECT_STREQ(HelpLanguageFolder(L"Japanese"), L"Japanese");
    EXPECT_STREQ(HelpLanguageFolder(L"English"), L"English");
}

} // namespace
