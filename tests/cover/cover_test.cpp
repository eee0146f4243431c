// corvane_cover on small hand-written statement maps and trace folders: the
// summary, the listing, the lcov tracefile and the Cobertura file byte for
// byte, the warnings and errors, --fail-under and --collect.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cover_folder.h"

namespace fs = std::filesystem;

namespace {

// Design "alu": process p1 (head line 3) with statements on lines 5, 6 and 8,
// function f (head line 10) with one statement on line 12.
const std::string alu_map =
    "/sim/alu::p1.partition.corvane\t3\tprocess\n"
    "/sim/alu::p1.partition.corvane\t5\tsignal_assign\n"
    "/sim/alu::p1.partition.corvane\t6\twait\n"
    "/sim/alu::p1.partition.corvane\t8\tsignal_assign\n"
    "/sim/alu::f.partition.corvane\t10\tfunction\n"
    "/sim/alu::f.partition.corvane\t12\treturn\n";

const std::string alu_source =
    "entity alu is end alu;\n"    // 1
    "architecture a of alu is\n"  // 2
    "begin p1 : process\n"        // 3
    "begin\n"                     // 4
    "  s <= 1;\n"                 // 5
    "  wait for 1 ns;\n"          // 6
    "  if s = 2 then\n"           // 7
    "    s <= 3;\n"               // 8
    "  end if;\n"                 // 9
    "function f\n"                // 10
    "begin\n"                     // 11
    "  return 1;\n"               // 12
    "end;\n";                     // 13

class Cover : public Cover_Folder {
protected:
    // Run 1 passes p1 twice and calls f; run 2 passes p1 once, writes a
    // line that is no statement and one that is no number, has no trace of
    // f, and a trace of a construct that no map knows.
    void Two_Runs() {
        Put("alu.map", alu_map);
        Put("alu.vhd", alu_source);
        Put("run1/alu::p1.partition.corvane", "5\n6\n5\n6\n");
        Put("run1/alu::f.partition.corvane", "12\n");
        Put("run2/alu::p1.partition.corvane", "5\n7\nx\n6");
        Put("run2/alu::ghost.partition.corvane", "1\n");
    }
};

// p1: line 5 ran 2 + 1 = 3 times, line 6 3 times, line 8 never: 2 of 3.
// f: line 12 once: 1 of 1. Total 3 of 4 = 75.0%.
const std::string two_runs_summary =
    "File   Construct  Kind      Statements  Executed   Cover\n"
    "alu    p1         process            3         2   66.7%\n"
    "alu    f          function           1         1  100.0%  last call\n"
    "Total                                4         3   75.0%\n"
    "Runs merged: 2\n";

TEST_F(Cover, SummaryOfTwoRuns) {
    Two_Runs();
    Run_Result r = Run({"-m", "alu.map", "-t", "run1", "-t", "run2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out == two_runs_summary) << Show_Difference(two_runs_summary, r.out);
    // Nothing is dropped silently: the unknown trace, the unmapped line and
    // the line without a number each have their warning.
    const std::string warnings =
        "corvane_cover: warning: the trace 'run2/alu::ghost.partition.corvane' belongs to no construct of the maps; "
        "its lines are not counted\n"
        "corvane_cover: warning: alu::p1: line 7 is no statement line of the map; it occurred 1 times (not counted)\n"
        "corvane_cover: warning: alu::p1: 1 trace lines hold no line number (not counted)\n";
    EXPECT_TRUE(r.err == warnings) << Show_Difference(warnings, r.err);
}

TEST_F(Cover, RunOrderDoesNotMatter) {
    Two_Runs();
    Run_Result a = Run({"-m", "alu.map", "-t", "run1", "-t", "run2"});
    Run_Result b = Run({"-m", "alu.map", "-t", "run2", "-t", "run1"});
    EXPECT_EQ(a.out, b.out);
}

TEST_F(Cover, OneRunAndConstructWithoutTrace) {
    Two_Runs();
    // Run 2 alone: p1 lines 5 and 6 once each; f has no trace file.
    const std::string expected =
        "File   Construct  Kind      Statements  Executed  Cover\n"
        "alu    p1         process            3         2  66.7%\n"
        "alu    f          function           1         0   0.0%  last call, no trace\n"
        "Total                                4         2  50.0%\n"
        "Runs merged: 1\n";
    Run_Result r = Run({"-m", "alu.map", "-t", "run2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out == expected) << Show_Difference(expected, r.out);
}

TEST_F(Cover, ListingLcovAndCobertura) {
    Two_Runs();
    long long before = static_cast<long long>(std::time(nullptr));
    Run_Result r = Run({"-m", "alu.map", "-t", "run1", "-t", "run2", "-o", "out", "alu.vhd"});
    long long after = static_cast<long long>(std::time(nullptr));
    ASSERT_EQ(r.status, 0) << r.err;
    // With a source the summary names the file.
    EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), "File     Construct  Kind      Statements  Executed   Cover\n");
    EXPECT_NE(r.out.find("\nalu.vhd  p1         process            3         2   66.7%\n"), std::string::npos) << r.out;

    const std::string listing =
        "        -:    0:Source:alu.vhd\n"
        "        -:    0:Runs:2\n"
        "        -:    1:entity alu is end alu;\n"
        "        -:    2:architecture a of alu is\n"
        "        -:    3:begin p1 : process\n"
        "        -:    4:begin\n"
        "        3:    5:  s <= 1;\n"
        "        3:    6:  wait for 1 ns;\n"
        "        -:    7:  if s = 2 then\n"
        "    #####:    8:    s <= 3;\n"
        "        -:    9:  end if;\n"
        "        -:   10:function f\n"
        "        -:   11:begin\n"
        "        1:   12:  return 1;\n"
        "        -:   13:end;\n";
    std::string got = Get("out/alu.vhd.gcov");
    EXPECT_TRUE(got == listing) << Show_Difference(listing, got);

    std::string absolute = fs::canonical(dir).string() + "/alu.vhd";
    const std::string lcov =
        "TN:corvane\n"
        "SF:" + absolute + "\n"
        "FN:3,p1\n"
        "FN:10,f\n"
        "FNDA:3,p1\n"
        "FNDA:1,f\n"
        "FNF:2\n"
        "FNH:2\n"
        "DA:5,3\n"
        "DA:6,3\n"
        "DA:8,0\n"
        "DA:12,1\n"
        "LF:4\n"
        "LH:3\n"
        "end_of_record\n";
    got = Get("out/coverage.info");
    EXPECT_TRUE(got == lcov) << Show_Difference(lcov, got);

    got = Get("out/cobertura.xml");
    const std::string stamp_key = "timestamp=\"";
    size_t at = got.find(stamp_key);
    ASSERT_NE(at, std::string::npos) << got;
    at += stamp_key.size();
    size_t end = got.find('"', at);
    long long stamp = std::stoll(got.substr(at, end - at));
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
    got.replace(at, end - at, "T");
    const std::string cobertura =
        "<?xml version=\"1.0\" ?>\n"
        "<!DOCTYPE coverage SYSTEM \"http://cobertura.sourceforge.net/xml/coverage-04.dtd\">\n"
        "<coverage line-rate=\"0.7500\" branch-rate=\"0\" lines-covered=\"3\" lines-valid=\"4\" "
        "branches-covered=\"0\" branches-valid=\"0\" complexity=\"0\" version=\"corvane_cover\" timestamp=\"T\">\n"
        "  <sources>\n"
        "    <source>" + fs::canonical(dir).string() + "</source>\n"
        "  </sources>\n"
        "  <packages>\n"
        "    <package name=\"alu.vhd\" line-rate=\"0.7500\" branch-rate=\"0\" complexity=\"0\">\n"
        "      <classes>\n"
        "        <class name=\"p1\" filename=\"alu.vhd\" line-rate=\"0.6667\" branch-rate=\"0\" complexity=\"0\">\n"
        "          <methods/>\n"
        "          <lines>\n"
        "            <line number=\"5\" hits=\"3\" branch=\"false\"/>\n"
        "            <line number=\"6\" hits=\"3\" branch=\"false\"/>\n"
        "            <line number=\"8\" hits=\"0\" branch=\"false\"/>\n"
        "          </lines>\n"
        "        </class>\n"
        "        <class name=\"f\" filename=\"alu.vhd\" line-rate=\"1.0000\" branch-rate=\"0\" complexity=\"0\">\n"
        "          <methods/>\n"
        "          <lines>\n"
        "            <line number=\"12\" hits=\"1\" branch=\"false\"/>\n"
        "          </lines>\n"
        "        </class>\n"
        "      </classes>\n"
        "    </package>\n"
        "  </packages>\n"
        "</coverage>\n";
    EXPECT_TRUE(got == cobertura) << Show_Difference(cobertura, got);
}

TEST_F(Cover, TwoDesignsAndNamedSource) {
    // Design "ctl" of its own map, tied by NAME=PATH; an unlabelled process
    // has the empty construct name; its two statements share line 4, which
    // the summary counts twice and the line reports once.
    Two_Runs();
    Put("ctl.map",
        "/x/ctl::.partition.corvane\t2\tprocess\n"
        "/x/ctl::.partition.corvane\t4\tvariable_assign\n"
        "/x/ctl::.partition.corvane\t4\twait\n");
    Put("src/control.vhd", "a\nb\nc\nd\n");
    Put("run1/ctl::.partition.corvane", "4\n4\n");
    Run_Result r = Run({"-m", "alu.map", "-m", "ctl.map", "-t", "run1", "-o", "out", "alu.vhd", "ctl=src/control.vhd"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected =
        "File             Construct  Kind      Statements  Executed   Cover\n"
        "alu.vhd          p1         process            3         2   66.7%\n"
        "alu.vhd          f          function           1         1  100.0%  last call\n"
        "src/control.vhd  (unnamed)  process            2         2  100.0%\n"
        "Total                                          6         5   83.3%\n"
        "Runs merged: 1\n";
    EXPECT_TRUE(r.out == expected) << Show_Difference(expected, r.out);
    const std::string listing =
        "        -:    0:Source:src/control.vhd\n"
        "        -:    0:Runs:1\n"
        "        -:    1:a\n"
        "        -:    2:b\n"
        "        -:    3:c\n"
        "        2:    4:d\n";
    std::string got = Get("out/control.vhd.gcov");
    EXPECT_TRUE(got == listing) << Show_Difference(listing, got);
    got = Get("out/coverage.info");
    std::string ctl_record = "TN:corvane\nSF:" + fs::canonical(dir).string() +
                             "/src/control.vhd\nFN:2,(unnamed)\nFNDA:2,(unnamed)\nFNF:1\nFNH:1\nDA:4,2\nLF:1\nLH:1\n"
                             "end_of_record\n";
    ASSERT_GE(got.size(), ctl_record.size());
    EXPECT_EQ(got.substr(got.size() - ctl_record.size()), ctl_record);
    // 4 of the 5 distinct statement lines ran.
    got = Get("out/cobertura.xml");
    EXPECT_NE(got.find("<coverage line-rate=\"0.8000\" branch-rate=\"0\" lines-covered=\"4\" lines-valid=\"5\" "),
              std::string::npos) << got;
}

TEST_F(Cover, FailUnder) {
    Two_Runs();
    struct Case {
        const char* limit;
        int status;
        std::string err_end;
    };
    const std::vector<Case> cases = {
        {"75", 0, "(not counted)\n"},
        {"0", 0, "(not counted)\n"},
        {"75.1", 3, "corvane_cover: total statement coverage 75.0% is below 75.1%\n"},
        {"100", 3, "corvane_cover: total statement coverage 75.0% is below 100%\n"},
    };
    for (const Case& c : cases) {
        Run_Result r = Run({"-m", "alu.map", "-t", "run1", "-t", "run2", "--fail-under", c.limit});
        EXPECT_EQ(r.status, c.status) << c.limit;
        EXPECT_EQ(r.out, two_runs_summary) << c.limit;
        ASSERT_GE(r.err.size(), c.err_end.size()) << c.limit;
        EXPECT_EQ(r.err.substr(r.err.size() - c.err_end.size()), c.err_end) << c.limit;
    }
    for (const char* bad : {"101", "-1", "half", ""}) {
        Run_Result r = Run({"-m", "alu.map", "-t", "run1", "--fail-under", bad});
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.out, "") << bad;
        EXPECT_EQ(r.err.rfind("corvane_cover: --fail-under needs a percentage from 0 to 100\n", 0), 0u) << r.err;
    }
}

TEST_F(Cover, MalformedMaps) {
    Put("run/t::p.partition.corvane", "1\n");
    const std::string good = "/d/t::p.partition.corvane\t1\tprocess\n";
    struct Case {
        const char* name;
        std::string second_line;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"two fields", "/d/t::p.partition.corvane\t2\n", "not a statement-map line (three fields separated by tabs)"},
        {"four fields", "/d/t::p.partition.corvane\t2\twait\tx\n",
         "not a statement-map line (three fields separated by tabs)"},
        {"empty line", "\n", "not a statement-map line (three fields separated by tabs)"},
        {"blanks for tabs", "/d/t::p.partition.corvane 2 wait\n",
         "not a statement-map line (three fields separated by tabs)"},
        {"no suffix", "/d/t::p.corvane\t2\twait\n",
         "'/d/t::p.corvane' is not a trace-file name (DIR/DESIGN::NAME.partition.corvane)"},
        {"no design", "/d/::p.partition.corvane\t2\twait\n",
         "'/d/::p.partition.corvane' is not a trace-file name (DIR/DESIGN::NAME.partition.corvane)"},
        {"line zero", "/d/t::p.partition.corvane\t0\twait\n", "'0' is not a line number"},
        {"negative line", "/d/t::p.partition.corvane\t-2\twait\n", "'-2' is not a line number"},
        {"letters", "/d/t::p.partition.corvane\t2a\twait\n", "'2a' is not a line number"},
        {"empty line number", "/d/t::p.partition.corvane\t\twait\n", "'' is not a line number"},
        {"no kind", "/d/t::p.partition.corvane\t2\t\n", "the statement kind is missing"},
    };
    for (const Case& c : cases) {
        Put("bad.map", good + c.second_line);
        Run_Result r = Run({"-m", "bad.map", "-t", "run"});
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err, "corvane_cover: bad.map:2: " + c.message + "\n") << c.name;
    }
}

TEST_F(Cover, MissingInputs) {
    Two_Runs();
    Put("empty/readme.txt", "no traces here\n");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string err_start;
    };
    const std::vector<Case> cases = {
        {"missing map", {"-m", "none.map", "-t", "run1"}, 1,
         "corvane_cover: cannot read the statement map 'none.map'\n"},
        {"missing run folder", {"-m", "alu.map", "-t", "run1", "-t", "nope"}, 1,
         "corvane_cover: the trace folder 'nope' does not exist or is no folder\n"},
        {"a file as run folder", {"-m", "alu.map", "-t", "alu.vhd"}, 1,
         "corvane_cover: the trace folder 'alu.vhd' does not exist or is no folder\n"},
        {"run folder without traces", {"-m", "alu.map", "-t", "empty"}, 1,
         "corvane_cover: the trace folder 'empty' holds no trace file (*.partition.corvane or *::exact.corvane)\n"},
        {"missing source", {"-m", "alu.map", "-t", "run1", "nowhere/alu.vhd"}, 1,
         "corvane_cover: cannot read the source file 'nowhere/alu.vhd'\n"},
        {"no map", {"-t", "run1"}, 2, "corvane_cover: no statement map given (-m)\n"},
        {"no run", {"-m", "alu.map"}, 2, "corvane_cover: no run folder given (-t)\n"},
        {"listing without source", {"-m", "alu.map", "-t", "run1", "-o", "out"}, 2,
         "corvane_cover: design 'alu' has no source file"},
        {"source of no design", {"-m", "alu.map", "-t", "run1", "other.vhd"}, 2,
         "corvane_cover: the source 'other.vhd' belongs to no design of the maps (design 'other')\n"},
        {"unknown option", {"-m", "alu.map", "-t", "run1", "-x"}, 2, "corvane_cover: unknown option '-x'\n"},
        {"one design in two maps", {"-m", "alu.map", "-m", "copy/alu.map", "-t", "run1"}, 2,
         "corvane_cover: design 'alu' is in two maps: 'alu.map' and 'copy/alu.map' (give each design's map once)\n"},
        // Read twice, its statements would count double.
        {"one map twice", {"-m", "alu.map", "-m", "alu.map", "-t", "run1"}, 2,
         "corvane_cover: the statement map 'alu.map' is given twice\n"},
    };
    Put("copy/alu.map", alu_map);
    for (const Case& c : cases) {
        Run_Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
        EXPECT_EQ(r.err.rfind(c.err_start, 0), 0u) << c.name << ": " << r.err;
    }
    EXPECT_FALSE(fs::exists(dir + "/out"));
}

TEST_F(Cover, Collect) {
    Put("traces/alu::p1.partition.corvane", "5\n6\n");
    Put("traces/alu::f.partition.corvane", "12\n");
    Put("traces/notes.txt", "kept\n");
    Run_Result r = Run({"--collect", "traces", "runs/first"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "corvane_cover: moved 2 trace files to runs/first\n");
    EXPECT_EQ(Get("runs/first/alu::p1.partition.corvane"), "5\n6\n");
    EXPECT_EQ(Get("runs/first/alu::f.partition.corvane"), "12\n");
    EXPECT_FALSE(fs::exists(dir + "/runs/first/notes.txt"));
    EXPECT_FALSE(fs::exists(dir + "/traces/alu::p1.partition.corvane"));
    EXPECT_FALSE(fs::exists(dir + "/traces/alu::f.partition.corvane"));
    EXPECT_EQ(Get("traces/notes.txt"), "kept\n");

    // The trace folder is empty of traces now.
    r = Run({"--collect", "traces", "runs/second"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "corvane_cover: the trace folder 'traces' holds no trace file (*.partition.corvane or *::exact.corvane)\n");
    EXPECT_FALSE(fs::exists(dir + "/runs/second"));

    // A run folder that holds something is not mixed into.
    Put("traces/alu::p1.partition.corvane", "5\n");
    r = Run({"--collect", "traces", "runs/first"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "corvane_cover: the run folder 'runs/first' exists and is not empty\n");
    EXPECT_EQ(Get("traces/alu::p1.partition.corvane"), "5\n");
    EXPECT_EQ(Get("runs/first/alu::p1.partition.corvane"), "5\n6\n");

    r = Run({"--collect", "nowhere", "runs/third"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "corvane_cover: the trace folder 'nowhere' does not exist or is no folder\n");
    r = Run({"--collect", "traces"});
    EXPECT_EQ(r.status, 2);

    // The collected folder is a run like any other.
    Put("alu.map", alu_map);
    r = Run({"-m", "alu.map", "-t", "runs/first"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Total                                4         3   75.0%\n"), std::string::npos) << r.out;
}

}  // namespace
