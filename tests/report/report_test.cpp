// Arguments, counting and the split of the file name, through the built
// corvane_viru.
#include <climits>
#include <string>
#include <vector>

#include "tool_runner.h"

namespace {

const std::string usage =
    "\nOptions:  corvane_viru <file::func.partition.corvane> [> clean_file]"
    "\n----------------------------------------------------------------------"
    "\n  -h, --help : print this text"
    "\n  --version : print the version\n\n";

struct Argument_Case {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    int status;
};

TEST_F(Report_Tool, Arguments) {
    Write_File("temp", "3\n3\n");
    Write_File("a", "1\n");
    Write_File("b", "2\n");
    Write_File("t::p.partition.corvane", "4\n");
    const std::vector<Argument_Case> cases = {
        {"no argument reads temp", {}, "sscanf FAILED!\n" + Report("temp", "", {{3, 2}}), 0},
        {"the last name wins", {"a", "b"}, "sscanf FAILED!\n" + Report("b", "", {{2, 1}}), 0},
        {"-h after a file name", {"t::p.partition.corvane", "-h"}, usage, 0},
        {"--help", {"--help"}, usage, 0},
        {"-h before a missing file", {"-h", "missing"}, usage, 0},
        {"options match exactly", {"-help"}, "ERROR: cannot open file '(-help)'...\n\n", 1},
        {"an empty name", {"a", ""}, "ERROR: cannot open file '()'...\n\n", 1},
    };
    for (const Argument_Case& c : cases) {
        Outcome run = Run(c.args);
        EXPECT_EQ(run.out, c.out) << c.name;
        EXPECT_EQ(run.err, Echo(c.args)) << c.name;
        EXPECT_EQ(run.status, c.status) << c.name;
    }
}

std::string Zeros(int count) { return std::string(count, '0'); }

struct Count_Case {
    const char* name;
    std::string trace;
    std::vector<std::pair<long long, long long>> counts;
};

TEST_F(Report_Tool, CountsInReverseOrderOfFirstAppearance) {
    const std::vector<Count_Case> cases = {
        {"example", "10\n12\n10\n15\n12\n10\n", {{15, 1}, {12, 2}, {10, 3}}},
        {"empty file", "", {}},
        {"last line without line feed", "4\n4", {{4, 2}}},
        {"blank and non-numeric lines are 0", "\n\nabc\n7\n", {{7, 1}, {0, 3}}},
        {"leading blanks and signs", " 5\n\t+5\n-5\n \v\f\r-5x\n- 5\n+\n--5\n", {{0, 3}, {-5, 2}, {5, 2}}},
        {"eight and nine digits", "12345678\n123456789\n", {{123456789, 1}, {12345678, 1}}},
        {"-1 is a number like any other", "-1\n3\n-1\n", {{3, 1}, {-1, 2}}},
        {"beyond int saturates",
         "2147483647\n2147483648\n99999999999999999999\n-2147483648\n-2147483649\n-99999999999999\n",
         {{INT_MIN, 3}, {INT_MAX, 3}}},
        {"78 characters are one piece", Zeros(76) + "42\n", {{42, 1}}},
        {"79 characters leave the line feed as a piece", Zeros(77) + "42\n", {{0, 1}, {42, 1}}},
        {"158 digits are two pieces and a line feed", Zeros(77) + "12" + Zeros(77) + "34\n",
         {{0, 1}, {34, 1}, {12, 1}}},
        {"a piece ends inside a number", Zeros(75) + "12345678\n", {{5678, 1}, {1234, 1}}},
        {"a long last line without line feed", Zeros(78) + "98", {{8, 1}, {9, 1}}},
        {"NUL ends the number, not the piece",
         std::string("12\0" "34\n\0\n5", 9) + std::string(78, '\0') + "6\n", {{6, 1}, {5, 1}, {0, 1}, {12, 1}}},
    };
    for (const Count_Case& c : cases) {
        Write_File("d::p.partition.corvane", c.trace);
        Outcome run = Run({"d::p.partition.corvane"});
        EXPECT_EQ(run.out, Report("d", "p", c.counts)) << c.name;
        EXPECT_EQ(run.status, 0) << c.name;
        // Many times over, the trace also takes the way of long files, which
        // finds the line feeds many bytes at a time.
        if (!c.trace.empty() && c.trace.back() == '\n') {
            const int times = 50;
            std::string repeated;
            auto counts = c.counts;
            for (int i = 0; i < times; ++i) {
                repeated += c.trace;
            }
            for (auto& count : counts) {
                count.second *= times;
            }
            Write_File("d::p.partition.corvane", repeated);
            EXPECT_EQ(Run({"d::p.partition.corvane"}).out, Report("d", "p", counts)) << c.name << " repeated";
        }
    }
}

struct Exact_Case {
    const char* name;
    std::string trace;
    std::vector<std::pair<long long, long long>> counts;
    int malformed;  // lines that are neither a key nor a line of counters
};

// An exact-mode trace: a key counts under its line, a line of KEY:COUNT
// pairs adds each count under the line of its key, a line with a colon that
// is no pairs counts as line 0 and is told of on standard error; a line
// without a colon is read as in any trace.
TEST_F(Report_Tool, ExactTraceKeysAndPairs) {
    // 70,001 pairs, longer than a block of the reader.
    std::string long_line = "8:1";
    for (int i = 0; i < 70000; ++i) {
        long_line += " 9:2";
    }
    const std::vector<Exact_Case> cases = {
        {"keys under their line", "12\n12.2\n14\n", {{14, 1}, {12, 2}}, 0},
        {"pairs", "12:3 14.2:1 15:120000\n", {{15, 120000}, {14, 1}, {12, 3}}, 0},
        {"keys and pairs mixed", "15\n12:3 15.2:2\n12\n", {{12, 4}, {15, 3}}, 0},
        {"beyond 32 bits, summed in 64", "7:3000000000 7:3000000000\n7\n", {{7, 6000000001}}, 0},
        {"the largest count", "7:999999999999999999\n", {{7, 999999999999999999}}, 0},
        {"a key beyond int is held at its limit", "99999999999:2 2147483647:1\n", {{INT_MAX, 3}}, 0},
        {"a pair line longer than a block", long_line + "\n", {{9, 140000}, {8, 1}}, 0},
        {"a last pair line without line feed", "5\n6:2 5:1", {{6, 2}, {5, 2}}, 0},
        {"lines without a colon as in any trace", "12.2\n abc\n-3\n", {{-3, 1}, {0, 1}, {12, 1}}, 0},
        {"malformed pair lines",
         "12:\n:3\n12:0\n12:-1\n12:+1\n12:3x\n12:1  5:1\n12:1 \n 12:1\n12:1\r\n12.1:1\n0:1\n12:1 5:0\n"
         "12:1000000000000000000\n12,\n,12\n12,,5\n12, 5\n5\n",
         {{5, 1}, {0, 18}}, 18},
        {"counters of several keys, and counted once", "12,14.2,15:3 16\n13 12\n",
         {{13, 1}, {16, 1}, {15, 3}, {14, 3}, {12, 4}}, 0},
        // Ten times 10^18 - 1.
        {"a sum is held at the limit of 64 bits",
         "7:999999999999999999 7:999999999999999999 7:999999999999999999 7:999999999999999999\n"
         "7:999999999999999999 7:999999999999999999 7:999999999999999999 7:999999999999999999\n"
         "7:999999999999999999 7:999999999999999999\n",
         {{7, LLONG_MAX}}, 0},
    };
    const std::string name = "d::exact.corvane";
    for (const Exact_Case& c : cases) {
        // Also many times over, for the way of long files.
        for (int times : {1, 50}) {
            std::string trace;
            for (int i = 0; i < times; ++i) {
                if (!trace.empty() && trace.back() != '\n') {
                    trace += '\n';
                }
                trace += c.trace;
            }
            auto counts = c.counts;
            // The largest count taken 50 times is past what 64 bits hold.
            bool fits = true;
            for (auto& count : counts) {
                fits = fits && count.second <= LLONG_MAX / times;
                if (fits) {
                    count.second *= times;
                }
            }
            if (!fits) {
                continue;
            }
            Write_File(name, trace);
            Outcome run = Run({name});
            EXPECT_EQ(run.out, Report("d", "exact", counts)) << c.name << " x" << times;
            std::string told = c.malformed == 0 ? ""
                                                : "corvane_viru: " + std::to_string(c.malformed * times) +
                                                      " lines of '" + name +
                                                      "' are neither a key nor a line of counters; each is "
                                                      "counted as line 0\n";
            EXPECT_EQ(run.err, Echo({name}) + told) << c.name << " x" << times;
            EXPECT_EQ(run.status, 0) << c.name << " x" << times;
        }
    }
    // Pairs are of exact mode alone: in any other trace a colon ends the
    // number, as atoi reads it.
    Write_File("d::p.partition.corvane", "12:3 14:1\n");
    EXPECT_EQ(Run({"d::p.partition.corvane"}).out, Report("d", "p", {{12, 1}}));
}

// 3,800 characters that name the working directory.
std::string Long_Directory() {
    std::string path;
    for (int i = 0; i < 1900; ++i) {
        path += "./";
    }
    return path;
}

struct Name_Case {
    std::string name;
    std::string file_part;
    std::string function_part;
    bool splits;
};

TEST_F(Report_Tool, SplitsTheFileName) {
    const std::vector<Name_Case> cases = {
        {dir + "//test::p1.partition.corvane", dir + "//test", "p1", true},
        {"d::b1:p2.partition.corvane", "d", "b1:p2", true},
        {"d:::p.x", "d", ":p", true},
        {"d::p", "d", "p", true},
        {"d::p.q.r", "d", "p", true},
        {"d::.partition.corvane", "d", "", false},
        {"d::", "d", "", false},
        {"nocolons", "nocolons", "", false},
        {"d:p.partition.corvane", "d", "", false},
        {"::p.partition.corvane", "", "", false},
        // Parts longer than any fixed buffer of a couple of hundred bytes.
        {Long_Directory() + "trace::" + std::string(200, 'f') + ".partition.corvane", Long_Directory() + "trace",
         std::string(200, 'f'), true},
    };
    for (const Name_Case& c : cases) {
        // The first name is absolute, in dir; the others are relative to it.
        Write_File(c.name[0] == '/' ? c.name.substr(dir.size() + 1) : c.name, "1\n");
        Outcome run = Run({c.name});
        EXPECT_EQ(run.out, (c.splits ? "" : "sscanf FAILED!\n") + Report(c.file_part, c.function_part, {{1, 1}}))
            << c.name;
        EXPECT_EQ(run.status, 0) << c.name;
    }
}

}  // namespace
