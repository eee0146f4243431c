// The golden suite: every case of the tests/golden/*.list files runs through the
// built translator, and its standard output must equal the gold file byte for
// byte. Adding a case is adding its design, its gold file and one line.
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "golden_cases.h"
#include "run_program.h"

namespace {

std::vector<Golden_Case> Load_Cases() { return Load_Golden_Cases(GOLDEN_DIR); }

std::string Echo(const std::vector<std::string>& args) {
    std::string s;
    for (size_t i = 0; i < args.size(); i++) s += "(" + std::to_string(i + 1) + "): " + args[i] + "\n";
    return s;
}

class Golden : public ::testing::TestWithParam<Golden_Case> {};

TEST_P(Golden, OutputMatchesGold) {
    const Golden_Case& c = GetParam();
    std::string input = Read_File(GOLDEN_DIR "/cases/" + c.name + ".vhd");
    std::string gold = Read_File(GOLDEN_DIR "/gold/" + c.name + ".out");
    Run_Result r = Run_Program(CORVANE_BINARY, c.args, input);
    EXPECT_EQ(r.status, c.status);
    EXPECT_TRUE(r.out == gold) << Show_Difference(gold, r.out);
    std::ifstream err_gold(GOLDEN_DIR "/gold/" + c.name + ".err");
    std::string expected_err = err_gold ? Read_File(GOLDEN_DIR "/gold/" + c.name + ".err") : Echo(c.args);
    EXPECT_TRUE(r.err == expected_err) << Show_Difference(expected_err, r.err);
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(Load_Cases()),
                         [](const ::testing::TestParamInfo<Golden_Case>& info) { return info.param.name; });

TEST(GoldenSuite, ListIsNotEmpty) { EXPECT_FALSE(Load_Cases().empty()); }

}  // namespace
