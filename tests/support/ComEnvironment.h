// COM on the test program's main thread for the whole run:
//   const auto* const g_com = ::testing::AddGlobalTestEnvironment(new testsupport::ComEnvironment);
#pragma once

#include <objbase.h>

#include <gtest/gtest.h>

namespace testsupport {

class ComEnvironment : public ::testing::Environment
{
public:
    explicit ComEnvironment(DWORD apartment = COINIT_MULTITHREADED) : m_apartment(apartment) {}
    void SetUp() override
    {
        m_started = SUCCEEDED(CoInitializeEx(nullptr, m_apartment));
        ASSERT_TRUE(m_started);
    }
    void TearDown() override
    {
        if (m_started)
            CoUninitialize();
    }

private:
    DWORD m_apartment;
    bool m_started = false;
};

} // namespace testsupport
