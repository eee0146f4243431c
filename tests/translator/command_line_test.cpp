// The translator as a user runs it: options, the usage text, exit statuses,
// the syntax-error report and a standard output that cannot be written.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run_program.h"

namespace {

const std::string usage = std::string("\nOptions:  corvane [< vhdl_file] [> out_file]") + "\n" +
                          std::string(45, '-') + "\n  -f <filename> : filename of the 'vhdl_file'" +
                          "\n  -d <directory> : directory for the *.da files" +
                          "\n  -m <map> : also write the statement map to <map>" +
                          "\n  -a : accumulation mode: a subprogram's trace holds all its calls" +
                          "\n  --exact : exact mode: one trace file per design file, exact counts" +
                          "\n  --std=87|93|08 : the design's VHDL (default 87); 93 and 08 are exact mode" +
                          "\n  -h, --help : print this text" + "\n  --version : print the version" + "\n\n";

// A process labelled p1: its line-trace file name shows the -d and -f values.
const std::string design =
    "architecture a of e is\n"
    "begin\n"
    "  p1: process\n"
    "  begin\n"
    "    wait;\n"
    "  end process p1;\n"
    "end a;\n";

std::string Echo(const std::vector<std::string>& args) {
    std::string s;
    for (size_t i = 0; i < args.size(); i++) s += "(" + std::to_string(i + 1) + "): " + args[i] + "\n";
    return s;
}

std::string Report(const std::string& message, const std::string& text, int line, int column) {
    return "\nERROR:'" + message + "' in your Source Code!!!!\nString:(" + text + ") Line:" + std::to_string(line) +
           " Column:" + std::to_string(column) + "\n";
}

struct Option_Case {
    std::vector<std::string> args;
    std::string trace_file;  // expected in the output
};

void PrintTo(const Option_Case& c, std::ostream* os) { *os << testing::PrintToString(c.args); }

class Options : public testing::TestWithParam<Option_Case> {};

TEST_P(Options, NameTheTraceFile) {
    const Option_Case& c = GetParam();
    Run_Result r = Run_Program(CORVANE_BINARY, c.args, design);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, Echo(c.args));
    EXPECT_EQ(r.out.rfind("USE STD.TEXTIO.ALL;", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("FILE outfile1 : TEXT IS OUT \"" + c.trace_file + "\";"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("partition.corvane"), r.out.rfind("partition.corvane")) << "one trace file";
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, Options,
    testing::Values(Option_Case{{}, "/tmp//test::p1.partition.corvane"},
                    Option_Case{{"-f", "a", "-f", "b"}, "/tmp//b::p1.partition.corvane"},
                    Option_Case{{"-d", "/x/", "-f", "y"}, "/x//y::p1.partition.corvane"},
                    Option_Case{{"-d", "/one", "-d", "two"}, "two/test::p1.partition.corvane"},
                    Option_Case{{"-F", "x"}, "/tmp//test::p1.partition.corvane"},
                    Option_Case{{"-fname", "-help", "-H", "-"}, "/tmp//test::p1.partition.corvane"},
                    Option_Case{{"-f", "-d"}, "/tmp//-d::p1.partition.corvane"},
                    Option_Case{{"-f", "-h"}, "/tmp//-h::p1.partition.corvane"},
                    Option_Case{{"-d", "--help"}, "--help/test::p1.partition.corvane"},
                    Option_Case{{"-f"}, "/tmp//test::p1.partition.corvane"},
                    Option_Case{{"-d"}, "/tmp//test::p1.partition.corvane"},
                    Option_Case{{"-f", "n", "-d"}, "/tmp//n::p1.partition.corvane"}));

// With the usage text the run ends there; the design is never looked at.
TEST(Usage, IsPrintedByteForByte) {
    const std::vector<std::vector<std::string>> runs = {
        {"-h"}, {"--help"}, {"-h", "extra"}, {"-f", "a", "-h"}, {"-x", "--help", "-f", "b"}, {"-h", "-f"},
    };
    for (const auto& args : runs) {
        Run_Result r = Run_Program(CORVANE_BINARY, args, "this is ; not vhdl");
        EXPECT_EQ(r.status, 0) << args[0];
        EXPECT_EQ(r.out, usage);
        EXPECT_EQ(r.err, Echo(args));
    }
}

// Runs the translator with files for its standard streams; the status as
// a shell reports it.
// A negative out_fd opens out_path instead.
int Run_With_Files(const std::vector<std::string>& args, int in, const std::string& out_path,
                   const std::string& err_path, int out_fd = -1) {
    pid_t pid = fork();
    if (pid == 0) {
        int out = out_fd >= 0 ? out_fd : open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv{const_cast<char*>(CORVANE_BINARY)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(CORVANE_BINARY, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(Usage, StandardInputIsNotRead) {
    std::string dir = Make_Temporary_Directory();
    Write_File(dir + "/in.vhd", "entity e is end e;\n");
    for (bool help : {true, false}) {
        // The child shares the open file, so its offset shows how far it read.
        int in = open((dir + "/in.vhd").c_str(), O_RDONLY);
        ASSERT_GE(in, 0);
        std::vector<std::string> args;
        if (help) args = {"-h"};
        EXPECT_EQ(Run_With_Files(args, in, dir + "/out", dir + "/err"), 0);
        off_t offset = lseek(in, 0, SEEK_CUR);
        close(in);
        if (help) {
            EXPECT_EQ(offset, 0);
            EXPECT_EQ(Read_File(dir + "/out"), usage);
        } else {
            EXPECT_GT(offset, 0) << "the control run reads its input";
        }
    }
}

struct Error_Case {
    std::string what;
    std::string input;
    std::string report;
    int status;
};

void PrintTo(const Error_Case& c, std::ostream* os) { *os << c.what; }

class Syntax_Errors : public testing::TestWithParam<Error_Case> {};

TEST_P(Syntax_Errors, PrintOnlyTheReport) {
    const Error_Case& c = GetParam();
    Run_Result r = Run_Program(CORVANE_BINARY, {}, c.input);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.report);
    EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Reports, Syntax_Errors,
    testing::Values(
        Error_Case{"empty input", "", Report("parse error", "", 1, 0), 1},
        Error_Case{"only line feeds and a comment", "\n\n-- nothing here", Report("parse error", "", 3, 0), 1},
        Error_Case{"labelled signal assignment",
                   "architecture a of e is\nbegin\n  process\n  begin\n    l: x := 1;\n  end process;\nend a;\n",
                   Report("parse error", "x", 5, 8), 1},
        Error_Case{"fourth unit in error",
                   "entity a is end a;\nentity b is end b;\nentity c is end c;\nentity d is end d d;\n",
                   Report("parse error", "d", 4, 19), 1},
        Error_Case{"end of input inside a unit", "entity a is\n", Report("parse error", "", 2, 0), 1},
        Error_Case{"literal with capitals, folded in the report", "entity E is end 'A';",
                   Report("parse error", "'a'", 1, 19), 1},
        Error_Case{"string with capitals", "entity E is end \"AB\"\"C\";",
                   Report("parse error", "\"ab\"\"c\"", 1, 23), 1}));

std::string Nested_Design(int depth) {
    return "architecture a of e is\nbegin\n  process\n  begin\n    x := " + std::string(depth, '(') + "0" +
           std::string(depth, ')') + ";\n  end process;\nend a;\n";
}

TEST(ParserStack, DeepNestingOverflows) {
    Run_Result r = Run_Program(CORVANE_BINARY, {}, Nested_Design(10000));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "");
    // The overflow comes while the parser shifts one of the parentheses of line 5.
    const std::string head = Report("parser stack overflow", "(", 5, 0);
    const std::string prefix = head.substr(0, head.find("Column:") + 7);
    ASSERT_EQ(r.out.substr(0, prefix.size()), prefix) << r.out;
    std::string number = r.out.substr(prefix.size());
    ASSERT_FALSE(number.empty());
    EXPECT_EQ(number.back(), '\n');
    number.pop_back();
    ASSERT_FALSE(number.empty());
    EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << number;
    int column = std::stoi(number);
    EXPECT_GT(column, 9);
    EXPECT_LE(column, 9 + 10000);
}

TEST(ParserStack, ThousandParenthesesAreAccepted) {
    Run_Result r = Run_Program(CORVANE_BINARY, {}, Nested_Design(1000));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("USE STD.TEXTIO.ALL;", 0), 0u);
    EXPECT_NE(r.out.find(std::string(1000, '(') + "0" + std::string(1000, ')')), std::string::npos);
}

TEST(Accepted, DesignEndingInACommentWithoutLineFeed) {
    Run_Result r = Run_Program(CORVANE_BINARY, {}, "entity e is end e; -- the last line");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("USE STD.TEXTIO.ALL;", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find("last"), std::string::npos) << r.out;
}

// A standard output that refuses every byte must not end as a success.
TEST(Output, UnwritableStandardOutputIsAFailure) {
    std::string dir = Make_Temporary_Directory();
    Write_File(dir + "/design.vhd", design);
    Write_File(dir + "/empty.vhd", "");
    struct Case {
        std::vector<std::string> args;
        std::string input;
    };
    const Case cases[] = {{{}, "design.vhd"}, {{"-h"}, "design.vhd"}, {{}, "empty.vhd"}};
    for (const Case& c : cases) {
        int in = open((dir + "/" + c.input).c_str(), O_RDONLY);
        ASSERT_GE(in, 0);
        int status = Run_With_Files(c.args, in, "/dev/full", dir + "/err");
        close(in);
        EXPECT_NE(status, 0) << c.input;
        EXPECT_LT(status, 128) << "ended by a signal";
        std::string err = Read_File(dir + "/err");
        EXPECT_GT(err.size(), Echo(c.args).size()) << c.input << ": " << err;
    }
}

// The message names the cause, and the status is 3 whatever the parse gave:
// a design, a usage text or a report that did not arrive is no result.
TEST(Output, WriteFailureIsReportedWithStatusThree) {
    std::string dir = Make_Temporary_Directory();
    std::string large = "architecture a of e is\nbegin\n";
    // Far more than the 64 KiB that standard output buffers.
    for (int i = 0; i < 2000; i++) large += "p" + std::to_string(i) + ": process begin wait; end process;\n";
    large += "end a;\n";
    Write_File(dir + "/design.vhd", design);
    Write_File(dir + "/large.vhd", large);
    Write_File(dir + "/error.vhd", "entity e is end e e;\n");
    const std::string no_space = "corvane: cannot write to standard output: No space left on device\n";
    const std::string broken_pipe = "corvane: cannot write to standard output: Broken pipe\n";
    struct Case {
        std::vector<std::string> args;
        std::string input;
        bool pipe_without_reader;  // else /dev/full
        std::string message;
    };
    const Case cases[] = {
        {{}, "design.vhd", false, no_space},  {{}, "large.vhd", false, no_space},
        {{}, "error.vhd", false, no_space},   {{"-h"}, "design.vhd", false, no_space},
        {{}, "design.vhd", true, broken_pipe}, {{}, "large.vhd", true, broken_pipe},
        {{}, "error.vhd", true, broken_pipe},  {{"--help"}, "design.vhd", true, broken_pipe},
    };
    for (const Case& c : cases) {
        int in = open((dir + "/" + c.input).c_str(), O_RDONLY);
        ASSERT_GE(in, 0);
        int out = -1;
        if (c.pipe_without_reader) {
            int ends[2];
            ASSERT_EQ(pipe(ends), 0);
            close(ends[0]);
            out = ends[1];
        }
        int status = Run_With_Files(c.args, in, "/dev/full", dir + "/err", out);
        close(in);
        if (out >= 0) close(out);
        EXPECT_EQ(status, 3) << c.input;
        EXPECT_EQ(Read_File(dir + "/err"), Echo(c.args) + c.message) << c.input;
    }
}

// A standard input that cannot be read is no design: nothing is printed, not
// even a parse error report, and the run ends with status 3.
TEST(Input, ReadFailureIsReportedWithStatusThree) {
    std::string dir = Make_Temporary_Directory();
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, std::vector<std::string>{"-f", "x"}}) {
        int in = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(in, 0);
        int status = Run_With_Files(args, in, dir + "/out", dir + "/err");
        close(in);
        EXPECT_EQ(status, 3);
        EXPECT_EQ(Read_File(dir + "/out"), "");
        EXPECT_EQ(Read_File(dir + "/err"), Echo(args) + "corvane: cannot read standard input: Is a directory\n");
    }
}

}  // namespace

// Exact mode: the -f name becomes the package name corvane_NAME and the trace
// path a VHDL string; what cannot become one is a usage error.
struct Exact_Name_Case {
    std::vector<std::string> args;
    int status;
    std::string expected;  // standard error's last line, or a text of the output
};

TEST(ExactMode, NamesThePackageAndTheTraceOrRefuses) {
    const std::string refusal = "' cannot be made a VHDL identifier: in exact mode the package of the counts is named "
                                "corvane_NAME, so NAME must be letters, digits and single underscores, beginning "
                                "and ending with a letter or digit\n";
    const std::vector<Exact_Name_Case> cases = {
        {{"--exact"}, 0, "package corvane_test is"},
        {{"--exact", "-f", "Top_Level2"}, 0, "package corvane_top_level2 is"},
        {{"--exact", "-f", "9lives"}, 0, "use work.corvane_9lives.all; entity e"},
        {{"--exact", "-d", "/x", "-f", "u"}, 0, "file trace : text is out \"/x/u::exact.corvane\";"},
        {{"--exact", "-d", "/a\"b"}, 0, "file trace : text is out \"/a\"\"b/test::exact.corvane\";"},
        {{"--exact", "-f", "a-b"}, 2, "corvane: the -f name 'a-b" + refusal},
        {{"--exact", "-f", "my.design"}, 2, "corvane: the -f name 'my.design" + refusal},
        {{"--exact", "-f", "_a"}, 2, "corvane: the -f name '_a" + refusal},
        {{"--exact", "-f", "a_"}, 2, "corvane: the -f name 'a_" + refusal},
        {{"--exact", "-f", "a__b"}, 2, "corvane: the -f name 'a__b" + refusal},
        {{"--exact", "-f", ""}, 2, "corvane: the -f name '" + refusal},
        {{"--exact", "-d", "/a\tb"}, 2,
         "corvane: the trace path '/a\tb/test::exact.corvane' holds a control character, which no VHDL string can\n"},
        // Without --exact any name goes, as it always did.
        {{"-f", "a-b"}, 0, "a-b::p.partition.corvane"},
    };
    for (const Exact_Name_Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        Run_Result r = Run_Program(CORVANE_BINARY, c.args, "entity e is end e;\narchitecture a of e is begin p: process begin wait; end process; end a;\n");
        EXPECT_EQ(r.status, c.status);
        if (c.status == 0) {
            EXPECT_NE(r.out.find(c.expected), std::string::npos) << r.out;
        } else {
            EXPECT_EQ(r.out, "") << "nothing of the design is printed";
            EXPECT_EQ(r.err, Echo(c.args) + c.expected);
        }
    }
}

// In exact mode a character that begins no token is a syntax error at that
// character, never skipped: "a ?= b" must not become "a = b". Carriage
// returns, form feeds and vertical tabs separate tokens as blanks do, and any
// character goes in comments and literals.
TEST(ExactMode, ACharacterThatBeginsNoTokenIsASyntaxError) {
    const std::string head = "architecture a of e is\nbegin\n  p: process begin\n";
    const std::string tail = "  end process;\nend a;\n";
    const std::vector<Error_Case> cases = {
        {"a matching operator", head + "    x := a ?= b;\n" + tail, Report("parse error", "?", 4, 12), 1},
        {"a bracket", head + "    x := y[1];\n" + tail, Report("parse error", "[", 4, 11), 1},
        {"a backtick", head + "    `x := 1;\n" + tail, Report("parse error", "`", 4, 5), 1},
        {"a NUL byte", head + "    x := 1;" + std::string(1, '\0') + "\n" + tail,
         Report("parse error", "", 4, 12), 1},
        {"a Latin-1 letter", head + "    x := \xe9;\n" + tail, Report("parse error", "\xe9", 4, 10), 1},
        {"carriage returns and a form feed", head + "    x := 1;\r\n\f    y := \"[?]\"; -- ?`\r\n" + tail, "", 0},
    };
    for (const Error_Case& c : cases) {
        SCOPED_TRACE(c.what);
        Run_Result r = Run_Program(CORVANE_BINARY, {"--exact", "-f", "t"}, c.input);
        EXPECT_EQ(r.status, c.status);
        if (c.status == 0)
            EXPECT_EQ(r.out.rfind("use std.textio.all; package corvane_t is", 0), 0u) << r.out;
        else
            EXPECT_EQ(r.out, c.report);
    }
}
