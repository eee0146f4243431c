// corvane_cover on hand-written maps and traces of exact mode (corvane
// --exact): the summary, the listing, the lcov tracefile and the Cobertura
// file byte for byte; warnings, malformed maps, maps of both modes, files
// that are no map, --fail-under with nothing measured, --collect; and the
// lcov and Cobertura files read by genhtml and checked against the
// Cobertura DTD where those tools are installed.
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cover_folder.h"

namespace fs = std::filesystem;

namespace {

// Design "alu": process p1 (lines 3 to 9, entries counted on line 4) with
// two statements on line 6; operator function "+" (lines 10 to 13, calls
// counted on line 11); a conditional signal assignment on line 14 whose
// statement key counts every execution and whose else arm is the rest: the
// executions less the when arm's.
const std::string alu_map =
    "corvane-exact-map\talu\t/sim/alu::exact.corvane\n"
    "construct\tprocess\tp1\t3\t9\t4\n"
    "statement\t5\tsignal_assign\t5\n"
    "statement\t6\twait\t6\n"
    "statement\t6\tsignal_assign\t6.2\n"
    "statement\t8\tsignal_assign\t8\n"
    "construct\tfunction\t\"+\"@10\t10\t13\t11\n"
    "statement\t12\treturn\t12\n"
    "construct\tconcurrent_assignment\tassign@14\t14\t14\t-\n"
    "statement\t14\tconditional_signal_assign\t14\n"
    "branch\t14\t0\tconditional_signal_assign\twhen\t14.2\n"
    "branch\t14\t0\tconditional_signal_assign\telse\t14-14.2\n";

const std::string alu_source =
    "entity alu is end alu;\n"            // 1
    "architecture a of alu is\n"          // 2
    "begin p1 : process\n"                // 3
    "begin\n"                             // 4
    "  s <= 1;\n"                         // 5
    "  wait for 1 ns; s <= 2;\n"          // 6
    "  if s = 2 then\n"                   // 7
    "    s <= 3;\n"                       // 8
    "  end if; end process;\n"            // 9
    "function \"+\"\n"                    // 10
    "begin\n"                             // 11
    "  return 1;\n"                       // 12
    "end;\n"                              // 13
    "t <= 1 when s = 1 else 0;\n";        // 14

// Design "ctl", a second map: one process whose two statements share line 3.
const std::string ctl_map =
    "corvane-exact-map\tctl\t/sim/ctl::exact.corvane\n"
    "construct\tprocess\tprocess@2\t2\t4\t2\n"
    "statement\t3\tvariable_assign\t3\n"
    "statement\t3\twait\t3.2\n";

// A default-mode map, for the cases that mix the modes.
const std::string old_map =
    "/sim/old::p.partition.corvane\t1\tprocess\n"
    "/sim/old::p.partition.corvane\t2\twait\n";

class Exact : public Cover_Folder {
protected:
    // Run 1: p1 starts twice, the second time it stops in the wait of line
    // 6; "+" is called once; the assignment runs twice, once by its when
    // arm. Run 2: p1 starts once and also stops in the wait; the assignment
    // runs once by its else arm; a key of no counting point (7.3), two lines
    // of no key (x, and 12.1 whose K is below 2), blanks and a '\r' around a
    // key, no line end at the end; a trace of no design and one of the
    // default mode.
    void Two_Runs() {
        Put("alu.map", alu_map);
        Put("alu.vhd", alu_source);
        Put("run1/alu::exact.corvane", "4\n5\n6\n6.2\n4\n5\n6\n14\n14.2\n14\n11\n12\n");
        Put("run2/alu::exact.corvane", " 4 \r\n5\n14\n7.3\nx\n12.1\n6");
        Put("run2/ghost::exact.corvane", "1\n");
        Put("run2/alu::p1.partition.corvane", "5\n");
    }
};

// Summed: 4 (p1 entries) 3, 5 3, 6 3, 6.2 1, 8 0, 11 ("+" calls) 1, 12 1,
// 14 3, 14.2 1. p1: 3 of 4; "+": 1 of 1; the assignment: 1 of 1, its when
// arm taken once and its else arm 3 - 1 = 2 times: 2 branches of 2.
const std::string two_runs_summary =
    "File   Construct  Kind                   Statements  Executed   Cover  Branches  Taken   Cover\n"
    "alu    p1         process                         4         3   75.0%         0      0       -\n"
    "alu    \"+\"@10     function                        1         1  100.0%         0      0       -\n"
    "alu    assign@14  concurrent_assignment           1         1  100.0%         2      2  100.0%\n"
    "Total                                             6         5   83.3%         2      2  100.0%\n"
    "Runs merged: 2\n";

TEST_F(Exact, SummaryOfTwoRunsAndWarnings) {
    Two_Runs();
    Run_Result r = Run({"-m", "alu.map", "-t", "run1", "-t", "run2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out == two_runs_summary) << Show_Difference(two_runs_summary, r.out);
    const std::string warnings =
        "corvane_cover: warning: the trace 'run2/alu::p1.partition.corvane' was written in the default mode, but "
        "the maps in exact mode (corvane --exact); its lines are not counted\n"
        "corvane_cover: warning: the trace 'run2/ghost::exact.corvane' belongs to no design of the maps; its lines "
        "are not counted\n"
        "corvane_cover: warning: alu: key 7.3 is not in the map; it occurred 1 times (not counted)\n"
        "corvane_cover: warning: alu: 2 trace lines are neither a key nor a line of counters (not counted)\n";
    EXPECT_TRUE(r.err == warnings) << Show_Difference(warnings, r.err);

    Run_Result reversed = Run({"-m", "alu.map", "-t", "run2", "-t", "run1"});
    EXPECT_EQ(reversed.out, r.out);
}

TEST_F(Exact, ListingLcovAndCobertura) {
    Two_Runs();
    Run_Result r = Run({"-m", "alu.map", "-t", "run1", "-t", "run2", "-o", "out", "alu.vhd"});
    ASSERT_EQ(r.status, 0) << r.err;

    // Line 6: the wait ran 3 times, the assignment after it once: 3.
    // Line 14: the assignment's 3, not its arms', which follow it.
    const std::string listing =
        "        -:    0:Source:alu.vhd\n"
        "        -:    0:Runs:2\n"
        "        -:    1:entity alu is end alu;\n"
        "        -:    2:architecture a of alu is\n"
        "        -:    3:begin p1 : process\n"
        "        -:    4:begin\n"
        "        3:    5:  s <= 1;\n"
        "        3:    6:  wait for 1 ns; s <= 2;\n"
        "        -:    7:  if s = 2 then\n"
        "    #####:    8:    s <= 3;\n"
        "        -:    9:  end if; end process;\n"
        "        -:   10:function \"+\"\n"
        "        -:   11:begin\n"
        "        1:   12:  return 1;\n"
        "        -:   13:end;\n"
        "        3:   14:t <= 1 when s = 1 else 0;\n"
        "branch  0 taken 1\n"
        "branch  1 taken 2\n";
    std::string got = Get("out/alu.vhd.gcov");
    EXPECT_TRUE(got == listing) << Show_Difference(listing, got);

    // No function record for the concurrent assignment: it counts no entries.
    const std::string lcov =
        "TN:corvane\n"
        "SF:" + fs::canonical(dir).string() + "/alu.vhd\n"
        "FN:3,p1\n"
        "FN:10,\"+\"@10\n"
        "FNDA:3,p1\n"
        "FNDA:1,\"+\"@10\n"
        "FNF:2\n"
        "FNH:2\n"
        "BRDA:14,0,0,1\n"
        "BRDA:14,0,1,2\n"
        "BRF:2\n"
        "BRH:2\n"
        "DA:5,3\n"
        "DA:6,3\n"
        "DA:8,0\n"
        "DA:12,1\n"
        "DA:14,3\n"
        "LF:5\n"
        "LH:4\n"
        "end_of_record\n";
    got = Get("out/coverage.info");
    EXPECT_TRUE(got == lcov) << Show_Difference(lcov, got);

    got = Get("out/cobertura.xml");
    size_t at = got.find("timestamp=\"");
    ASSERT_NE(at, std::string::npos) << got;
    at += 11;
    got.replace(at, got.find('"', at) - at, "T");
    const std::string cobertura =
        "<?xml version=\"1.0\" ?>\n"
        "<!DOCTYPE coverage SYSTEM \"http://cobertura.sourceforge.net/xml/coverage-04.dtd\">\n"
        "<coverage line-rate=\"0.8000\" branch-rate=\"1.0000\" lines-covered=\"4\" lines-valid=\"5\" "
        "branches-covered=\"2\" branches-valid=\"2\" complexity=\"0\" version=\"corvane_cover\" timestamp=\"T\">\n"
        "  <sources>\n"
        "    <source>" + fs::canonical(dir).string() + "</source>\n"
        "  </sources>\n"
        "  <packages>\n"
        "    <package name=\"alu.vhd\" line-rate=\"0.8000\" branch-rate=\"1.0000\" complexity=\"0\">\n"
        "      <classes>\n"
        "        <class name=\"p1\" filename=\"alu.vhd\" line-rate=\"0.6667\" branch-rate=\"1.0000\" "
        "complexity=\"0\">\n"
        "          <methods>\n"
        "            <method name=\"p1\" signature=\"\" line-rate=\"1.0000\" branch-rate=\"1.0000\" "
        "complexity=\"0\">\n"
        "              <lines>\n"
        "                <line number=\"3\" hits=\"3\" branch=\"false\"/>\n"
        "              </lines>\n"
        "            </method>\n"
        "          </methods>\n"
        "          <lines>\n"
        "            <line number=\"5\" hits=\"3\" branch=\"false\"/>\n"
        "            <line number=\"6\" hits=\"3\" branch=\"false\"/>\n"
        "            <line number=\"8\" hits=\"0\" branch=\"false\"/>\n"
        "          </lines>\n"
        "        </class>\n"
        "        <class name=\"&quot;+&quot;@10\" filename=\"alu.vhd\" line-rate=\"1.0000\" branch-rate=\"1.0000\" "
        "complexity=\"0\">\n"
        "          <methods>\n"
        "            <method name=\"&quot;+&quot;@10\" signature=\"\" line-rate=\"1.0000\" branch-rate=\"1.0000\" "
        "complexity=\"0\">\n"
        "              <lines>\n"
        "                <line number=\"10\" hits=\"1\" branch=\"false\"/>\n"
        "              </lines>\n"
        "            </method>\n"
        "          </methods>\n"
        "          <lines>\n"
        "            <line number=\"12\" hits=\"1\" branch=\"false\"/>\n"
        "          </lines>\n"
        "        </class>\n"
        "        <class name=\"assign@14\" filename=\"alu.vhd\" line-rate=\"1.0000\" branch-rate=\"1.0000\" "
        "complexity=\"0\">\n"
        "          <methods/>\n"
        "          <lines>\n"
        "            <line number=\"14\" hits=\"3\" branch=\"true\" condition-coverage=\"100% (2/2)\">\n"
        "              <conditions>\n"
        "                <condition number=\"0\" type=\"jump\" coverage=\"100%\"/>\n"
        "              </conditions>\n"
        "            </line>\n"
        "          </lines>\n"
        "        </class>\n"
        "      </classes>\n"
        "    </package>\n"
        "  </packages>\n"
        "</coverage>\n";
    EXPECT_TRUE(got == cobertura) << Show_Difference(cobertura, got);
}

TEST_F(Exact, SeveralMapsAfterOneOptionAndADesignWithoutTrace) {
    Two_Runs();
    Put("ctl.map", ctl_map);
    // Run 1 has no trace of ctl: its two statements ran 0 times. The
    // assignment ran twice, once by its when arm, once by its else arm.
    const std::string expected =
        "File   Construct  Kind                   Statements  Executed   Cover  Branches  Taken   Cover\n"
        "alu    p1         process                         4         3   75.0%         0      0       -\n"
        "alu    \"+\"@10     function                        1         1  100.0%         0      0       -\n"
        "alu    assign@14  concurrent_assignment           1         1  100.0%         2      2  100.0%\n"
        "ctl    process@2  process                         2         0    0.0%         0      0       -  no trace\n"
        "Total                                             8         5   62.5%         2      2  100.0%\n"
        "Runs merged: 1\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-m", "alu.map", "ctl.map", "-t", "run1"},
          std::vector<std::string>{"-m", "alu.map", "-m", "ctl.map", "-t", "run1"},
          std::vector<std::string>{"-t", "run1", "-m", "alu.map", "ctl.map"}}) {
        Run_Result r = Run(args);
        EXPECT_EQ(r.status, 0) << args[2] << r.err;
        EXPECT_TRUE(r.out == expected) << Show_Difference(expected, r.out);
    }
}

// Each map's and trace's mistakes, and which of the two modes.
TEST_F(Exact, MapsOfBothModesAndFilesThatAreNoMap) {
    Two_Runs();
    Put("old.map", old_map);
    Put("empty.map", "");
    const std::string no_map =
        "' is not a statement map (its first line is neither an exact-mode header nor a "
        "DIR/DESIGN::NAME.partition.corvane record); write one with corvane -m\n";
    const std::string mixed =
        "corvane_cover: 'alu.map' was written in exact mode (corvane --exact) and 'old.map' in the default mode; "
        "instrument every design the same way\n";
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string err_start;
    };
    const std::vector<Case> cases = {
        {"exact, then default", {"-m", "alu.map", "old.map", "-t", "run1"}, 2, mixed},
        {"default, then exact", {"-m", "old.map", "-m", "alu.map", "-t", "run1"}, 2, mixed},
        {"an empty map first", {"-m", "empty.map", "old.map", "alu.map", "-t", "run1"}, 2, mixed},
        {"a source", {"-m", "alu.vhd", "-t", "run1"}, 1, "corvane_cover: 'alu.vhd" + no_map},
        {"a source after the maps", {"-m", "alu.map", "alu.vhd", "-t", "run1"}, 1,
         "corvane_cover: 'alu.vhd" + no_map},
        {"a trace", {"-m", "run1/alu::exact.corvane", "-t", "run1"}, 1,
         "corvane_cover: 'run1/alu::exact.corvane" + no_map},
        {"no map after -m", {"-m", "-t", "run1"}, 2, "corvane_cover: -m needs a map file\n"},
        {"-m last", {"-t", "run1", "-m"}, 2, "corvane_cover: -m needs a map file\n"},
        {"one exact design in two maps", {"-m", "alu.map", "copy/alu.map", "-t", "run1"}, 2,
         "corvane_cover: design 'alu' is in two maps: 'alu.map' and 'copy/alu.map' (give each design's map once)\n"},
        {"one exact map twice", {"-m", "alu.map", "alu.map", "-t", "run1"}, 2,
         "corvane_cover: the statement map 'alu.map' is given twice\n"},
    };
    Put("copy/alu.map", alu_map);
    for (const Case& c : cases) {
        Run_Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err.rfind(c.err_start, 0), 0u) << c.name << ": " << r.err;
    }
}

TEST_F(Exact, FailUnderWithNoStatementMeasured) {
    // In either mode a design whose only construct has no statement.
    Put("z.map", "/sim/z::p.partition.corvane\t1\tprocess\n");
    Put("runz/z::p.partition.corvane", "");
    Put("ze.map", "corvane-exact-map\tze\t/sim/ze::exact.corvane\nconstruct\tprocess\tp\t1\t2\t1\n");
    Put("runze/ze::exact.corvane", "1\n");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::string none = "corvane_cover: no statement was measured\n";
    const std::vector<Case> cases = {
        {"default mode", {"-m", "z.map", "-t", "runz", "--fail-under", "50"}, 3, none},
        {"default mode, 0%", {"-m", "z.map", "-t", "runz", "--fail-under", "0"}, 3, none},
        {"exact mode", {"-m", "ze.map", "-t", "runze", "--fail-under", "50"}, 3, none},
        {"exact mode, 0%", {"-m", "ze.map", "-t", "runze", "--fail-under", "0"}, 3, none},
        {"default mode without --fail-under", {"-m", "z.map", "-t", "runz"}, 0, ""},
        {"exact mode without --fail-under", {"-m", "ze.map", "-t", "runze"}, 0, ""},
    };
    for (const Case& c : cases) {
        Run_Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
        EXPECT_NE(r.out.find("\nRuns merged: 1\n"), std::string::npos) << c.name << ": " << r.out;
    }
}

TEST_F(Exact, MalformedMaps) {
    const std::string header = "corvane-exact-map\talu\t/sim/alu::exact.corvane\n";
    const std::string p1 = "construct\tprocess\tp1\t3\t9\t4\n";
    const std::string s5 = "statement\t5\tsignal_assign\t5\n";
    const std::string three_fields = "3 fields separated by tabs (corvane-exact-map, DESIGN, TRACEPATH)";
    const std::string not_key = "' is not a key (LINE or LINE.K, K from 2)";
    struct Case {
        std::string map;
        std::string message;  // after "bad.map:"
    };
    const std::vector<Case> cases = {
        {"corvane-exact-map\talu\n", "1: the header has " + three_fields + ", not 2"},
        {"corvane-exact-map\talu\t/sim/alu::exact.corvane\tx\n", "1: the header has " + three_fields + ", not 4"},
        {"corvane-exact-map\t\t/sim/::exact.corvane\n", "1: the design name is missing"},
        {"corvane-exact-map\talu\t/sim/alu::p.partition.corvane\n",
         "1: '/sim/alu::p.partition.corvane' is not the trace file of design 'alu' (DIR/alu::exact.corvane)"},
        {"corvane-exact-map\talu\t/sim/other::exact.corvane\n",
         "1: '/sim/other::exact.corvane' is not the trace file of design 'alu' (DIR/alu::exact.corvane)"},
        {header + s5, "2: a statement before any construct"},
        {header + "procedure\tp\t1\t2\t1\n",
         "2: 'procedure' is no record of an exact-mode map (construct, statement or branch)"},
        {header + p1 + "\n" + s5, "3: '' is no record of an exact-mode map (construct, statement or branch)"},
        {header + p1 + header, "3: a second header (one map per design)"},
        {header + "construct\tprocess\tp1\t3\t9\n",
         "2: a construct record has 6 fields separated by tabs (construct, KIND, NAME, FIRST, LAST, KEY), not 5"},
        {header + p1 + "statement\t5\tsignal_assign\t5\tx\n",
         "3: a statement record has 4 fields separated by tabs (statement, LINE, KIND, KEY), not 5"},
        {header + "construct\tentity\te\t1\t2\t1\n",
         "2: 'entity' is not a construct kind (process, procedure, function, concurrent_assignment, "
         "concurrent_assertion)"},
        {header + "construct\tprocess\t\t3\t9\t4\n", "2: the construct name is missing"},
        {header + p1 + "construct\tfunction\tp1\t10\t13\t11\n", "3: the construct name 'p1' is already that of line 2"},
        {header + "construct\tprocess\tp1\tx\t9\t4\n", "2: 'x' is not a line number"},
        {header + "construct\tprocess\tp1\t3\t0\t4\n", "2: '0' is not a line number"},
        {header + "construct\tprocess\tp1\t9\t3\t4\n", "2: the construct ends on line 3, before its first line 9"},
        {header + "construct\tprocess\tp1\t3\t9\t-\n", "2: a process needs the key of its entries, not '-'"},
        {header + "construct\tfunction\tf\t3\t9\t\n", "2: '" + not_key},
        {header + "construct\tconcurrent_assignment\ta\t3\t3\t3\n",
         "2: a concurrent_assignment counts no entries: its key is '-', not '3'"},
        {header + "construct\tprocess\tp1\t3\t9\t4.1\n", "2: '4.1" + not_key},
        {header + "construct\tprocess\tp1\t3\t9\t4.\n", "2: '4." + not_key},
        {header + "construct\tprocess\tp1\t3\t9\t0.2\n", "2: '0.2" + not_key},
        {header + "construct\tprocess\tp1\t3\t9\t4.2.3\n", "2: '4.2.3" + not_key},
        {header + p1 + "statement\t5a\tsignal_assign\t5\n", "3: '5a' is not a line number"},
        {header + p1 + "statement\t10\tsignal_assign\t10\n", "3: line 10 is outside its construct 'p1' (lines 3 to 9)"},
        {header + p1 + "statement\t2\tsignal_assign\t2\n", "3: line 2 is outside its construct 'p1' (lines 3 to 9)"},
        {header + p1 + "statement\t5\t\t5\n", "3: the statement kind is missing"},
        {header + p1 + "statement\t5\tsignal_assign\t-\n", "3: '-" + not_key},
        {header + p1 + "statement\t5\tsignal_assign\t4\n", "3: the key 4 is already the counting point of line 2"},
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

TEST_F(Exact, CollectMovesTheTracesOfBothModes) {
    Put("traces/alu::exact.corvane", "4\n5\n");
    Put("traces/old::p.partition.corvane", "2\n");
    Put("traces/alu::exact.corvane.bak", "kept\n");
    Run_Result r = Run({"--collect", "traces", "runs/1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "corvane_cover: moved 2 trace files to runs/1\n");
    EXPECT_EQ(Get("runs/1/alu::exact.corvane"), "4\n5\n");
    EXPECT_EQ(Get("runs/1/old::p.partition.corvane"), "2\n");
    EXPECT_FALSE(fs::exists(dir + "/traces/alu::exact.corvane"));
    EXPECT_FALSE(fs::exists(dir + "/runs/1/alu::exact.corvane.bak"));
}

bool Installed(const std::string& command) {
    return Run_Program("/bin/sh", {"-c", "command -v " + command}, "").status == 0;
}

// The Cobertura files of both modes are valid against the DTD that they
// name, found through an XML catalog instead of the network.
TEST_F(Exact, CoberturaFollowsTheDtd) {
    if (!Installed("xmllint")) GTEST_SKIP() << "xmllint is not installed (tools/setup-deps installs it)";
    Two_Runs();
    Put("old.map", old_map);
    Put("old.vhd", "a\nb\n");
    Put("oldrun/old::p.partition.corvane", "2\n");
    Put("catalog.xml",
        "<?xml version=\"1.0\"?>\n"
        "<catalog xmlns=\"urn:oasis:names:tc:entity:xmlns:xml:catalog\">\n"
        "  <system systemId=\"http://cobertura.sourceforge.net/xml/coverage-04.dtd\" uri=\"file://" +
            std::string(COBERTURA_DTD) + "\"/>\n</catalog>\n");
    ASSERT_EQ(Run({"-m", "alu.map", "-t", "run1", "-t", "run2", "-o", "exact", "alu.vhd"}).status, 0);
    ASSERT_EQ(Run({"-m", "old.map", "-t", "oldrun", "-o", "default", "old.vhd"}).status, 0);
    // The check itself: a method without its signature is refused.
    std::string broken = Get("exact/cobertura.xml");
    size_t at = broken.find(" signature=\"\"");
    ASSERT_NE(at, std::string::npos);
    Put("broken.xml", broken.erase(at, 13));
    for (const char* file : {"exact/cobertura.xml", "default/cobertura.xml", "broken.xml"}) {
        Run_Result r = Run_Program("/usr/bin/env",
                                   {"XML_CATALOG_FILES=" + dir + "/catalog.xml", "xmllint", "--noout", "--nonet",
                                    "--valid", dir + "/" + file},
                                   "");
        if (std::string(file) == "broken.xml") {
            EXPECT_NE(r.status, 0) << r.err;
            EXPECT_NE(r.err.find("Element method does not carry attribute signature"), std::string::npos) << r.err;
        } else {
            EXPECT_EQ(r.status, 0) << file << ": " << r.err;
            EXPECT_EQ(r.err, "") << file;
        }
    }
}

TEST_F(Exact, GenhtmlReadsTheLcovFile) {
    if (!Installed("genhtml")) GTEST_SKIP() << "genhtml is not installed (tools/setup-deps installs it)";
    Two_Runs();
    ASSERT_EQ(Run({"-m", "alu.map", "-t", "run1", "-t", "run2", "-o", "out", "alu.vhd"}).status, 0);
    Run_Result r = Run_Program("/bin/sh", {"-c", "genhtml -o html out/coverage.info 2>&1"}, "", dir);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("WARNING"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("warning"), std::string::npos) << r.out;
    // 4 of the 5 statement lines, both functions.
    EXPECT_NE(r.out.find("lines......: 80.0% (4 of 5 lines)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("functions..: 100.0% (2 of 2 functions)"), std::string::npos) << r.out;
}

}  // namespace
