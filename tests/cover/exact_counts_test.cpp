// corvane_cover's library: the one rule of trace-file names of both modes;
// which counting point an exact-mode trace line reaches; the arms of the
// branching statements, plain and counted as the rest of other keys.
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "coverage.h"
#include "map_file.h"
#include "run_program.h"
#include "trace_files.h"
#include "trace_names.h"

namespace fs = std::filesystem;

namespace {

TEST(TraceNames, BothModes) {
    struct Case {
        const char* path;
        Mode mode;
        const char* design;
        const char* construct;
    };
    const std::vector<Case> cases = {
        {"/sim/alu::exact.corvane", Mode::exact, "alu", ""},
        {"alu::exact.corvane", Mode::exact, "alu", ""},
        {"/sim/alu::p1.partition.corvane", Mode::partition, "alu", "p1"},
        {"/sim/alu::b1:p2.partition.corvane", Mode::partition, "alu", "b1:p2"},
        {"/sim/alu::.partition.corvane", Mode::partition, "alu", ""},  // an unlabelled process
        {"/sim/alu::exact.partition.corvane", Mode::partition, "alu", "exact"},
        {"/a::b/alu::exact.corvane", Mode::exact, "alu", ""},  // "::" in a folder name
        {"/sim/::exact.corvane", Mode::none, "", ""},
        {"/sim/alu.partition.corvane", Mode::none, "", ""},
        {"/sim/alu::p1.corvane", Mode::none, "", ""},
        {"/sim/alu::exact.corvane.bak", Mode::none, "", ""},
        {"/sim/alu::x::exact.corvane", Mode::none, "", ""},
        {"/sim/alu::exact.corvane/", Mode::none, "", ""},
    };
    for (const Case& c : cases) {
        Trace_Name t = Parse_Trace_Name(c.path);
        EXPECT_EQ(t.mode, c.mode) << c.path;
        EXPECT_EQ(t.design, c.design) << c.path;
        EXPECT_EQ(t.construct, c.construct) << c.path;
        if (c.mode != Mode::none) {
            EXPECT_EQ(t.base, fs::path(c.path).filename().string()) << c.path;
            // The names the tool builds are the names it reads.
            std::string built = c.mode == Mode::exact ? Exact_Trace_Name(c.design)
                                                      : Partition_Trace_Name(c.design, c.construct);
            EXPECT_EQ(built, t.base) << c.path;
        }
    }
}

class Exact_Counts : public ::testing::Test {
protected:
    void SetUp() override { dir = Make_Temporary_Directory(); }
    void TearDown() override { fs::remove_all(dir); }

    // Reads the map of design d and one run whose trace holds trace_text.
    void Count(const std::string& map_text, const std::string& trace_text) {
        coverage = Coverage{};
        Write_File(dir + "/d.map", map_text);
        fs::create_directories(dir + "/run");
        Write_File(dir + "/run/d::exact.corvane", trace_text);
        std::string error;
        int status = 0;
        ASSERT_TRUE(Read_Map(dir + "/d.map", coverage, error, status)) << error;
        Prepare_Counts(coverage);
        std::vector<std::string> warnings;
        ASSERT_TRUE(Read_Run(dir + "/run", coverage, warnings, error)) << error;
        EXPECT_TRUE(warnings.empty()) << warnings[0];
        Finish_Counts(coverage);
    }

    std::string dir;
    Coverage coverage;
};

// Keys on lines 1, 2, 5 and 40, line 2 without a point 2.2.
TEST_F(Exact_Counts, KeysFindTheirPoints) {
    Count("corvane-exact-map\td\t/sim/d::exact.corvane\n"
          "construct\tprocess\tp\t1\t40\t1\n"
          "statement\t2\tsignal_assign\t2\n"
          "statement\t2\tsignal_assign\t2.3\n"
          "statement\t5\twait\t5\n"
          "statement\t5\tsignal_assign\t5.2\n"
          "statement\t40\tnull\t40\n",
          "1\n2\n2.3\n2.3\n2.2\n3\n5.2\n40\n41\n40.2\n1.2\n0\n0.2\n2.1\n2.\n.2\n2 .3\n2.3x\n");
    ASSERT_EQ(coverage.constructs.size(), 1u);
    const Construct& p = coverage.constructs[0];
    EXPECT_EQ(p.entries, 1u);
    std::vector<uint64_t> counts;
    for (const Statement& s : p.statements) counts.push_back(s.count);
    EXPECT_EQ(counts, (std::vector<uint64_t>{1, 2, 0, 1, 1}));
    const Point_Counts& points = coverage.designs[0].points;
    const std::map<std::pair<long long, long long>, uint64_t> unknown = {
        {{1, 2}, 1}, {{2, 2}, 1}, {{3, 1}, 1}, {{40, 2}, 1}, {{41, 1}, 1}};
    EXPECT_EQ(points.unknown, unknown);
    // 0, 0.2, 2.1, "2.", ".2", "2 .3" and "2.3x" are no keys.
    EXPECT_EQ(points.bad_lines, 7u);
}

// A conditional assignment with two when arms and the else arm as the rest:
// the statement's count less the when arms', never below 0.
TEST_F(Exact_Counts, ArmCountedAsTheRest) {
    const std::string map =
        "corvane-exact-map\td\t/sim/d::exact.corvane\n"
        "construct\tconcurrent_assignment\tassign@3\t3\t3\t-\n"
        "statement\t3\tconditional_signal_assign\t3\n"
        "branch\t3\t0\tconditional_signal_assign\twhen\t3.2\n"
        "branch\t3\t0\tconditional_signal_assign\twhen\t3.3\n"
        "branch\t3\t0\tconditional_signal_assign\telse\t3-3.2-3.3\n";
    struct Case {
        const char* trace;
        std::vector<uint64_t> counts;  // the statement, its two when arms, its else arm
    };
    const std::vector<Case> cases = {
        {"3\n3.2\n3\n3.3\n3\n", {3, 1, 1, 1}},
        {"3\n3\n", {2, 0, 0, 2}},
        {"3\n3.2\n3\n3.2\n", {2, 2, 0, 0}},
        {"", {0, 0, 0, 0}},
        // A trace cut short between an arm and its statement: no arm is
        // counted below zero.
        {"3\n3.2\n3.3\n", {1, 1, 1, 0}},
    };
    for (const Case& c : cases) {
        Count(map, c.trace);
        ASSERT_EQ(coverage.constructs.size(), 1u);
        const Construct& a = coverage.constructs[0];
        ASSERT_EQ(a.statements.size(), 1u);
        ASSERT_EQ(a.branches.size(), 1u);
        const Branch_Block& b = a.branches[0];
        ASSERT_EQ(b.arms.size(), 3u);
        std::vector<uint64_t> counts = {a.statements[0].count, b.arms[0].count, b.arms[1].count, b.arms[2].count};
        EXPECT_EQ(counts, c.counts) << c.trace;
        EXPECT_EQ(b.arms[2].name, "else");
        EXPECT_EQ(Taken_Arms(a), (c.counts[1] > 0) + (c.counts[2] > 0) + (c.counts[3] > 0)) << c.trace;
        EXPECT_EQ(a.entries, 0u);
    }
}

// A difference may name keys of any record, before or after it: here the
// rest of a process's entries after two if statements' then arms, the second
// of them further down the map. The blocks of line 4 stand in map order.
TEST_F(Exact_Counts, DifferenceOfKeysAnywhereInTheMap) {
    const std::string map =
        "corvane-exact-map\td\t/sim/d::exact.corvane\n"
        "construct\tprocess\tp\t1\t9\t2\n"
        "branch\t4\t1\tif\tthen\t4.3\n"
        "branch\t4\t1\tif\telse\t2-4.3-4.2\n"
        "statement\t5\tnull\t5\n"
        "branch\t4\t0\tif\tthen\t4.2\n"
        "branch\t4\t0\tif\telse\t4\n";
    // Entries 4; the then arm of block 0 once, of block 1 twice: the rest
    // 4 - 2 - 1 = 1.
    Count(map, "2\n2\n2\n2\n4.2\n4.3\n4.3\n4\n4\n4\n");
    ASSERT_EQ(coverage.constructs.size(), 1u);
    const Construct& p = coverage.constructs[0];
    ASSERT_EQ(p.branches.size(), 2u);
    EXPECT_EQ(p.branches[0].block, 1);
    EXPECT_EQ(p.branches[1].block, 0);
    EXPECT_EQ(p.branches[0].arms[0].count, 2u);
    EXPECT_EQ(p.branches[0].arms[1].count, 1u);
    EXPECT_EQ(p.branches[1].arms[0].count, 1u);
    EXPECT_EQ(p.branches[1].arms[1].count, 3u);
    EXPECT_EQ(Branch_Arms(p), 4);
    EXPECT_EQ(Taken_Arms(p), 4);
    EXPECT_TRUE(Evaluated(p.branches[0]));
}

}  // namespace
