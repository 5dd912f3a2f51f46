// Every capture of this folder, replayed by dazederir-cli as the cable, decodes to the values
// recorded beside it: the simulator's sessions for each ECU kind, and any real car's sent in.
#include "CliRun.h"

#include "defs/EcuIdentification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> CaptureNames()
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(CAPTURES_DIR)) {
        if (entry.path().extension() == ".capture")
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string FileText(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class CaptureCorpus : public testing::TestWithParam<std::string> { };

TEST_P(CaptureCorpus, ReplayedDecodesToTheValuesRecordedBesideIt)
{
    const fs::path capture = fs::path(CAPTURES_DIR) / (GetParam() + ".capture");
    const fs::path values = fs::path(CAPTURES_DIR) / (GetParam() + ".values.json");
    ASSERT_TRUE(fs::exists(values)) << values;
    // Slow enough that no exchange of the replay times out on a loaded machine: a capture holds
    // each answer only as often as it was asked for.
    const CliRun run = RunCli({ "--replay", capture.string(), "--sample-rate", "200", "--json", "values" });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, FileText(values));
}

INSTANTIATE_TEST_SUITE_P(Folder, CaptureCorpus, testing::ValuesIn(CaptureNames()),
    [](const testing::TestParamInfo<std::string>& param) { return "Ecu" + param.param; });

TEST(CaptureCorpusFolder, HoldsASessionOfEveryEcuKind)
{
    const std::vector<std::string> names = CaptureNames();
    for (const std::string_view id : KnownEcuIds)
        EXPECT_NE(std::find(names.begin(), names.end(), id), names.end()) << id;
}

} // namespace
