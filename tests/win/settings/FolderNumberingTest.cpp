// The file numbers taken from a real folder: its listing order, names the rule does not count, and files
// that must never be written over.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/FolderNumbering.h"

namespace {

class FolderNumberingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        m_folder = std::wstring(temp) + L"quillo numbering " + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    }
    void TearDown() override
    {
        for (const std::wstring& name : m_made)
            DeleteFileW((m_folder + L"\\" + name).c_str());
        RemoveDirectoryW(m_folder.c_str());
    }
    void Make(const std::wstring& name)
    {
        HANDLE file = CreateFileW((m_folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << "could not make " << std::string(name.begin(), name.end());
        CloseHandle(file);
        m_made.push_back(name);
    }
    std::vector<std::wstring> Listed(const wchar_t* pattern) const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found = {};
        HANDLE search = FindFirstFileW((m_folder + L"\\" + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            names.emplace_back(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

    std::wstring m_folder;
    std::vector<std::wstring> m_made;
};

TEST_F(FolderNumberingTest, AFolderThatDoesNotListInNameOrderStillGivesTheNextFreeNumber)
{
    // Make pictures until the folder lists a lower number last, as memory cards do; prove it before relying on it.
    std::vector<std::wstring> listed;
    for (int number : {7, 12, 3, 25, 1, 18, 9, 30}) {
        wchar_t name[16];
        swprintf(name, 16, L"IMG%04d.bmp", number);
        Make(name);
        listed = Listed(L"*.BMP");
        if (listed.size() >= 2 && listed.back() != L"IMG0030.bmp" && listed.back() < listed[listed.size() - 2])
            break;
    }
    ASSERT_GE(listed.size(), 2u);
    std::wstring highest;
    for (const auto& name : listed)
        highest = std::max(highest, name);
    if (listed.back() == highest)
        GTEST_SKIP() << "this file system lists in name order; the unordered case is covered by the host tests";

    SettingsRecord record;
    record.m_nExportFile = 0;
    EXPECT_TRUE(FindNextFileNumber(record, m_folder, 0));
    const int expected = std::stoi(highest.substr(3, 4)) + 1;
    EXPECT_EQ(record.m_nPictureNumber, expected)
        << "the last listed name was " << std::string(listed.back().begin(), listed.back().end());
}

TEST_F(FolderNumberingTest, APictureTheRuleDoesNotCountIsNeverWrittenOver)
{
    Make(L"IMG0003.jpg");
    Make(L"img0004.jpg"); // a lower-case prefix does not count, but IMG0004.jpg names this very file
    SettingsRecord record;
    record.m_nExportFile = 1;
    EXPECT_TRUE(FindNextFileNumber(record, m_folder + L"\\", 0));
    EXPECT_EQ(record.m_nPictureNumber, 5);

    Make(L"AVI0000.avi");
    EXPECT_TRUE(FindNextFileNumber(record, m_folder, 1));
    EXPECT_EQ(record.m_nVideoNumber, 1);
}

TEST_F(FolderNumberingTest, AnEmptyFolderStartsTheRunAtZero)
{
    SettingsRecord record;
    record.m_nExportFile = 2;
    EXPECT_FALSE(FindNextFileNumber(record, m_folder, 0));
    EXPECT_EQ(record.m_nPictureNumber, 0);
    EXPECT_FALSE(FindNextFileNumber(record, m_folder, 1));
    EXPECT_EQ(record.m_nVideoNumber, 0);
}

} // namespace
