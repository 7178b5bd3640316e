// The registry settings store against the real registry, under a root key of the test's own: hand-edited
// values of every wrong shape leave the settings as they were, long texts are refused, and the Properties
// write without a live camera stores only "Set" and "PowerlineFrequency".
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <winternl.h>

#include <string>
#include <vector>

#include "settings/RegistryStore.h"

namespace {

constexpr wchar_t kTestRoot[] = L"Software\\QuilloStoreTest";

class RegistryStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
        ASSERT_EQ(
            RegCreateKeyExW(HKEY_CURRENT_USER, kTestRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_root, nullptr),
            ERROR_SUCCESS);
        m_store.reset(new SettingsStore(m_root));
        m_store->Deploy(nullptr);
    }
    void TearDown() override
    {
        m_store.reset();
        RegCloseKey(m_root);
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
    }

    std::wstring Key(const wchar_t* subkey) const { return std::wstring(L"Software\\Norvane\\Quillo\\") + subkey; }
    void Put(const wchar_t* subkey, const wchar_t* name, DWORD type, const void* data, DWORD bytes)
    {
        ASSERT_EQ(RegSetKeyValueW(m_root, Key(subkey).c_str(), name, type, data, bytes), ERROR_SUCCESS);
    }
    void PutText(const wchar_t* subkey, const wchar_t* name, const std::wstring& text)
    {
        Put(subkey, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
    }
    // A text stored without its terminator, as a registry editor may leave it (RegSetValueExW would add one).
    void PutUnterminated(const wchar_t* subkey, const wchar_t* name, const std::wstring& text)
    {
        using SetValueKeyFn = LONG(WINAPI*)(HANDLE, UNICODE_STRING*, ULONG, ULONG, const void*, ULONG);
        auto setValueKey = reinterpret_cast<SetValueKeyFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
        ASSERT_NE(setValueKey, nullptr);
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(m_root, Key(subkey).c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
        UNICODE_STRING valueName = {static_cast<USHORT>(wcslen(name) * 2), static_cast<USHORT>(wcslen(name) * 2),
                                    const_cast<PWSTR>(name)};
        const LONG status = setValueKey(key, &valueName, 0, REG_SZ, text.c_str(), static_cast<ULONG>(text.size() * 2));
        RegCloseKey(key);
        ASSERT_EQ(status, 0);
    }
    void PutDword(const wchar_t* subkey, const wchar_t* name, DWORD value)
    {
        Put(subkey, name, REG_DWORD, &value, sizeof value);
    }
    bool Has(const wchar_t* subkey, const wchar_t* name) const
    {
        return RegGetValueW(m_root, Key(subkey).c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
    std::wstring Text(const wchar_t* subkey, const wchar_t* name) const
    {
        wchar_t text[512] = {};
        DWORD bytes = sizeof text;
        if (RegGetValueW(m_root, Key(subkey).c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
            return L"<missing>";
        return text;
    }
    DWORD Number(const wchar_t* subkey, const wchar_t* name) const
    {
        DWORD value = 0xDEADBEEF, bytes = sizeof value;
        RegGetValueW(m_root, Key(subkey).c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &bytes);
        return value;
    }

    HKEY m_root = nullptr;
    std::unique_ptr<SettingsStore> m_store;
};

TEST_F(RegistryStoreTest, HandEditedValuesOfTheWrongShapeLeaveTheSettingsAsTheyWere)
{
    const uint8_t junk[7] = {0xFF, 0x00, 0x13, 0x37, 0x00, 0x01, 0x02};
    const DWORD number = 2;
    PutText(L"Settings\\Options\\", L"AutoHide", L"1");                    // text where a number belongs
    Put(L"Settings\\Options\\", L"ToolbarPosition", REG_BINARY, junk, 7);  // binary junk
    Put(L"Settings\\Picture\\", L"ExportFile", REG_DWORD, junk, 2);        // a number of two bytes
    PutDword(L"Settings\\Picture\\", L"Size", 3);                          // a good value among them
    Put(L"Settings\\Picture\\", L"My Pictures", REG_DWORD, &number, 4);    // a number where text belongs
    PutText(L"Settings\\Video\\", L"My Video", std::wstring(10000, L'v')); // 10 000 characters
    PutUnterminated(L"Properties\\Image\\", L"Brightness", L"77");         // no terminator
    PutText(L"Properties\\Image\\", L"Contrast", L"12");                   // a good one
    Put(L"Properties\\Options\\", L"PowerlineFrequency", REG_SZ, L"2", 4);

    SettingsRecord record;
    record.m_bAutoHide = false;
    record.m_nToolbarPosition = 3;
    record.m_nExportFile = 2;
    record.m_strPicturePath = L"C:\\Before\\";
    record.m_strVideoPath = L"D:\\Before\\";
    record.iBrightness_value = 5;
    ASSERT_TRUE(m_store->ReadSettings(record));
    m_store->ReadProperties(record);

    EXPECT_FALSE(record.m_bAutoHide);
    EXPECT_EQ(record.m_nToolbarPosition, 3);
    EXPECT_EQ(record.m_nExportFile, 2);
    EXPECT_EQ(record.m_nPictureSize, 3);
    EXPECT_EQ(record.m_strPicturePath, L"C:\\Before\\");
    EXPECT_EQ(record.m_strVideoPath, L"D:\\Before\\");
    EXPECT_EQ(record.iBrightness_value, 5);
    EXPECT_EQ(record.iContrast_value, 12);
    EXPECT_EQ(record.m_nPowerlineFrequency, -1) << "a text is not a frequency";
}

TEST_F(RegistryStoreTest, ReadsBooleansEdgesAndFoldersAsTheUserMeantThem)
{
    PutDword(L"Settings\\Picture\\", L"DateStamp", 2);
    PutDword(L"Settings\\Picture\\", L"ShowImageAfterSnapshot", 1);
    PutDword(L"Settings\\Options\\", L"ToolbarPosition", 0);
    PutText(L"Settings\\Video\\", L"My Video", L"E:\\Clips"); // used exactly as stored
    SettingsRecord record;
    record.m_bDateStamp = 1;
    record.m_nToolbarPosition = 2;
    ASSERT_TRUE(m_store->ReadSettings(record));
    EXPECT_EQ(record.m_bDateStamp, 0) << "2 is not 1";
    EXPECT_EQ(record.m_bShowImageAfterSnapshot, 1);
    EXPECT_EQ(record.m_nToolbarPosition, 1);
    EXPECT_EQ(record.m_strVideoPath, L"E:\\Clips");
    wchar_t pictures[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, pictures, CSIDL_MYPICTURES, TRUE));
    EXPECT_EQ(record.m_strPicturePath, std::wstring(pictures) + L"\\") << "an empty folder is the user's own";

    ASSERT_EQ(RegDeleteKeyW(m_root, Key(L"Settings\\Video\\").c_str()), ERROR_SUCCESS);
    record.m_nPictureSize = 4;
    PutDword(L"Settings\\Picture\\", L"Size", 0);
    EXPECT_FALSE(m_store->ReadSettings(record)) << "a missing key is reported";
    EXPECT_EQ(record.m_nPictureSize, 4) << "and nothing is read";
}

TEST_F(RegistryStoreTest, TextsOf255CharactersOrMoreAreNeverWritten)
{
    RegistrySettingsWriter writer(m_root);
    ASSERT_TRUE(writer.SelectKey(Key(L"Settings\\Picture\\"), false));
    EXPECT_TRUE(writer.WriteText(L"My Pictures", std::wstring(254, L'p')));
    EXPECT_EQ(Text(L"Settings\\Picture\\", L"My Pictures"), std::wstring(254, L'p'));
    EXPECT_FALSE(writer.WriteText(L"My Pictures", std::wstring(255, L'q')));
    EXPECT_EQ(Text(L"Settings\\Picture\\", L"My Pictures"), std::wstring(254, L'p'));

    SettingsRecord record;
    ASSERT_TRUE(m_store->ReadSettings(record));
    record.m_strVideoPath = std::wstring(300, L'v');
    record.m_nPictureSize = 2;
    m_store->WriteSettings(record);
    EXPECT_EQ(Text(L"Settings\\Video\\", L"My Video"), L"") << "the over-long folder is not stored";
    EXPECT_EQ(Number(L"Settings\\Video\\", L"Size"), 2u) << "the other values are";
}

TEST_F(RegistryStoreTest, PropertiesWithoutALiveCameraStoreOnlySetAndPowerLine)
{
    SettingsRecord record;
    m_store->ReadProperties(record);
    const std::wstring brightness = Text(L"Properties\\Image\\", L"Brightness");
    record.iBrightness_value = 99;
    record.m_bPowerline60Hz = true;
    m_store->WriteProperties(record, false);
    EXPECT_EQ(Text(L"Properties\\Image\\", L"Brightness"), brightness);
    EXPECT_EQ(Number(L"Properties\\Image\\", L"Set"), 1u);
    EXPECT_EQ(Number(L"Properties\\Options\\", L"PowerlineFrequency"), 2u);
    EXPECT_TRUE(record.m_bImageSet);

    m_store->WriteProperties(record, true);
    EXPECT_EQ(Text(L"Properties\\Image\\", L"Brightness"), L"99");
    EXPECT_TRUE(Has(L"Properties\\Image\\", L"Sharpness"));
}

} // namespace
