// Files that cannot be read, output that cannot be written, and input no
// simulation writes, through the built corvane_viru.
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "tool_runner.h"

namespace {

std::string Cannot_Open(const std::string& name) { return "ERROR: cannot open file '(" + name + ")'...\n\n"; }

struct Failure_Case {
    const char* what;
    std::vector<std::string> args;
    Output output;
    std::string out;
    std::string err_after_echo;
    int status;
};

TEST_F(Report_Tool, FailuresAreReportedWithTheirStatus) {
    Write_File("t::p.partition.corvane", "5\n");
    const std::string long_name(10000, 'n');
    const std::string no_space = "corvane_viru: cannot write to standard output: No space left on device\n";
    const std::vector<Failure_Case> cases = {
        {"missing file", {"missing::p.partition.corvane"}, Output::captured,
         Cannot_Open("missing::p.partition.corvane"), "", 1},
        {"directory", {"."}, Output::captured, Cannot_Open("."), "", 1},
        {"name of 10,000 characters", {long_name}, Output::captured, Cannot_Open(long_name), "", 1},
        // Opens, but every read fails: no report, a message instead.
        {"read error", {"/proc/self/mem"}, Output::captured, "",
         "corvane_viru: cannot read '/proc/self/mem': Input/output error\n", 1},
        {"report to a full device", {"t::p.partition.corvane"}, Output::full_device, "", no_space, 1},
        {"usage to a full device", {"-h"}, Output::full_device, "", no_space, 1},
        {"report to a pipe without reader", {"t::p.partition.corvane"}, Output::closed_pipe, "",
         "corvane_viru: cannot write to standard output: Broken pipe\n", 1},
    };
    for (const Failure_Case& c : cases) {
        Run_Options options;
        options.output = c.output;
        Outcome run = Run(c.args, options);
        EXPECT_EQ(run.out, c.out) << c.what;
        EXPECT_EQ(run.err, Echo(c.args) + c.err_after_echo) << c.what;
        EXPECT_EQ(run.status, c.status) << c.what;
    }
}

TEST_F(Report_Tool, LineOfAMillionCharacters) {
    // 12,658 full pieces and one of 18 digits and the line feed, each above
    // the range of int.
    Write_File("d::p.x", std::string(1000000, '7') + "\n");
    Outcome run = Run({"d::p.x"});
    EXPECT_EQ(run.out, Report("d", "p", {{INT_MAX, 12659}}));
    EXPECT_EQ(run.status, 0);
}

// The number of pieces of the text, each ending after a line feed or after
// 79 bytes.
long long Pieces(const std::string& text) {
    long long pieces = 0;
    int length = 0;
    for (char c : text) {
        if (++length == 79 || c == '\n') {
            ++pieces;
            length = 0;
        }
    }
    return pieces + (length > 0 ? 1 : 0);
}

TEST_F(Report_Tool, BinaryGarbageIsCountedPieceByPiece) {
    std::mt19937 random(20240607);
    std::string garbage(1 << 20, '\0');
    for (char& c : garbage) {
        // Line feeds and digits often enough to give many pieces and numbers.
        unsigned r = random() % 300;
        c = static_cast<char>(r < 10 ? '\n' : r < 40 ? '0' + r % 10 : r % 256);
    }
    Write_File("g::p.x", garbage);
    Outcome first = Run({"g::p.x"});
    Outcome second = Run({"g::p.x"});
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.out, second.out);
    // Every piece is counted once in some report line.
    long long counted = 0;
    std::size_t at = 0;
    const std::string label = ";\tOccurred: ";
    while ((at = first.out.find(label, at)) != std::string::npos) {
        at += label.size();
        counted += std::stoll(first.out.substr(at));
    }
    EXPECT_EQ(counted, Pieces(garbage));
}

TEST_F(Report_Tool, PiecesAcrossReadBlocks) {
    // Some megabytes of a unit of known pieces, shifted by padding of 0 to
    // 6 blanks, so that the ends of read blocks of any size fall at many
    // places inside the unit.
    const std::string line79 = "7" + std::string(78, ' ') + "\n";
    const std::string line158 = "5" + std::string(78, 'x') + "6" + std::string(78, 'x') + "\n";
    std::string trace;
    const int units = 30000;
    for (int i = 0; i < units; ++i) {
        trace += std::string(i % 7, ' ') + "12345\n" + line79 + line158 + "-3\n";
    }
    Write_File("b::p.x", trace);
    Outcome run = Run({"b::p.x"});
    EXPECT_EQ(run.out, Report("b", "p", {{-3, units}, {6, units}, {5, units}, {0, 2 * units}, {7, units},
                                         {12345, units}}));
    EXPECT_EQ(run.status, 0);
}

TEST_F(Report_Tool, LackOfMemoryForNodes) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit leaves";
#endif
    // Two million distinct numbers above the range of the paged nodes need
    // far more than the 64 MiB the run may use.
    std::string trace;
    for (int line = 2000000; line < 4000000; ++line) {
        trace += std::to_string(line) + "\n";
    }
    Write_File("m::p.x", trace);
    Run_Options options;
    options.address_limit = std::uint64_t{64} << 20;
    Outcome run = Run({"m::p.x"}, options);
    EXPECT_EQ(run.out, "\n\nERROR: Cannot allocate memory for a NEW 'stack_node'...\n");
    EXPECT_EQ(run.status, 255);
}

}  // namespace
