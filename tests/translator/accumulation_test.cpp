// corvane -a over every golden case that the translator accepts: the output
// differs from the one without -a only in where the trace-file declarations
// stand and in the file each WRITELINE names. Same number of lines, the same
// trace-file names declared, and once the declarations are taken out and the
// file names of WRITELINE made equal, the same text byte for byte. The exact
// -a output is in the golden cases of statements.list.
#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "golden_cases.h"
#include "run_program.h"

namespace {

// The cases the translator accepts in the default mode (-a has no effect in
// exact mode, which --std=93 is), with their arguments but -a.
std::vector<Golden_Case> Load_Cases() {
    std::vector<Golden_Case> cases;
    for (Golden_Case c : Load_Golden_Cases(GOLDEN_DIR)) {
        bool help = std::any_of(c.args.begin(), c.args.end(),
                                [](const std::string& a) { return a == "-h" || a == "--help" || a == "--std=93"; });
        c.args.erase(std::remove(c.args.begin(), c.args.end(), "-a"), c.args.end());
        if (c.status == 0 && !help) cases.push_back(c);
    }
    return cases;
}

const std::regex file_declaration("FILE ([A-Za-z_0-9]+) : TEXT IS OUT \"([^\"]*)\"; ");
const std::regex writeline_target("WRITELINE\\(([A-Za-z_0-9]+),");

// The trace-file names the output declares, each with how often.
std::map<std::string, int> Declared_Paths(const std::string& out) {
    std::map<std::string, int> paths;
    for (std::sregex_iterator it(out.begin(), out.end(), file_declaration), end; it != end; ++it)
        paths[(*it)[2].str()]++;
    return paths;
}

// The output without its trace-file declarations, every WRITELINE writing "F".
std::string Normalized(const std::string& out) {
    return std::regex_replace(std::regex_replace(out, file_declaration, ""), writeline_target, "WRITELINE(F,");
}

class Accumulation : public ::testing::TestWithParam<Golden_Case> {};

TEST_P(Accumulation, DiffersOnlyInTheFileDeclarations) {
    const Golden_Case& c = GetParam();
    std::string input = Read_File(GOLDEN_DIR "/cases/" + c.name + ".vhd");
    std::vector<std::string> with_a = c.args;
    with_a.push_back("-a");
    Run_Result plain = Run_Program(CORVANE_BINARY, c.args, input);
    Run_Result accumulating = Run_Program(CORVANE_BINARY, with_a, input);
    ASSERT_EQ(plain.status, 0);
    ASSERT_EQ(accumulating.status, 0);
    EXPECT_EQ(std::count(accumulating.out.begin(), accumulating.out.end(), '\n'),
              std::count(plain.out.begin(), plain.out.end(), '\n'));
    EXPECT_EQ(Declared_Paths(accumulating.out), Declared_Paths(plain.out));
    std::string expected = Normalized(plain.out), actual = Normalized(accumulating.out);
    EXPECT_TRUE(actual == expected) << Show_Difference(expected, actual);

    // Every file a WRITELINE names is declared: outfile1 by a process or a
    // subprogram of its own, corvane_trace_N once, in front of its subprogram.
    std::set<std::string> declared;
    for (std::sregex_iterator it(accumulating.out.begin(), accumulating.out.end(), file_declaration), end; it != end;
         ++it) {
        std::string id = (*it)[1].str();
        if (id != "outfile1") {
            EXPECT_TRUE(declared.insert(id).second) << id << " declared twice";
        }
    }
    for (std::sregex_iterator it(accumulating.out.begin(), accumulating.out.end(), writeline_target), end; it != end;
         ++it) {
        std::string id = (*it)[1].str();
        if (id != "outfile1") {
            EXPECT_TRUE(declared.count(id)) << id << " written but not declared";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Accumulation, ::testing::ValuesIn(Load_Cases()),
                         [](const ::testing::TestParamInfo<Golden_Case>& info) { return info.param.name; });

TEST(AccumulationSuite, CoversTheGoldenCases) { EXPECT_GT(Load_Cases().size(), 20u); }

}  // namespace
