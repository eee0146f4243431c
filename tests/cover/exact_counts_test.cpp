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
        finish_warnings = Finish_Counts(coverage);
    }

    std::string dir;
    Coverage coverage;
    std::vector<std::string> finish_warnings;
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

// The two forms of a trace line, a key alone and a line of counters (keys
// joined by commas, :COUNT unless 1), mixed in one trace; a malformed line
// is counted not at all, not even its valid counters. The map of
// KeysFindTheirPoints.
TEST_F(Exact_Counts, KeysAndPairs) {
    const std::string map =
        "corvane-exact-map\td\t/sim/d::exact.corvane\n"
        "construct\tprocess\tp\t1\t40\t1\n"
        "statement\t2\tsignal_assign\t2\n"
        "statement\t2\tsignal_assign\t2.3\n"
        "statement\t5\twait\t5\n"
        "statement\t5\tsignal_assign\t5.2\n"
        "statement\t40\tnull\t40\n";
    using Unknown = std::map<std::pair<long long, long long>, uint64_t>;
    struct Case {
        const char* name;
        std::string trace;
        std::vector<uint64_t> counts;  // the entries (key 1), then 2, 2.3, 5, 5.2 and 40
        Unknown unknown;
        uint64_t bad_lines;
    };
    // 300,000 pairs on one line: longer than a block of the reader.
    std::string long_line;
    for (int i = 0; i < 300000; i++) long_line += i ? " 2:1" : "2:1";
    const std::vector<Case> cases = {
        {"pairs", "2:3 2.3:2 5.2:1\n", {0, 3, 2, 0, 1, 0}, {}, 0},
        {"one pair", "40:7\n", {0, 0, 0, 0, 0, 7}, {}, 0},
        {"keys and pairs mixed", "1\n2:4\n2.3\n 2 \n1:2 40:1\n2.3:1", {3, 5, 2, 0, 0, 1}, {}, 0},
        {"the same key twice on a line", "5:2 5:3\n", {0, 0, 0, 5, 0, 0}, {}, 0},
        {"leading zeros", "02:003 05.02:1\n", {0, 3, 0, 0, 1, 0}, {}, 0},
        {"beyond 32 bits, summed in 64", "5:3000000000 5:3000000000\n5\n", {0, 0, 0, 6000000001, 0, 0}, {}, 0},
        {"the largest count", "40:999999999999999999\n", {0, 0, 0, 0, 0, 999999999999999999u}, {}, 0},
        {"keys of no point, with their counts", "3:7 40.2:2 2:1\n3\n", {0, 1, 0, 0, 0, 0},
         {{{3, 1}, 8}, {{40, 2}, 2}}, 0},
        {"a pair line longer than the reader's block", long_line + "\n5:1", {0, 300000, 0, 1, 0, 0}, {}, 0},
        {"malformed pair lines",
         "2:\n:3\n2:0\n2:-1\n2:+1\n2:3x\n2:1  5:1\n2:1 \n 2:1\n2:1\r\n2:1\t5:1\n2 :1\n2: 1\n"
         "2:1:1\n2:1 5:\n2:1 :5\n2:1 5:0\n2.1:1\n0:1\n2.:1\n.2:1\n2:1000000000000000000\n"
         "2,\n,2\n2,,5\n2, 5\n2,:3\n2,5 \n2 5 \n2,5:3 ,\n",
         {0, 0, 0, 0, 0, 0}, {}, 30},
        // A counter may be several keys that counted alike, and counted once
        // it has no :COUNT.
        {"keys of one counter", "2,2.3,5.2:4 40\n5 1,40\n", {1, 4, 4, 1, 4, 2}, {}, 0},
        {"a counter of one run and a key alone", "2:1 5\n", {0, 1, 0, 1, 0, 0}, {}, 0},
    };
    for (const Case& c : cases) {
        Count(map, c.trace);
        ASSERT_EQ(coverage.constructs.size(), 1u);
        const Construct& p = coverage.constructs[0];
        std::vector<uint64_t> counts = {p.entries};
        for (const Statement& s : p.statements) counts.push_back(s.count);
        EXPECT_EQ(counts, c.counts) << c.name;
        EXPECT_EQ(coverage.designs[0].points.unknown, c.unknown) << c.name;
        EXPECT_EQ(coverage.designs[0].points.bad_lines, c.bad_lines) << c.name;
    }
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
        std::vector<std::string> warnings;
    };
    const std::string cut_short =
        "d: the else arm of the conditional_signal_assign of line 3, block 0, 3-3.2-3.3, comes to -";
    const std::string counted_as_0 = ": the trace is inconsistent (cut short?); counted as 0";
    const std::vector<Case> cases = {
        {"3\n3.2\n3\n3.3\n3\n", {3, 1, 1, 1}, {}},
        {"3\n3\n", {2, 0, 0, 2}, {}},
        {"3\n3.2\n3\n3.2\n", {2, 2, 0, 0}, {}},
        {"", {0, 0, 0, 0}, {}},
        {"3:5000000000 3.2:2000000000\n3.3:2999999999\n", {5000000000, 2000000000, 2999999999, 1}, {}},
        // A trace cut short between an arm and its statement: no arm is
        // counted below zero, and the warning says how far below.
        {"3\n3.2\n3.3\n", {1, 1, 1, 0}, {cut_short + "1" + counted_as_0}},
        {"3.2:3000000000 3.3:1\n", {0, 3000000000, 1, 0}, {cut_short + "3000000001" + counted_as_0}},
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
        EXPECT_EQ(finish_warnings, c.warnings) << c.trace;
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

// An expression that adds keys, KEY1-KEY2+KEY3: the else arm of an if is
// the count of the statement before it less the then arm's plus the count
// of a statement inside the then arm (its count is added back in whatever
// order the terms come). Below zero it counts 0 with a warning.
TEST_F(Exact_Counts, ExpressionThatAddsKeys) {
    const std::string map =
        "corvane-exact-map\td\t/sim/d::exact.corvane\n"
        "construct\tprocess\tp\t1\t9\t2\n"
        "statement\t3\tnull\t3\n"
        "branch\t4\t0\tif\tthen\t4.2\n"
        "branch\t4\t0\tif\telse\t3-4.2+5\n"
        "statement\t5\tnull\t5\n";
    struct Case {
        const char* trace;
        uint64_t then, rest;
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"3:10 4.2:4 5:2\n", 4, 8, {}},
        {"4.2:3\n5:3\n", 3, 0, {}},
        {"3:3000000000\n5:3000000000 4.2:1\n", 1, 5999999999, {}},
        {"", 0, 0, {}},
        {"3:2 4.2:5 5:1\n", 5, 0,
         {"d: the else arm of the if of line 4, block 0, 3-4.2+5, comes to -2: the trace is inconsistent (cut "
          "short?); counted as 0"}},
    };
    for (const Case& c : cases) {
        Count(map, c.trace);
        ASSERT_EQ(coverage.constructs.size(), 1u);
        const Construct& p = coverage.constructs[0];
        ASSERT_EQ(p.branches.size(), 1u);
        ASSERT_EQ(p.branches[0].arms.size(), 2u);
        EXPECT_EQ(p.branches[0].arms[0].count, c.then) << c.trace;
        EXPECT_EQ(p.branches[0].arms[1].count, c.rest) << c.trace;
        EXPECT_EQ(finish_warnings, c.warnings) << c.trace;
    }
}

}  // namespace
