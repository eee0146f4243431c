// corvane_cover's branch coverage of exact mode, on a hand-written map and
// traces of a design with an if with an elsif and an implicit else, a case, an
// exit when, a while loop, two nested ifs on one line (the inner one never
// evaluated) and a conditional signal assignment whose else arm is a
// difference of keys: the summary, the listing, the lcov tracefile and the
// Cobertura file byte for byte, malformed branch records, accepted ones,
// --fail-under-branches; genhtml --branch-coverage and the Cobertura DTD
// where those tools are installed.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cover_folder.h"

namespace fs = std::filesystem;

namespace {

const std::string br_source =
    "entity br is end br;\n"                                            // 1
    "architecture a of br is\n"                                         // 2
    "  signal s, t : integer := 0;\n"                                   // 3
    "begin\n"                                                           // 4
    "  p : process\n"                                                   // 5
    "    variable v : integer := 0;\n"                                  // 6
    "  begin\n"                                                         // 7
    "    if s = 0 then v := 1;\n"                                       // 8
    "    elsif s = 9 then v := 9;\n"                                    // 9
    "    end if;\n"                                                     // 10
    "    case v is\n"                                                   // 11
    "      when 1 => v := 2;\n"                                         // 12
    "      when others => null;\n"                                      // 13
    "    end case;\n"                                                   // 14
    "    loop\n"                                                        // 15
    "      exit when v > 4;\n"                                          // 16
    "      v := v + 1;\n"                                               // 17
    "    end loop;\n"                                                   // 18
    "    while v < 8 loop\n"                                            // 19
    "      v := v + 3;\n"                                               // 20
    "    end loop;\n"                                                   // 21
    "    if v > 100 then if s = 5 then v := 0; end if; end if;\n"       // 22
    "    wait on s;\n"                                                  // 23
    "  end process;\n"                                                  // 24
    "  t <= 1 when s = 1 else 2 when s = 2 else 0;\n"                   // 25
    "end a;\n";                                                         // 26

// Process p (entries at its begin, line 7) and the conditional assignment of
// line 25. The if of line 8 has the then arm 8, the elsif 8.2 and the
// implicit else 8.3, its assignment the key 8.4; the inner if of line 22
// (block 1) stands in front of the outer one (block 0); the else arm of the
// assignment is its executions less its two when arms.
const std::string br_map =
    "corvane-exact-map\tbr\t/sim/br::exact.corvane\n"
    "construct\tprocess\tp\t5\t24\t7\n"
    "branch\t8\t0\tif\tthen\t8\n"
    "branch\t8\t0\tif\telsif\t8.2\n"
    "branch\t8\t0\tif\telse\t8.3\n"
    "statement\t8\tvariable_assign\t8.4\n"
    "statement\t9\tvariable_assign\t9\n"
    "branch\t11\t0\tcase\twhen\t11\n"
    "branch\t11\t0\tcase\twhen\t11.2\n"
    "statement\t12\tvariable_assign\t12\n"
    "statement\t13\tnull\t13\n"
    "statement\t16\texit\t16\n"
    "branch\t16\t0\texit\ttaken\t16.2\n"
    "branch\t16\t0\texit\tnot_taken\t16.3\n"
    "statement\t17\tvariable_assign\t17\n"
    "branch\t19\t0\twhile\ttrue\t19\n"
    "branch\t19\t0\twhile\tfalse\t19.2\n"
    "statement\t20\tvariable_assign\t20\n"
    "branch\t22\t1\tif\tthen\t22.4\n"
    "branch\t22\t1\tif\telse\t22.5\n"
    "branch\t22\t0\tif\tthen\t22.2\n"
    "branch\t22\t0\tif\telse\t22.3\n"
    "statement\t22\tvariable_assign\t22\n"
    "statement\t23\twait\t23\n"
    "construct\tconcurrent_assignment\tassign@25\t25\t25\t-\n"
    "statement\t25\tconditional_signal_assign\t25\n"
    "branch\t25\t0\tconditional_signal_assign\twhen\t25.2\n"
    "branch\t25\t0\tconditional_signal_assign\twhen\t25.3\n"
    "branch\t25\t0\tconditional_signal_assign\telse\t25-25.2-25.3\n";

// The keys of one pass of p through its body. v, 0 when a run starts, is 1
// after line 8 with s = 0, 2 after the case; the loop runs line 16 with v =
// 2, 3, 4 (not taken, line 17 each) and 5 (taken); the while loop adds 3
// once (5 < 8) and ends at 8; the outer if of line 22 is false. Every later
// pass has s /= 0 and v = 8: the else arms of lines 8 and 22, the others of
// the case, the exit taken at once, the while false at once.
const std::string first_pass =
    "7\n8\n8.4\n11\n12\n16\n16.3\n17\n16\n16.3\n17\n16\n16.3\n17\n16\n16.2\n19\n20\n19.2\n22.3\n23\n";
const std::string later_pass = "7\n8.3\n11.2\n13\n16\n16.2\n19.2\n22.3\n23\n";

class Branches : public Cover_Folder {
protected:
    // Run 1: s is 0, then 1: two passes; the assignment runs at the start
    // (else) and for s = 1 (first when). Run 2: s is 0, 2, then 3: three
    // passes; the assignment runs at the start (else), for s = 2 (second
    // when) and for s = 3 (else).
    void Two_Runs() {
        Put("br.map", br_map);
        Put("br.vhd", br_source);
        Put("run1/br::exact.corvane", "25\n" + first_pass + "25\n25.2\n" + later_pass);
        Put("run2/br::exact.corvane", "25\n" + first_pass + "25\n25.3\n" + later_pass + "25\n" + later_pass);
    }
};

// Summed over both runs (5 passes, 2 of them first passes):
//   if 8: then 2, elsif 0, else 3; case 11: 2, 3; exit 16: taken 1 per
//   pass = 5, not taken 3 per first pass = 6; while 19: true 2, false 5;
//   line 22: outer then 0, else 5, inner never evaluated; assignment 25:
//   5 executions, when 1, when 1, else 5 - 1 - 1 = 3.
// p: statements 8, 9, 12, 13, 16, 17, 20, 22, 23, of which 9 and 22 never
// ran: 7 of 9; arms 3 + 2 + 2 + 2 + 2 + 2 = 13, taken 2 + 2 + 2 + 2 + 1 + 0
// = 9. The assignment: 1 of 1, arms 3 of 3. Total 8 of 10, arms 12 of 16.
const std::string two_runs_summary =
    "File   Construct  Kind                   Statements  Executed   Cover  Branches  Taken   Cover\n"
    "br     p          process                         9         7   77.8%        13      9   69.2%\n"
    "br     assign@25  concurrent_assignment           1         1  100.0%         3      3  100.0%\n"
    "Total                                            10         8   80.0%        16     12   75.0%\n"
    "Runs merged: 2\n";

TEST_F(Branches, SummaryOfOneRunAndOfTwo) {
    Two_Runs();
    Run_Result r = Run({"-m", "br.map", "-t", "run1", "-t", "run2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out == two_runs_summary) << Show_Difference(two_runs_summary, r.out);

    // Run 1 alone: the same arms of p (its first pass and one later pass
    // take them all but the elsif and the line 22 ones), the assignment's
    // second when never: 2 of 3; arms 11 of 16 = 68.75%.
    // No branch cover reaches 100.0%: that column narrows to "Cover".
    const std::string one_run_summary =
        "File   Construct  Kind                   Statements  Executed   Cover  Branches  Taken  Cover\n"
        "br     p          process                         9         7   77.8%        13      9  69.2%\n"
        "br     assign@25  concurrent_assignment           1         1  100.0%         3      2  66.7%\n"
        "Total                                            10         8   80.0%        16     11  68.8%\n"
        "Runs merged: 1\n";
    r = Run({"-m", "br.map", "-t", "run1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out == one_run_summary) << Show_Difference(one_run_summary, r.out);
}

TEST_F(Branches, ListingLcovAndCobertura) {
    Two_Runs();
    Run_Result r = Run({"-m", "br.map", "-t", "run1", "-t", "run2", "-o", "out", "br.vhd"});
    ASSERT_EQ(r.status, 0) << r.err;

    // After each line with branching statements its arms, numbered across
    // the line's blocks in block order; the inner if of line 22 was never
    // evaluated. Lines 11 and 19 hold no statement: '-', with their arms.
    const std::string listing =
        "        -:    0:Source:br.vhd\n"
        "        -:    0:Runs:2\n"
        "        -:    1:entity br is end br;\n"
        "        -:    2:architecture a of br is\n"
        "        -:    3:  signal s, t : integer := 0;\n"
        "        -:    4:begin\n"
        "        -:    5:  p : process\n"
        "        -:    6:    variable v : integer := 0;\n"
        "        -:    7:  begin\n"
        "        2:    8:    if s = 0 then v := 1;\n"
        "branch  0 taken 2\n"
        "branch  1 taken 0\n"
        "branch  2 taken 3\n"
        "    #####:    9:    elsif s = 9 then v := 9;\n"
        "        -:   10:    end if;\n"
        "        -:   11:    case v is\n"
        "branch  0 taken 2\n"
        "branch  1 taken 3\n"
        "        2:   12:      when 1 => v := 2;\n"
        "        3:   13:      when others => null;\n"
        "        -:   14:    end case;\n"
        "        -:   15:    loop\n"
        "       11:   16:      exit when v > 4;\n"
        "branch  0 taken 5\n"
        "branch  1 taken 6\n"
        "        6:   17:      v := v + 1;\n"
        "        -:   18:    end loop;\n"
        "        -:   19:    while v < 8 loop\n"
        "branch  0 taken 2\n"
        "branch  1 taken 5\n"
        "        2:   20:      v := v + 3;\n"
        "        -:   21:    end loop;\n"
        "    #####:   22:    if v > 100 then if s = 5 then v := 0; end if; end if;\n"
        "branch  0 taken 0\n"
        "branch  1 taken 5\n"
        "branch  2 never executed\n"
        "branch  3 never executed\n"
        "        5:   23:    wait on s;\n"
        "        -:   24:  end process;\n"
        "        5:   25:  t <= 1 when s = 1 else 2 when s = 2 else 0;\n"
        "branch  0 taken 1\n"
        "branch  1 taken 1\n"
        "branch  2 taken 3\n"
        "        -:   26:end a;\n";
    std::string got = Get("out/br.vhd.gcov");
    EXPECT_TRUE(got == listing) << Show_Difference(listing, got);

    // BRDA numbers the arms within their block; '-' for the block never evaluated.
    const std::string lcov =
        "TN:corvane\n"
        "SF:" + fs::canonical(dir).string() + "/br.vhd\n"
        "FN:5,p\n"
        "FNDA:5,p\n"
        "FNF:1\n"
        "FNH:1\n"
        "BRDA:8,0,0,2\n"
        "BRDA:8,0,1,0\n"
        "BRDA:8,0,2,3\n"
        "BRDA:11,0,0,2\n"
        "BRDA:11,0,1,3\n"
        "BRDA:16,0,0,5\n"
        "BRDA:16,0,1,6\n"
        "BRDA:19,0,0,2\n"
        "BRDA:19,0,1,5\n"
        "BRDA:22,0,0,0\n"
        "BRDA:22,0,1,5\n"
        "BRDA:22,1,0,-\n"
        "BRDA:22,1,1,-\n"
        "BRDA:25,0,0,1\n"
        "BRDA:25,0,1,1\n"
        "BRDA:25,0,2,3\n"
        "BRF:16\n"
        "BRH:12\n"
        "DA:8,2\n"
        "DA:9,0\n"
        "DA:12,2\n"
        "DA:13,3\n"
        "DA:16,11\n"
        "DA:17,6\n"
        "DA:20,2\n"
        "DA:22,0\n"
        "DA:23,5\n"
        "DA:25,5\n"
        "LF:10\n"
        "LH:8\n"
        "end_of_record\n";
    got = Get("out/coverage.info");
    EXPECT_TRUE(got == lcov) << Show_Difference(lcov, got);

    // The line rates count statement lines only (8 of 10; p 7 of 9); the
    // lines 11 and 19 of a case and a while are listed for their branches,
    // their hits the evaluations (2 + 3, 2 + 5). Condition coverage is the
    // whole percent below the rate: 2 of 3 is 66%.
    got = Get("out/cobertura.xml");
    size_t at = got.find("timestamp=\"");
    ASSERT_NE(at, std::string::npos) << got;
    at += 11;
    got.replace(at, got.find('"', at) - at, "T");
    auto line = [](int number, int hits) {
        return "            <line number=\"" + std::to_string(number) + "\" hits=\"" + std::to_string(hits) +
               "\" branch=\"false\"/>\n";
    };
    auto branch_line = [](int number, int hits, const std::string& coverage,
                          const std::vector<std::string>& conditions) {
        std::string s = "            <line number=\"" + std::to_string(number) + "\" hits=\"" + std::to_string(hits) +
                        "\" branch=\"true\" condition-coverage=\"" + coverage + "\">\n              <conditions>\n";
        for (size_t i = 0; i < conditions.size(); i++)
            s += "                <condition number=\"" + std::to_string(i) + "\" " + conditions[i] + "/>\n";
        return s + "              </conditions>\n            </line>\n";
    };
    const std::string cobertura =
        "<?xml version=\"1.0\" ?>\n"
        "<!DOCTYPE coverage SYSTEM \"http://cobertura.sourceforge.net/xml/coverage-04.dtd\">\n"
        "<coverage line-rate=\"0.8000\" branch-rate=\"0.7500\" lines-covered=\"8\" lines-valid=\"10\" "
        "branches-covered=\"12\" branches-valid=\"16\" complexity=\"0\" version=\"corvane_cover\" timestamp=\"T\">\n"
        "  <sources>\n"
        "    <source>" + fs::canonical(dir).string() + "</source>\n"
        "  </sources>\n"
        "  <packages>\n"
        "    <package name=\"br.vhd\" line-rate=\"0.8000\" branch-rate=\"0.7500\" complexity=\"0\">\n"
        "      <classes>\n"
        "        <class name=\"p\" filename=\"br.vhd\" line-rate=\"0.7778\" branch-rate=\"0.6923\" complexity=\"0\">\n"
        "          <methods>\n"
        "            <method name=\"p\" signature=\"\" line-rate=\"1.0000\" branch-rate=\"1.0000\" complexity=\"0\">\n"
        "              <lines>\n"
        "                <line number=\"5\" hits=\"5\" branch=\"false\"/>\n"
        "              </lines>\n"
        "            </method>\n"
        "          </methods>\n"
        "          <lines>\n" +
        branch_line(8, 2, "66% (2/3)", {"type=\"jump\" coverage=\"66%\""}) + line(9, 0) +
        branch_line(11, 5, "100% (2/2)", {"type=\"switch\" coverage=\"100%\""}) + line(12, 2) + line(13, 3) +
        branch_line(16, 11, "100% (2/2)", {"type=\"jump\" coverage=\"100%\""}) + line(17, 6) +
        branch_line(19, 7, "100% (2/2)", {"type=\"jump\" coverage=\"100%\""}) + line(20, 2) +
        branch_line(22, 0, "25% (1/4)", {"type=\"jump\" coverage=\"50%\"", "type=\"jump\" coverage=\"0%\""}) +
        line(23, 5) +
        "          </lines>\n"
        "        </class>\n"
        "        <class name=\"assign@25\" filename=\"br.vhd\" line-rate=\"1.0000\" branch-rate=\"1.0000\" "
        "complexity=\"0\">\n"
        "          <methods/>\n"
        "          <lines>\n" +
        branch_line(25, 5, "100% (3/3)", {"type=\"jump\" coverage=\"100%\""}) +
        "          </lines>\n"
        "        </class>\n"
        "      </classes>\n"
        "    </package>\n"
        "  </packages>\n"
        "</coverage>\n";
    EXPECT_TRUE(got == cobertura) << Show_Difference(cobertura, got);
}

// The runs of Two_Runs written as a trace of counts would write them: a line
// of KEY:COUNT pairs for each pass of p up to its wait, and for the
// assignment; run 2 mixes them with lines of one key and ends without a line
// end. The counts are those of the keys, so is the summary.
TEST_F(Branches, PairsCountAsTheirKeys) {
    Two_Runs();
    const std::string first_pairs =
        "7:1 8:1 8.4:1 11:1 12:1 16:4 16.3:3 17:3 16.2:1 19:1 20:1 19.2:1 22.3:1 23:1";
    const std::string later_pairs = "7:1 8.3:1 11.2:1 13:1 16:1 16.2:1 19.2:1 22.3:1 23:1";
    Put("pairs1/br::exact.corvane", "25:1 " + first_pairs + "\n25:1 25.2:1\n" + later_pairs + "\n");
    Put("pairs2/br::exact.corvane",
        "25\n" + first_pairs + "\n25\n25.3\n" + later_pass + "25:1\n" + later_pairs);
    Run_Result r = Run({"-m", "br.map", "-t", "pairs1", "-t", "pairs2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.out == two_runs_summary) << Show_Difference(two_runs_summary, r.out);
}

// A trace whose counts cannot all be true: the assignment of line 25 ran
// once, but its when arms 3 times; and a line of a pair of count 0. Both are
// warned of; the else arm counts 0, the when arms what the trace says.
TEST_F(Branches, InconsistentTraceIsWarnedOf) {
    Put("br.map", br_map);
    Put("run/br::exact.corvane", "25:1 25.2:2\n25.3:1\n25:0\n");
    Run_Result r = Run({"-m", "br.map", "-t", "run"});
    EXPECT_EQ(r.status, 0);
    const std::string warnings =
        "corvane_cover: warning: br: 1 trace lines are neither a key nor a line of counters (not counted)\n"
        "corvane_cover: warning: br: the else arm of the conditional_signal_assign of line 25, block 0, "
        "25-25.2-25.3, comes to -2: the trace is inconsistent (cut short?); counted as 0\n";
    EXPECT_TRUE(r.err == warnings) << Show_Difference(warnings, r.err);
    EXPECT_NE(r.out.find("\nbr     assign@25  concurrent_assignment           1         1  100.0%         3      2"),
              std::string::npos)
        << r.out;
}

const std::string header = "corvane-exact-map\talu\t/sim/alu::exact.corvane\n";
const std::string p1 = "construct\tprocess\tp1\t3\t9\t4\n";
const std::string s5 = "statement\t5\tsignal_assign\t5\n";

std::string Branch(const std::string& fields) { return "branch\t" + fields + "\n"; }

TEST_F(Branches, MalformedBranchRecords) {
    const std::string six_fields =
        "a branch record has 6 fields separated by tabs (branch, LINE, BLOCK, KIND, ARM, KEY)";
    const std::string kinds = "' is not a branch kind (if, case, exit, next, while, conditional_signal_assign, conditional_variable_assign)";
    const std::string if_arms = "(the arms of if: then, elsif..., else)";
    const std::string not_key = "' is not a key (LINE or LINE.K, K from 2) or an expression of keys (K1-K2+K3...)";
    const std::string if_else = Branch("5\t0\tif\tthen\t5.2") + Branch("5\t0\tif\telse\t5.3");
    struct Case {
        std::string map;
        std::string message;  // after "bad.map:"
    };
    const std::vector<Case> cases = {
        // Fields.
        {header + Branch("5\t0\tif\tthen\t5.2"), "2: a branch before any construct"},
        {header + p1 + Branch("5\t0\tif\tthen"), "3: " + six_fields + ", not 5"},
        {header + p1 + s5 + Branch("5\twhen\t5.2"), "4: " + six_fields + ", not 4"},
        {header + p1 + Branch("5\t0\tif\tthen\t5.2\tx"), "3: " + six_fields + ", not 7"},
        {header + p1 + Branch("5a\t0\tif\tthen\t5.2"), "3: '5a' is not a line number"},
        {header + p1 + Branch("10\t0\tif\tthen\t10"), "3: line 10 is outside its construct 'p1' (lines 3 to 9)"},
        {header + p1 + Branch("5\tx\tif\tthen\t5.2"), "3: 'x' is not a block number (0, 1, ...)"},
        {header + p1 + Branch("5\t-1\tif\tthen\t5.2"), "3: '-1' is not a block number (0, 1, ...)"},
        {header + p1 + Branch("5\t\tif\tthen\t5.2"), "3: '' is not a block number (0, 1, ...)"},
        {header + p1 + Branch("5\t0\tloop\tthen\t5.2"), "3: 'loop" + kinds},
        {header + p1 + Branch("5\t0\tselected_signal_assign\twhen\t5.2"), "3: 'selected_signal_assign" + kinds},
        // Arms of their kind, in order, complete.
        {header + p1 + Branch("5\t0\tif\twhen\t5.2"), "3: 'when' is not an arm of if (then, elsif..., else)"},
        {header + p1 + Branch("5\t0\tcase\telse\t5.2"), "3: 'else' is not an arm of case (when...)"},
        {header + p1 + Branch("5\t0\twhile\ttaken\t5.2"), "3: 'taken' is not an arm of while (true, false)"},
        {header + p1 + Branch("5\t0\texit\tnot_taken\t5.2"),
         "3: the arm 'not_taken' is out of order (the arms of exit: taken, not_taken)"},
        {header + p1 + Branch("5\t0\tif\telse\t5.2"), "3: the arm 'else' is out of order " + if_arms},
        {header + p1 + Branch("5\t0\tif\telsif\t5.2"), "3: the arm 'elsif' is out of order " + if_arms},
        {header + p1 + Branch("5\t0\tif\tthen\t5.2") + Branch("5\t0\tif\tthen\t5.3"),
         "4: the arm 'then' is out of order " + if_arms},
        {header + p1 + if_else + Branch("5\t0\tif\telsif\t5.4"), "5: the arm 'elsif' is out of order " + if_arms},
        {header + p1 + if_else + Branch("5\t0\tif\telse\t5.4"), "5: the arm 'else' is out of order " + if_arms},
        {header + p1 + Branch("5\t0\tnext\ttaken\t5.2") + Branch("5\t0\tnext\ttaken\t5.3"),
         "4: the arm 'taken' is out of order (the arms of next: taken, not_taken)"},
        {header + p1 + Branch("5\t0\tconditional_signal_assign\twhen\t5.2") +
             Branch("5\t0\tconditional_signal_assign\telse\t5.3") +
             Branch("5\t0\tconditional_signal_assign\twhen\t5.4"),
         "5: the arm 'when' is out of order (the arms of conditional_signal_assign: when..., else)"},
        {header + p1 + Branch("5\t0\tconditional_signal_assign\telse\t5.2"),
         "3: the arm 'else' is out of order (the arms of conditional_signal_assign: when..., else)"},
        {header + p1 + Branch("5\t0\tif\tthen\t5.2") + s5,
         "3: the if of line 5, block 0, has no 'else' arm (its arms: then, elsif..., else)"},
        {header + p1 + Branch("5\t0\tif\tthen\t5.2") + Branch("5\t0\tif\telsif\t5.3"),
         "4: the if of line 5, block 0, has no 'else' arm (its arms: then, elsif..., else)"},
        {header + p1 + Branch("5\t0\twhile\ttrue\t5.2") + Branch("6\t0\texit\ttaken\t6.2"),
         "3: the while of line 5, block 0, has no 'false' arm (its arms: true, false)"},
        {header + p1 + Branch("5\t1\tconditional_signal_assign\twhen\t5.2") + p1,
         "3: the conditional_signal_assign of line 5, block 1, has no 'else' arm (its arms: when..., else)"},
        {header + p1 + Branch("5\t0\texit\ttaken\t5.2") + header,
         "3: the exit of line 5, block 0, has no 'not_taken' arm (its arms: taken, not_taken)"},
        {header + p1 + Branch("5\t0\tcase\twhen\t5.2") + Branch("5\t0\tcase") + s5,
         "4: " + six_fields + ", not 4"},
        // Blocks: one kind each, consecutive arms, numbered from 0.
        {header + p1 + Branch("5\t0\tif\tthen\t5.2") + Branch("5\t0\tcase\twhen\t5.3"),
         "4: block 0 of line 5 is of kind if, not case"},
        {header + p1 + if_else + s5 + Branch("5\t0\tif\tthen\t5.4"),
         "6: block 0 of line 5 began on line 3 (the arms of a block are consecutive records)"},
        {header + p1 + if_else + "construct\tprocedure\tp2\t5\t6\t6\n" + Branch("5\t0\tcase\twhen\t5.4"),
         "6: block 0 of line 5 began on line 3 (the arms of a block are consecutive records)"},
        {header + p1 + Branch("5\t1\tif\tthen\t5.2") + Branch("5\t1\tif\telse\t5.3"),
         "3: block 1 of line 5, but no block 0 on that line (blocks are numbered from 0)"},
        {header + p1 + if_else + Branch("6\t0\tcase\twhen\t6") + Branch("5\t2\tcase\twhen\t5.4"),
         "6: block 2 of line 5, but no block 1 on that line (blocks are numbered from 0)"},
        // Keys.
        {header + p1 + Branch("5\t0\tif\tthen\t5.2") + Branch("5\t0\tif\telse\t5.2"),
         "4: the key 5.2 is already the counting point of line 3"},
        {header + p1 + s5 + Branch("5\t0\tif\tthen\t5"), "4: the key 5 is already the counting point of line 3"},
        {header + p1 + Branch("5\t0\tif\tthen\t4"), "3: the key 4 is already the counting point of line 2"},
        {header + p1 + Branch("5\t0\tif\tthen\t5.1"), "3: '5.1' is not a key (LINE or LINE.K, K from 2)"},
        {header + p1 + Branch("5\t0\tif\tthen\t"), "3: '' is not a key (LINE or LINE.K, K from 2)"},
        {header + p1 + Branch("5\t0\tif\tthen\t-"), "3: '-" + not_key},
        {header + p1 + Branch("5\t0\tif\tthen\t5-"), "3: '5-" + not_key},
        {header + p1 + Branch("5\t0\tif\tthen\t-5"), "3: '-5" + not_key},
        {header + p1 + Branch("5\t0\tif\tthen\t5--5.2"), "3: '5--5.2" + not_key},
        {header + p1 + Branch("5\t0\tif\tthen\t5-5.1"), "3: '5-5.1" + not_key},
        {header + p1 + s5 + Branch("5\t0\tconditional_signal_assign\twhen\t5.2") +
             Branch("5\t0\tconditional_signal_assign\telse\t5-5.7"),
         "5: the key 5.7 of '5-5.7' is the counting point of no record of the map"},
        {header + p1 + s5 + Branch("5\t0\tconditional_signal_assign\twhen\t5.2") +
             Branch("5\t0\tconditional_signal_assign\telse\t9-5.2"),
         "5: the key 9 of '9-5.2' is the counting point of no record of the map"},
        {header + p1 + s5 + Branch("5\t0\tconditional_signal_assign\twhen\t5.2") +
             Branch("5\t0\tconditional_signal_assign\telse\t5-5.2-5.2"),
         "5: the key 5.2 occurs twice in '5-5.2-5.2'"},
        {header + p1 + s5 + Branch("5\t0\tconditional_signal_assign\twhen\t5.2") +
             Branch("5\t0\tconditional_signal_assign\telse\t5-5"),
         "5: the key 5 occurs twice in '5-5'"},
        // Expressions with '+'.
        {header + p1 + Branch("5\t0\tif\tthen\t+5"), "3: '+5" + not_key},
        {header + p1 + Branch("5\t0\tif\tthen\t5+"), "3: '5+" + not_key},
        {header + p1 + Branch("5\t0\tif\tthen\t5+-5.2"), "3: '5+-5.2" + not_key},
        {header + p1 + Branch("5\t0\tif\tthen\t5-5.2+"), "3: '5-5.2+" + not_key},
        {header + p1 + Branch("5\t0\tif\tthen\t5+5.2 "), "3: '5+5.2 " + not_key},
        {header + p1 + s5 + Branch("5\t0\tconditional_signal_assign\twhen\t5.2") +
             Branch("5\t0\tconditional_signal_assign\telse\t5-5.2+5.2"),
         "5: the key 5.2 occurs twice in '5-5.2+5.2'"},
        {header + p1 + s5 + Branch("5\t0\tconditional_signal_assign\twhen\t5.2") +
             Branch("5\t0\tconditional_signal_assign\telse\t5+5.2-5.7"),
         "5: the key 5.7 of '5+5.2-5.7' is the counting point of no record of the map"},
    };
    Put("run/alu::exact.corvane", "4\n");
    for (const Case& c : cases) {
        Put("bad.map", c.map);
        Run_Result r = Run({"-m", "bad.map", "-t", "run"});
        EXPECT_EQ(r.status, 1) << c.map;
        EXPECT_EQ(r.out, "") << c.map;
        EXPECT_EQ(r.err, "corvane_cover: bad.map:" + c.message + "\n") << c.map;
    }
}

// What the map may hold: each kind with its fewest and with more arms,
// statements between blocks, blocks of a line in any order, an expression of
// keys further down the map, one key in several expressions, expressions
// that add keys. Each map is read, and the summary counts its arms (the
// run's trace is empty).
TEST_F(Branches, AcceptedBranchRecords) {
    struct Case {
        const char* name;
        std::string records;  // after p1
        int arms;
    };
    const std::vector<Case> cases = {
        {"if without elsif", Branch("5\t0\tif\tthen\t5") + Branch("5\t0\tif\telse\t5.2"), 2},
        {"if with two elsifs",
         Branch("5\t0\tif\tthen\t5") + Branch("5\t0\tif\telsif\t5.2") + Branch("5\t0\tif\telsif\t5.3") +
             Branch("5\t0\tif\telse\t5.4"),
         4},
        {"case of one alternative", Branch("5\t0\tcase\twhen\t5"), 1},
        {"case of three",
         Branch("5\t0\tcase\twhen\t5") + Branch("5\t0\tcase\twhen\t5.2") + Branch("5\t0\tcase\twhen\t5.3"), 3},
        {"exit, next and while on one line",
         Branch("5\t0\texit\ttaken\t5") + Branch("5\t0\texit\tnot_taken\t5.2") + Branch("5\t1\tnext\ttaken\t5.3") +
             Branch("5\t1\tnext\tnot_taken\t5.4") + Branch("5\t2\twhile\ttrue\t5.5") +
             Branch("5\t2\twhile\tfalse\t5.6"),
         6},
        {"blocks in reverse order with a statement between",
         Branch("6\t1\tif\tthen\t6.2") + Branch("6\t1\tif\telse\t6.3") + "statement\t6\tnull\t6\n" +
             Branch("6\t0\tif\tthen\t6.4") + Branch("6\t0\tif\telse\t6.5"),
         4},
        {"a difference before its keys and one key in two differences",
         Branch("5\t0\tconditional_signal_assign\twhen\t5.2") +
             Branch("5\t0\tconditional_signal_assign\telse\t5-5.2") + Branch("6\t0\tif\tthen\t6") +
             Branch("6\t0\tif\telse\t4-6-5.2") + "statement\t5\tconditional_signal_assign\t5\n",
         4},
        {"expressions that add keys",
         Branch("5\t0\tif\tthen\t5.2") + Branch("5\t0\tif\telse\t4+5.2") + s5 + Branch("6\t0\tif\tthen\t6") +
             Branch("6\t0\tif\telse\t5-6+5.2-4"),
         4},
    };
    Put("run/alu::exact.corvane", "");
    for (const Case& c : cases) {
        Put("good.map", header + p1 + c.records);
        Run_Result r = Run({"-m", "good.map", "-t", "run"});
        EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
        std::string total = "\nTotal  ";
        size_t at = r.out.find(total);
        ASSERT_NE(at, std::string::npos) << c.name << ": " << r.out;
        // The total line's numbers: statements, executed, cover, branches, taken, cover.
        std::vector<std::string> words;
        std::string rest = r.out.substr(at + total.size(), r.out.find('\n', at + 1) - at - total.size());
        for (size_t from = 0; (from = rest.find_first_not_of(' ', from)) != std::string::npos;) {
            size_t end = rest.find(' ', from);
            words.push_back(rest.substr(from, end - from));
            from = end;
        }
        ASSERT_EQ(words.size(), 6u) << c.name << ": " << r.out;
        EXPECT_EQ(words[3], std::to_string(c.arms)) << c.name;
        EXPECT_EQ(words[4], "0") << c.name;
        EXPECT_EQ(words[5], "0.0%") << c.name;
    }
}

TEST_F(Branches, FailUnderBranches) {
    Two_Runs();
    // The two runs: statements 80.0%, branches 75.0%.
    Put("nb.map", "corvane-exact-map\tnb\t/sim/nb::exact.corvane\nconstruct\tprocess\tp\t1\t3\t1\n"
                  "statement\t2\tnull\t2\n");
    Put("runnb/nb::exact.corvane", "1\n2\n");
    Put("old.map", "/sim/old::p.partition.corvane\t1\tprocess\n/sim/old::p.partition.corvane\t2\twait\n");
    Put("runold/old::p.partition.corvane", "2\n");
    const std::vector<std::string> runs = {"-m", "br.map", "-t", "run1", "-t", "run2"};
    const std::string none = "corvane_cover: no branch was measured\n";
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::vector<Case> cases = {
        {"at the limit", {"--fail-under-branches", "75"}, 0, ""},
        {"0%", {"--fail-under-branches", "0"}, 0, ""},
        {"above", {"--fail-under-branches", "75.1"}, 3,
         "corvane_cover: total branch coverage 75.0% is below 75.1%\n"},
        {"100%", {"--fail-under-branches", "100"}, 3, "corvane_cover: total branch coverage 75.0% is below 100%\n"},
        {"statements pass, branches fail", {"--fail-under", "80", "--fail-under-branches", "76"}, 3,
         "corvane_cover: total branch coverage 75.0% is below 76%\n"},
        {"statements fail, branches pass", {"--fail-under-branches", "70", "--fail-under", "81"}, 3,
         "corvane_cover: total statement coverage 80.0% is below 81%\n"},
        {"both fail", {"--fail-under", "81", "--fail-under-branches", "76"}, 3,
         "corvane_cover: total statement coverage 80.0% is below 81%\n"
         "corvane_cover: total branch coverage 75.0% is below 76%\n"},
        {"the last value wins", {"--fail-under-branches", "90", "--fail-under-branches", "70"}, 0, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = runs;
        args.insert(args.end(), c.args.begin(), c.args.end());
        Run_Result r = Run(args);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
        EXPECT_TRUE(r.out == two_runs_summary) << c.name << Show_Difference(two_runs_summary, r.out);
    }
    // No branch measured: every statement of nb ran, and it still fails;
    // the default mode has no branches.
    const std::vector<Case> no_branch = {
        {"exact mode, 0%", {"-m", "nb.map", "-t", "runnb", "--fail-under-branches", "0"}, 3, none},
        {"exact mode, statements pass", {"-m", "nb.map", "-t", "runnb", "--fail-under", "100",
                                         "--fail-under-branches", "50"}, 3, none},
        {"default mode", {"-m", "old.map", "-t", "runold", "--fail-under-branches", "0"}, 3, none},
        {"no gate", {"-m", "nb.map", "-t", "runnb"}, 0, ""},
    };
    for (const Case& c : no_branch) {
        Run_Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
        EXPECT_NE(r.out.find("\nRuns merged: 1\n"), std::string::npos) << c.name << ": " << r.out;
    }
    for (const char* bad : {"101", "-1", "x", ""}) {
        std::vector<std::string> args = runs;
        args.insert(args.end(), {"--fail-under-branches", bad});
        Run_Result r = Run(args);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.out, "") << bad;
        EXPECT_EQ(r.err.rfind("corvane_cover: --fail-under-branches needs a percentage from 0 to 100\n", 0), 0u)
            << r.err;
    }
    Run_Result r = Run({"-m", "br.map", "-t", "run1", "--fail-under-branches"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("corvane_cover: --fail-under-branches needs a percentage from 0 to 100\n", 0), 0u) << r.err;
    r = Run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("[--fail-under-branches PCT]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n  --fail-under-branches PCT\n"), std::string::npos) << r.out;
}

bool Installed(const std::string& command) {
    return Run_Program("/bin/sh", {"-c", "command -v " + command}, "").status == 0;
}

std::string Without_Blanks(std::string s) {
    s.erase(std::remove_if(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); }), s.end());
    return s;
}

// genhtml reads the branch records without a warning and finds 12 of the 16
// arms taken, in its output and on its index page; the file page shows the
// two arms of the block never evaluated as not executed.
TEST_F(Branches, GenhtmlShowsTheBranches) {
    if (!Installed("genhtml")) GTEST_SKIP() << "genhtml is not installed (tools/setup-deps installs it)";
    Two_Runs();
    ASSERT_EQ(Run({"-m", "br.map", "-t", "run1", "-t", "run2", "-o", "out", "br.vhd"}).status, 0);
    Run_Result r =
        Run_Program("/bin/sh", {"-c", "genhtml --branch-coverage -o html out/coverage.info 2>&1"}, "", dir);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("WARNING"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("warning"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("lines......: 80.0% (8 of 10 lines)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("branches...: 75.0% (12 of 16 branches)"), std::string::npos) << r.out;
    std::string index = Without_Blanks(Get("html/index.html"));
    EXPECT_NE(index.find("Branches:</td><tdclass=\"headerCovTableEntry\">12</td>"
                         "<tdclass=\"headerCovTableEntry\">16</td>"),
              std::string::npos)
        << Get("html/index.html");
    std::string page = Get("html/" + fs::path(dir).filename().string() + "/br.vhd.gcov.html");
    size_t never = 0;
    for (size_t at = 0; (at = page.find("was not executed", at)) != std::string::npos; at++) never++;
    EXPECT_EQ(never, 2u);
}

// The Cobertura file with branches follows the DTD it names.
TEST_F(Branches, CoberturaFollowsTheDtd) {
    if (!Installed("xmllint")) GTEST_SKIP() << "xmllint is not installed (tools/setup-deps installs it)";
    Two_Runs();
    Put("catalog.xml",
        "<?xml version=\"1.0\"?>\n"
        "<catalog xmlns=\"urn:oasis:names:tc:entity:xmlns:xml:catalog\">\n"
        "  <system systemId=\"http://cobertura.sourceforge.net/xml/coverage-04.dtd\" uri=\"file://" +
            std::string(COBERTURA_DTD) + "\"/>\n</catalog>\n");
    ASSERT_EQ(Run({"-m", "br.map", "-t", "run1", "-t", "run2", "-o", "out", "br.vhd"}).status, 0);
    // The check itself: a condition without its type is refused.
    std::string broken = Get("out/cobertura.xml");
    size_t at = broken.find(" type=\"switch\"");
    ASSERT_NE(at, std::string::npos);
    Put("broken.xml", broken.erase(at, 14));
    for (const char* file : {"out/cobertura.xml", "broken.xml"}) {
        Run_Result r = Run_Program("/usr/bin/env",
                                   {"XML_CATALOG_FILES=" + dir + "/catalog.xml", "xmllint", "--noout", "--nonet",
                                    "--valid", dir + "/" + file},
                                   "");
        if (std::string(file) == "broken.xml") {
            EXPECT_NE(r.status, 0) << r.err;
            EXPECT_NE(r.err.find("Element condition does not carry attribute type"), std::string::npos) << r.err;
        } else {
            EXPECT_EQ(r.status, 0) << file << ": " << r.err;
            EXPECT_EQ(r.err, "") << file;
        }
    }
}

}  // namespace
