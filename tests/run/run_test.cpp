// corvane_run's parts through its library: the command line, the -f names
// made from the files, the translator's syntax error as a compiler's
// message, the never-run lines of a listing, the run folders, the child
// processes; and --version and --help of every tool.
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "names.h"
#include "options.h"
#include "pipeline.h"
#include "process.h"
#include "run_program.h"

namespace {

namespace fs = std::filesystem;

struct Option_Case {
    const char* what;
    std::vector<std::string> args;
    std::string error;  // empty: accepted
    // What an accepted command line sets, in one line:
    // std sim out tops(unit@stop,...) excludes(...) fail_under jobs files(...) help version
    std::string parsed;
};

std::string Describe(const Options& o) {
    std::string s = std::string(o.standard->name) + " " + o.simulator->name + " " + o.out + " tops(";
    for (const Top& t : o.tops) s += t.unit + "@" + t.stop_time + ",";
    s += ") excludes(";
    for (const std::string& e : o.excludes) s += e + ",";
    s += ") ";
    s += o.fail_under_given ? std::to_string(static_cast<int>(o.fail_under * 10)) : std::string("-");
    s += " " + std::to_string(o.jobs) + " files(";
    for (const std::string& f : o.files) s += f + ",";
    return s + ")";
}

TEST(Options, CommandLines) {
    const std::vector<Option_Case> cases = {
        {"defaults", {"a.vhd"}, "", "87 ghdl corvane-out tops() excludes() - 1 files(a.vhd,)"},
        {"every option, in both forms",
         {"--std", "87", "--sim=ghdl", "-o", "out", "--top", "tb@2us", "--top=tb2", "--exclude", "*_tb.vhd",
          "--exclude=x/*", "--fail-under", "87.5", "-j", "4", "a.vhd", "b.vhd"},
         "",
         "87 ghdl out tops(tb@2us,tb2@,) excludes(*_tb.vhd,x/*,) 875 4 files(a.vhd,b.vhd,)"},
        {"files among the options keep their order",
         {"a.vhd", "--top", "t", "b.vhd", "-j", "2", "c.vhd"},
         "",
         "87 ghdl corvane-out tops(t@,) excludes() - 2 files(a.vhd,b.vhd,c.vhd,)"},
        {"after --, a file may begin with -", {"--", "-x.vhd"}, "", "87 ghdl corvane-out tops() excludes() - 1 files(-x.vhd,)"},
        {"the last -o wins", {"-o", "a", "-o", "b", "f"}, "", "87 ghdl b tops() excludes() - 1 files(f,)"},
        {"stop times", {"--top", "t@1.5ns", "--top", "u@10sec", "--top", "v@3hr", "f"}, "",
         "87 ghdl corvane-out tops(t@1.5ns,u@10sec,v@3hr,) excludes() - 1 files(f,)"},
        {"fail-under 0 and 100", {"--fail-under", "0", "--fail-under", "100", "f"}, "",
         "87 ghdl corvane-out tops() excludes() 1000 1 files(f,)"},
        {"VHDL-2008 on GHDL", {"--std=08", "f"}, "", "08 ghdl corvane-out tops() excludes() - 1 files(f,)"},
        {"NVC with VHDL-87", {"--sim", "nvc", "f"}, "--sim nvc reads VHDL-1993 and later: give --std 93", ""},
        {"VHDL-93 on NVC", {"--std", "93", "--sim", "nvc", "f"}, "", "93 nvc corvane-out tops() excludes() - 1 files(f,)"},
        {"no such version", {"--std", "2019", "f"}, "--std 2019: no such language version (87, 93, 08)", ""},
        {"no such simulator", {"--sim", "modelsim", "f"}, "--sim modelsim: no such simulator (ghdl, nvc)", ""},
        {"no file", {"--top", "t"}, "no FILE given", ""},
        {"a file twice", {"a.vhd", "b.vhd", "a.vhd"}, "the FILE 'a.vhd' is given twice", ""},
        {"unknown option", {"-x", "f"}, "unknown option '-x'", ""},
        {"unknown long option with a value", {"--tops=t", "f"}, "unknown option '--tops=t'", ""},
        {"option without its value", {"f", "--top"}, "--top needs a value", ""},
        {"empty output folder", {"-o", "", "f"}, "-o needs a folder", ""},
        {"jobs 0", {"-j", "0", "f"}, "-j needs a number of jobs from 1 to 9999, not '0'", ""},
        {"jobs not a number", {"-j", "2x", "f"}, "-j needs a number of jobs from 1 to 9999, not '2x'", ""},
        {"jobs too many", {"-j", "10000", "f"}, "-j needs a number of jobs from 1 to 9999, not '10000'", ""},
        {"fail-under above 100", {"--fail-under", "101", "f"}, "--fail-under needs a percentage from 0 to 100, not '101'", ""},
        {"fail-under negative", {"--fail-under", "-1", "f"}, "--fail-under needs a percentage from 0 to 100, not '-1'", ""},
        {"fail-under with a sign", {"--fail-under", "80%", "f"}, "--fail-under needs a percentage from 0 to 100, not '80%'", ""},
        {"fail-under-branches above 100", {"--fail-under-branches=101", "f"},
         "--fail-under-branches needs a percentage from 0 to 100, not '101'", ""},
        {"top not an identifier", {"--top", "work.tb", "f"},
         "--top 'work.tb': the unit must be a VHDL identifier (letters, digits and single underscores)", ""},
        {"top with two underscores", {"--top", "a__b", "f"},
         "--top 'a__b': the unit must be a VHDL identifier (letters, digits and single underscores)", ""},
        {"top beginning with a digit", {"--top", "1tb", "f"},
         "--top '1tb': the unit must be a VHDL identifier (letters, digits and single underscores)", ""},
        {"empty top", {"--top", "@2us", "f"},
         "--top '@2us': the unit must be a VHDL identifier (letters, digits and single underscores)", ""},
        {"stop time without unit", {"--top", "tb@20", "f"},
         "--top 'tb@20': the stop time must be a number and a unit, such as 2us or 150ns (fs, ps, ns, us, ms, sec, "
         "min, hr)",
         ""},
        {"stop time with a blank", {"--top", "tb@20 ns", "f"},
         "--top 'tb@20 ns': the stop time must be a number and a unit, such as 2us or 150ns (fs, ps, ns, us, ms, sec, "
         "min, hr)",
         ""},
        {"stop time in an unknown unit", {"--top", "tb@2s", "f"},
         "--top 'tb@2s': the stop time must be a number and a unit, such as 2us or 150ns (fs, ps, ns, us, ms, sec, "
         "min, hr)",
         ""},
        {"empty stop time", {"--top", "tb@", "f"},
         "--top 'tb@': the stop time must be a number and a unit, such as 2us or 150ns (fs, ps, ns, us, ms, sec, min, "
         "hr)",
         ""},
    };
    for (const Option_Case& c : cases) {
        Options o;
        std::string error;
        bool ok = Parse_Options(c.args, o, error);
        EXPECT_EQ(error, c.error) << c.what;
        EXPECT_EQ(ok, c.error.empty()) << c.what;
        if (ok) {
            EXPECT_EQ(Describe(o), c.parsed) << c.what;
        }
    }
}

TEST(Options, HelpAndVersionEndTheLine) {
    for (const auto& [args, help, version] :
         std::vector<std::tuple<std::vector<std::string>, bool, bool>>{
             {{"--help"}, true, false},
             {{"-h", "--std", "93"}, true, false},  // nothing after it is judged
             {{"--version", "-x"}, false, true},
             {{"a.vhd", "--version", "-h"}, false, true},
         }) {
        Options o;
        std::string error;
        EXPECT_TRUE(Parse_Options(args, o, error)) << args[0] << ": " << error;
        EXPECT_EQ(o.help, help) << args[0];
        EXPECT_EQ(o.version, version) << args[0];
    }
}

TEST(Options, ExcludeIsAGlobOnThePathAsGiven) {
    const std::vector<std::tuple<std::string, std::vector<std::string>, bool>> cases = {
        {"tb/top_tb.vhd", {"*_tb.vhd"}, true},
        {"tb/top_tb.vhd", {"tb/*"}, true},
        {"tb/top_tb.vhd", {"top_tb.vhd"}, false},  // the whole path must match
        {"src/top.vhd", {"*_tb.vhd", "src/t?p.vhd"}, true},
        {"src/top.vhd", {"src/[a-s]*"}, false},
        {"src/top.vhd", {}, false},
    };
    for (const auto& [file, patterns, excluded] : cases) EXPECT_EQ(Excluded(file, patterns), excluded) << file;
}

TEST(Names, OnePerFileUniqueAndAnIdentifier) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{"rtl/alu.vhd", "tb/alu_tb.vhd"}, {"alu", "alu_tb"}},
        {{"ALU.vhd", "x/alu.vhdl", "y/Alu.VHD"}, {"alu", "alu_2", "alu_3"}},
        {{"a/my-design.v2.vhd"}, {"my_design_v2"}},
        {{"__odd__name__.vhd"}, {"odd_name"}},
        {{"9lives.vhd"}, {"f9lives"}},
        {{"___.vhd", "-.vhd"}, {"f", "f_2"}},
        {{"caf\xc3\xa9.vhd"}, {"caf"}},
        {{"noext"}, {"noext"}},
        // A name made with a number does not take the name of a later file.
        {{"a.vhd", "b/a.vhd", "a_2.vhd"}, {"a", "a_2", "a_2_2"}},
    };
    for (const auto& [files, names] : cases) EXPECT_EQ(Design_Names(files), names) << files[0];
}

struct Error_Case {
    const char* what;
    std::string report;
    std::vector<std::string> source;
    std::string message;
};

std::string Report(const std::string& token, int line, int column) {
    return "\nERROR:'parse error' in your Source Code!!!!\nString:(" + token + ") Line:" + std::to_string(line) +
           " Column:" + std::to_string(column) + "\n";
}

TEST(Names, SyntaxErrorAsCompilerMessage) {
    const std::vector<Error_Case> cases = {
        {"a one-character token", Report(";", 2, 13), {"x", "    x := 1 +;"}, "f.vhd:2:13: parse error at ';'"},
        {"the column past a longer token becomes its first",
         Report("baz", 1, 23),
         {"    x := 1 + foobar baz;"},
         "f.vhd:1:21: parse error at 'baz'"},
        {"a tab takes the reading to the next multiple of 8",
         Report("baz", 1, 27),
         {"\tx := 1 + foobar baz;"},
         "f.vhd:1:18: parse error at 'baz'"},
        {"the occurrence that ends at the column", Report("a", 1, 5), {"a + a;"}, "f.vhd:1:5: parse error at 'a'"},
        {"end of file", Report("", 5, 0), {"a", "b", "c", "d"}, "f.vhd:5:0: parse error at end of file"},
        {"a token not found on its line keeps the column", Report("\"", 9, 10), {"x"},
         "f.vhd:9:10: parse error at '\"'"},
        {"a token holding a parenthesis", Report(")", 1, 3), {"f()"}, "f.vhd:1:3: parse error at ')'"},
        {"not a report", "parse error\n", {"x"}, ""},
        {"a report with something after it", Report(";", 1, 1) + "more\n", {";"}, ""},
        {"no column", "\nERROR:'parse error' in your Source Code!!!!\nString:(;) Line:1\n", {";"}, ""},
    };
    for (const Error_Case& c : cases) EXPECT_EQ(Syntax_Error_Message("f.vhd", c.report, c.source), c.message) << c.what;
}

TEST(Names, NeverRunLinesOfAListing) {
    const std::string listing =
        "        -:    0:Source:d/counter.vhd\n"
        "        -:    0:Runs:1\n"
        "        -:   17:      elsif down = '1' then\n"
        "    #####:   18:        n := n - 1;\n"
        "branch  0 taken 0\n"
        "        4:   20:      value <= n;\n"
        "    #####:  120:\tx := 1; -- a: b\n"
        "    #####:  121:\n";
    EXPECT_EQ(Never_Run_Lines("d/counter.vhd", listing),
              (std::vector<std::string>{"d/counter.vhd:18: n := n - 1;", "d/counter.vhd:120: x := 1; -- a: b",
                                        "d/counter.vhd:121: "}));
    EXPECT_TRUE(Never_Run_Lines("f", "        1:    3:x;\n        -:    4:\n").empty());
}

TEST(Runs, NumbersOfTheRunFolders) {
    std::string dir = Make_Temporary_Directory();
    EXPECT_TRUE(Run_Numbers(dir + "/missing").empty());
    for (const char* name : {"1", "2", "10", "07", "x3", "3x", "", "0"})
        if (*name) fs::create_directory(dir + "/" + name);
    Write_File(dir + "/4", "a file, not a run folder");
    EXPECT_EQ(Run_Numbers(dir), (std::vector<long>{1, 2, 10}));
    fs::remove_all(dir);
}

Command Shell(const std::string& script, const std::string& output) {
    Command c;
    c.program = "/bin/sh";
    c.args = {"-c", script};
    c.output = output;
    return c;
}

TEST(Processes, OneCommandItsStreamsFolderAndStatus) {
    std::string dir = Make_Temporary_Directory();
    Write_File(dir + "/in", "from standard input\n");
    fs::create_directory(dir + "/sub");
    std::vector<Task> tasks(5);
    tasks[0].commands = {Shell("cat; echo to-error >&2; exit 3", dir + "/out0")};
    tasks[0].commands[0].input = dir + "/in";
    tasks[1].commands = {Shell("echo out; echo err >&2", dir + "/out1")};
    tasks[1].commands[0].error = dir + "/err1";
    tasks[2].commands = {Shell("pwd; kill -TERM $$", dir + "/out2")};
    tasks[2].commands[0].cwd = dir + "/sub";
    tasks[3].commands = {Command{"no-such-program-of-corvane", {}, "", "", dir + "/out3", ""}};
    tasks[4].commands = {Shell("cat", dir + "/out4")};  // no input: reads /dev/null
    std::vector<size_t> started, done;
    Run_Tasks(tasks, 1, true, [&](size_t i) { started.push_back(i); }, [&](size_t i) { done.push_back(i); });
    EXPECT_EQ(started, (std::vector<size_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(done, (std::vector<size_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(tasks[0].outcomes.at(0).status, 3);
    EXPECT_EQ(Read_File(dir + "/out0"), "from standard input\nto-error\n");
    EXPECT_EQ(tasks[1].outcomes.at(0).status, 0);
    EXPECT_TRUE(tasks[1].Succeeded());
    EXPECT_EQ(Read_File(dir + "/out1"), "out\n");
    EXPECT_EQ(Read_File(dir + "/err1"), "err\n");
    EXPECT_EQ(tasks[2].outcomes.at(0).status, 128 + 15);
    EXPECT_EQ(Read_File(dir + "/out2"), fs::canonical(dir + "/sub").string() + "\n");
    EXPECT_EQ(tasks[3].outcomes.at(0).status, -1);
    EXPECT_EQ(tasks[3].outcomes.at(0).failure, "cannot run no-such-program-of-corvane: No such file or directory");
    EXPECT_EQ(tasks[4].outcomes.at(0).status, 0);
    EXPECT_EQ(Read_File(dir + "/out4"), "");
    fs::remove_all(dir);
}

TEST(Processes, ATaskStopsAtItsFirstFailingCommand) {
    std::string dir = Make_Temporary_Directory();
    std::vector<Task> tasks(1);
    tasks[0].commands = {Shell("echo one", dir + "/1"), Shell("exit 1", dir + "/2"), Shell("echo three", dir + "/3")};
    Run_Tasks(tasks, 1, false, [](size_t) {}, [](size_t) {});
    ASSERT_EQ(tasks[0].outcomes.size(), 2u);
    EXPECT_EQ(tasks[0].outcomes[0].status, 0);
    EXPECT_EQ(tasks[0].outcomes[1].status, 1);
    EXPECT_FALSE(tasks[0].Succeeded());
    EXPECT_FALSE(fs::exists(dir + "/3"));
    fs::remove_all(dir);
}

TEST(Processes, AfterAFailureNoTaskStartsUnlessKeepGoing) {
    std::string dir = Make_Temporary_Directory();
    for (bool keep_going : {false, true}) {
        std::vector<Task> tasks(3);
        tasks[0].commands = {Shell("exit 0", dir + "/a")};
        tasks[1].commands = {Shell("exit 2", dir + "/b")};
        tasks[2].commands = {Shell("exit 0", dir + "/c")};
        std::vector<size_t> done;
        Run_Tasks(tasks, 1, keep_going, [](size_t) {}, [&](size_t i) { done.push_back(i); });
        const std::vector<size_t> expected = keep_going ? std::vector<size_t>{0, 1, 2} : std::vector<size_t>{0, 1};
        EXPECT_EQ(done, expected) << keep_going;
        EXPECT_EQ(tasks[2].outcomes.size(), keep_going ? 1u : 0u);
    }
    fs::remove_all(dir);
}

// The first task waits (for at most about 20 s) for a file that only the
// second one makes: it succeeds only when both run at once.
TEST(Processes, JobsRunAtOnce) {
    std::string dir = Make_Temporary_Directory();
    for (int jobs : {1, 2}) {
        fs::remove(dir + "/flag");
        std::vector<Task> tasks(2);
        int limit = jobs == 1 ? 20 : 2000;  // the run with one job fails, quickly
        tasks[0].commands = {Shell("i=0; while [ ! -e " + dir + "/flag ]; do i=$((i + 1)); [ $i -gt " +
                                       std::to_string(limit) + " ] && exit 1; sleep 0.01; done",
                                   dir + "/wait")};
        tasks[1].commands = {Shell("touch " + dir + "/flag", dir + "/touch")};
        std::vector<size_t> started;
        Run_Tasks(tasks, jobs, true, [&](size_t i) { started.push_back(i); }, [](size_t) {});
        EXPECT_EQ(tasks[0].outcomes.at(0).status, jobs == 1 ? 1 : 0) << jobs;
        EXPECT_EQ(tasks[1].outcomes.at(0).status, 0) << jobs;
        EXPECT_EQ(started, (std::vector<size_t>{0, 1})) << jobs;
    }
    fs::remove_all(dir);
}

TEST(Processes, FindAProgramInAFolderThenOnPath) {
    std::string dir = Make_Temporary_Directory();
    Write_File(dir + "/tool", "#!/bin/sh\n");
    Write_File(dir + "/plain", "not executable");
    chmod((dir + "/tool").c_str(), 0755);
    EXPECT_EQ(Find_Program("tool", dir), dir + "/tool");
    EXPECT_EQ(Find_Program("plain", dir), "");
    EXPECT_EQ(Find_Program("sh", dir), Find_Program("sh", ""));
    EXPECT_NE(Find_Program("sh", ""), "");
    EXPECT_EQ(Find_Program("no-such-program-of-corvane", dir), "");
    fs::remove_all(dir);
}

struct Tool_Case {
    std::string program, name;
    std::vector<std::string> options;  // every option the help must list
};

TEST(Tools, VersionAndEveryOptionInTheHelp) {
    const std::vector<Tool_Case> tools = {
        {CORVANE_BINARY, "corvane", {"-f", "-d", "-m", "-a", "--exact", "-h, --help", "--version"}},
        {CORVANE_VIRU, "corvane_viru", {"-h, --help", "--version"}},
        {CORVANE_COVER, "corvane_cover", {"-m", "-t", "-o", "--fail-under", "--collect", "-h, --help", "--version"}},
        {CORVANE_RUN, "corvane_run",
         {"--std", "--sim", "-o", "--top", "--exclude", "--fail-under", "-j", "-h, --help", "--version"}},
    };
    for (const Tool_Case& t : tools) {
        Run_Result version = Run_Program(t.program, {"--version"}, "");
        EXPECT_EQ(version.status, 0) << t.name;
        EXPECT_EQ(version.out, t.name + " " + CORVANE_VERSION + "\n") << t.name;
        Run_Result help = Run_Program(t.program, {"--help"}, "");
        EXPECT_EQ(help.status, 0) << t.name;
        for (const std::string& option : t.options)
            EXPECT_NE(help.out.find("  " + option + " "), std::string::npos) << t.name << " does not list " << option;
    }
}

}  // namespace
