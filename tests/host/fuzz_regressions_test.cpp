// Every input kept under tests/fuzz/regressions/<target>/ (crashes scripts/fuzz found, and hand-made edge
// cases) goes again through its fuzz target's entry point, under the host build's sanitizers.
#include <gtest/gtest.h>

#include "tests/fuzz/FuzzTargets.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

class FuzzRegressions : public ::testing::TestWithParam<fuzz::Target>
{
};

TEST_P(FuzzRegressions, EveryKeptInputKeepsItsPromises)
{
    const std::filesystem::path folder =
        std::filesystem::path(QUILLO_SOURCE_DIR) / "tests" / "fuzz" / "regressions" / GetParam().name;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(GetParam().run(bytes.data(), bytes.size())) << entry.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "no inputs under " << folder;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressions, ::testing::ValuesIn(fuzz::kTargets),
                         [](const ::testing::TestParamInfo<fuzz::Target>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
