// Every input that ever made a fuzzing harness fail is kept under
// tests/data/fuzz-regressions/<harness>/ and replayed here through the same
// target, together with each harness's seed corpus. Under the sanitizer
// build a replayed input that goes wrong again stops the test with the
// sanitizer's report; a hang runs into the test's time limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzTargets.h"

namespace kv::fuzz {
namespace {

namespace fs = std::filesystem;

struct CReplayInput {
    std::string harness;
    fs::path file;
};

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<CReplayInput> Regressions() {
    std::vector<CReplayInput> inputs;
    const fs::path root = fs::path(KALVORA_SOURCE_DIR) / "tests" / "data" / "fuzz-regressions";
    for (const std::string& harness : TargetNames())
        for (const fs::path& file : FilesIn(root / harness)) inputs.push_back({harness, file});
    return inputs;
}

std::string TestName(const ::testing::TestParamInfo<CReplayInput>& info) {
    std::string name = info.param.harness + "_" + info.param.file.filename().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

class FuzzRegression : public ::testing::TestWithParam<CReplayInput> {};

TEST_P(FuzzRegression, RunsCleanly) {
    const CReplayInput& input = GetParam();
    FuzzTarget target = TargetByName(input.harness);
    ASSERT_NE(target, nullptr);
    const std::vector<uint8_t> bytes = ReadBytes(input.file);
    CFuzzOutcome outcome;
    target(bytes.data(), bytes.size(), outcome);
    // A hostile file is shown or refused with a message, never dropped in silence.
    EXPECT_TRUE(outcome.shown || !outcome.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Inputs, FuzzRegression, ::testing::ValuesIn(Regressions()), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FuzzRegression);

class FuzzSeeds : public ::testing::TestWithParam<std::string> {};

// The seed corpus of every harness is kept in the repository; each file of
// it runs through its target as it would at the start of a fuzzing run.
TEST_P(FuzzSeeds, RunCleanly) {
    const std::string harness = GetParam();
    FuzzTarget target = TargetByName(harness);
    ASSERT_NE(target, nullptr);
    const std::vector<fs::path> files = FilesIn(fs::path(KALVORA_SOURCE_DIR) / "tests" / "fuzz" / "corpus" / harness);
    EXPECT_FALSE(files.empty()) << "no seed corpus for " << harness;
    for (const fs::path& file : files) {
        const std::vector<uint8_t> bytes = ReadBytes(file);
        CFuzzOutcome outcome;
        target(bytes.data(), bytes.size(), outcome);
        EXPECT_TRUE(outcome.shown || !outcome.messages.empty()) << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Harnesses, FuzzSeeds, ::testing::ValuesIn(TargetNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace kv::fuzz
