// corvane -m FILE: the statement map. The standard output stays the same
// with and without it over every golden case; the map follows the output;
// no map is left after a syntax error.
#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "golden_cases.h"
#include "run_program.h"

namespace fs = std::filesystem;

namespace {

// The cases of the default mode (exact mode's map is another; --std=93 and
// --std=08 are exact mode).
std::vector<Golden_Case> Load_Cases() {
    std::vector<Golden_Case> cases;
    for (const Golden_Case& c : Load_Golden_Cases(GOLDEN_DIR)) {
        bool exact = false;
        for (const char* option : {"--exact", "--std=93", "--std=08"})
            exact = exact || std::find(c.args.begin(), c.args.end(), option) != c.args.end();
        if (!exact) cases.push_back(c);
    }
    return cases;
}

// What the output declares and writes, in its order: "F name" for a
// trace-file declaration, "S line" for a line-trace statement.
std::vector<std::string> Output_Events(const std::string& out) {
    std::vector<std::string> events;
    std::regex event("TEXT IS OUT \"([^\"]*)\"|line_number := ([0-9]+);");
    for (std::sregex_iterator it(out.begin(), out.end(), event), end; it != end; ++it)
        events.push_back((*it)[1].matched ? "F " + (*it)[1].str() : "S " + (*it)[2].str());
    return events;
}

bool Is_Construct_Kind(const std::string& kind) {
    return kind == "process" || kind == "procedure" || kind == "function" || kind == "procedure_all_calls" ||
           kind == "function_all_calls";
}

std::vector<std::string> Map_Events(const std::string& map) {
    std::vector<std::string> events;
    std::istringstream in(map);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string name, number, kind;
        std::getline(fields, name, '\t');
        std::getline(fields, number, '\t');
        std::getline(fields, kind);
        events.push_back(Is_Construct_Kind(kind) ? "F " + name : "S " + number);
    }
    return events;
}

class Map_Option : public ::testing::TestWithParam<Golden_Case> {
protected:
    void SetUp() override { dir = Make_Temporary_Directory(); }
    void TearDown() override { fs::remove_all(dir); }
    std::string dir;
};

TEST_P(Map_Option, SameOutputAndMapInOutputOrder) {
    const Golden_Case& c = GetParam();
    std::string input = Read_File(GOLDEN_DIR "/cases/" + c.name + ".vhd");
    std::string map = dir + "/design.map";
    // A stale map from an earlier run must not survive a failed one.
    Write_File(map, "stale\n");
    std::vector<std::string> with_map = c.args;
    with_map.push_back("-m");
    with_map.push_back(map);
    Run_Result plain = Run_Program(CORVANE_BINARY, c.args, input);
    Run_Result mapped = Run_Program(CORVANE_BINARY, with_map, input);
    EXPECT_EQ(mapped.status, plain.status);
    EXPECT_TRUE(mapped.out == plain.out) << Show_Difference(plain.out, mapped.out);
    if (plain.status != 0) {
        EXPECT_FALSE(fs::exists(map)) << "a map is left after status " << plain.status;
        return;
    }
    ASSERT_TRUE(fs::exists(map));
    std::string text = Read_File(map);
    std::vector<std::string> expected = Output_Events(plain.out), actual = Map_Events(text);
    EXPECT_EQ(actual, expected) << text;
}

INSTANTIATE_TEST_SUITE_P(Golden, Map_Option, ::testing::ValuesIn(Load_Cases()),
                         [](const ::testing::TestParamInfo<Golden_Case>& info) { return info.param.name; });

// Package function, a process with a procedure in its declarations, an
// unlabelled process; -d and -f as given.
const std::string small_design =
    "package pk is\n"                                  // 1
    "  function inc (x : integer) return integer;\n"   // 2
    "end pk;\n"                                        // 3
    "package body pk is\n"                             // 4
    "  function inc (x : integer) return integer is\n" // 5
    "  begin\n"                                        // 6
    "    return x + 1;\n"                              // 7
    "  end inc;\n"                                     // 8
    "end pk;\n"                                        // 9
    "entity e is\n"                                    // 10
    "end e;\n"                                         // 11
    "architecture a of e is\n"                         // 12
    "  signal s : integer := 0;\n"                     // 13
    "begin\n"                                          // 14
    "  p1 : process\n"                                 // 15
    "    procedure bump is\n"                          // 16
    "    begin\n"                                      // 17
    "      s <= s + 1;\n"                              // 18
    "    end bump;\n"                                  // 19
    "    variable v : integer;\n"                      // 20
    "  begin\n"                                        // 21
    "    v := 2; bump;\n"                              // 22
    "    wait for 1 ns;\n"                             // 23
    "  end process;\n"                                 // 24
    "  process\n"                                      // 25
    "  begin\n"                                        // 26
    "    wait;\n"                                      // 27
    "  end process;\n"                                 // 28
    "end a;\n";                                        // 29

TEST(StatementMap, ContentOfSmallDesign) {
    std::string dir = Make_Temporary_Directory();
    std::string map = dir + "/small.map";
    Run_Result r = Run_Program(CORVANE_BINARY, {"-d", "/sim/out", "-f", "small", "-m", map}, small_design);
    ASSERT_EQ(r.status, 0) << r.out;
    // The procedure's declaration and statement come before its process's
    // declaration, as in the output; two statements on line 22.
    const std::string expected =
        "/sim/out/small::inc.partition.corvane\t5\tfunction\n"
        "/sim/out/small::inc.partition.corvane\t7\treturn\n"
        "/sim/out/small::p1:bump.partition.corvane\t16\tprocedure\n"
        "/sim/out/small::p1:bump.partition.corvane\t18\tsignal_assign\n"
        "/sim/out/small::p1.partition.corvane\t15\tprocess\n"
        "/sim/out/small::p1.partition.corvane\t22\tvariable_assign\n"
        "/sim/out/small::p1.partition.corvane\t22\tprocedure_call\n"
        "/sim/out/small::p1.partition.corvane\t23\twait\n"
        "/sim/out/small::.partition.corvane\t25\tprocess\n"
        "/sim/out/small::.partition.corvane\t27\twait\n";
    std::string text = Read_File(map);
    EXPECT_TRUE(text == expected) << Show_Difference(expected, text);
    // Every line-trace statement stands on the line it writes.
    std::istringstream out(r.out);
    int number = 0;
    for (std::string line; std::getline(out, line);) {
        number++;
        std::regex statement("line_number := ([0-9]+);");
        for (std::sregex_iterator it(line.begin(), line.end(), statement), end; it != end; ++it)
            EXPECT_EQ(std::stoi((*it)[1].str()), number) << line;
    }
    fs::remove_all(dir);
}

TEST(StatementMap, SyntaxErrorLeavesNoMap) {
    std::string dir = Make_Temporary_Directory();
    std::string map = dir + "/m.map";
    Run_Result r = Run_Program(CORVANE_BINARY, {"-m", map}, "entity e is\nend e;\narchitecture a of e is begin\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(map));
    Write_File(map, "old map\n");
    r = Run_Program(CORVANE_BINARY, {"-m", map}, "entity e is end;;\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(map));
    fs::remove_all(dir);
}

TEST(StatementMap, UnwritableMapFailsWithStatus3) {
    Run_Result r = Run_Program(CORVANE_BINARY, {"-m", "/nonexistent-dir/x.map"}, "entity e is\nend e;\n");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("corvane: cannot write the statement map '/nonexistent-dir/x.map'"), std::string::npos)
        << r.err;
}

}  // namespace
