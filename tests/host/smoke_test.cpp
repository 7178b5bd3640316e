#include <gtest/gtest.h>
TEST(Smoke, Host) { EXPECT_EQ(1 + 1, 2); }
