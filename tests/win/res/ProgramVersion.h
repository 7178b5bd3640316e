// The version resource of the test program itself (which links the program's resource script): version 1.0.0.1
// and one text of its US-English string block, as both programs' resources must carry them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "common/ModulePath.h"

inline void ExpectVersion1001WithText(const wchar_t* textName, const wchar_t* expected)
{
    const std::wstring path = ProgramModuleName();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + textName;
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, expected);
}
