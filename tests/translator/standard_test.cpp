// The language standard (--std): 87 is the default and changes nothing, 93
// is exact mode written in VHDL-93 and parsed by the grammar generated from
// vhdl.y, 08 is exact mode parsed by the grammar generated from vhdl.y, the
// 93 edits and the 2008 edits; any other value is a usage error. The 87 and
// 93 grammars' automata and token codes are checked against the bison
// reports, so that the edits of a later standard can never move them.
#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "golden_cases.h"
#include "run_program.h"

namespace {

std::string Echo(const std::vector<std::string>& args) {
    std::string s;
    for (size_t i = 0; i < args.size(); i++) s += "(" + std::to_string(i + 1) + "): " + args[i] + "\n";
    return s;
}

std::string Replace_All(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

bool In_93(const Golden_Case& c) { return std::find(c.args.begin(), c.args.end(), "--std=93") != c.args.end(); }
bool In_08(const Golden_Case& c) { return std::find(c.args.begin(), c.args.end(), "--std=08") != c.args.end(); }

// The golden cases of 87 or of 93 (the 2008 ones are neither).
std::vector<Golden_Case> Cases(bool vhdl93 = false) {
    std::vector<Golden_Case> cases;
    for (const Golden_Case& c : Load_Golden_Cases(GOLDEN_DIR))
        if (In_93(c) == vhdl93 && !In_08(c)) cases.push_back(c);
    return cases;
}

// --std=87, wherever it stands among the options, changes nothing of any
// golden case: output, status, error report.
TEST(Standard87, IsTheDefault) {
    for (const Golden_Case& c : Cases()) {
        std::string input = Read_File(GOLDEN_DIR "/cases/" + c.name + ".vhd");
        Run_Result plain = Run_Program(CORVANE_BINARY, c.args, input);
        for (bool first : {true, false}) {
            std::vector<std::string> args = c.args;
            args.insert(first ? args.begin() : args.end(), "--std=87");
            Run_Result r = Run_Program(CORVANE_BINARY, args, input);
            EXPECT_EQ(r.status, plain.status) << c.name;
            EXPECT_TRUE(r.out == plain.out) << c.name << Show_Difference(plain.out, r.out);
        }
    }
}

// The words by which the package of the counts differs between the two
// standards: the functions that write the trace are impure in 93, and the
// trace file is opened the 93 way.
std::string As_87_Package(const std::string& out) {
    std::string s = Replace_All(out, "impure function corvane_", "function corvane_");
    return Replace_All(s, ": text open write_mode is \"", ": text is out \"");
}

const std::set<std::string> words_93 = {"group",  "impure", "inertial", "literal", "postponed", "pure",
                                        "reject", "rol",    "ror",      "shared",  "sla",       "sll",
                                        "sra",    "srl",    "unaffected", "xnor"};

// A syntax error whose token is one of the words a newer standard reserves.
void Expect_Reserved_Word_Refused(const Run_Result& r, const std::set<std::string>& words, const std::string& name) {
    std::smatch m;
    ASSERT_TRUE(std::regex_search(r.out, m, std::regex(R"(String:\(([a-z_]+)\))"))) << r.out;
    EXPECT_TRUE(words.count(m[1])) << name << ": " << r.out;
}

// Every golden design that exact mode accepts is read by the 93 parser into
// the same text, but for those that name something with a word 93 reserves:
// only the package's 93 words differ.
TEST(Standard93, ReadsTheGoldenDesignsAsExactModeDoes) {
    int compared = 0;
    for (const Golden_Case& c : Cases()) {
        if (c.status != 0) continue;
        std::string input = Read_File(GOLDEN_DIR "/cases/" + c.name + ".vhd");
        Run_Result exact = Run_Program(CORVANE_BINARY, {"--exact", "-f", "g", "-d", "/sim"}, input);
        if (exact.status != 0) continue;
        Run_Result r = Run_Program(CORVANE_BINARY, {"--std=93", "-f", "g", "-d", "/sim"}, input);
        if (r.status == 1) {
            // A design that names something with a word that 93 reserves.
            Expect_Reserved_Word_Refused(r, words_93, c.name);
            continue;
        }
        EXPECT_EQ(r.status, 0) << c.name;
        EXPECT_EQ(r.out.find("function corvane_g_ran (l, k : integer) return boolean;"),
                  r.out.find("impure function corvane_g_ran (l, k : integer) return boolean;") + 7)
            << c.name;
        EXPECT_NE(r.out.find("file trace : text open write_mode is \"/sim/g::exact.corvane\";"), std::string::npos);
        std::string as_87 = As_87_Package(r.out);
        EXPECT_TRUE(as_87 == exact.out) << c.name << Show_Difference(exact.out, as_87);
        compared++;
    }
    EXPECT_GT(compared, 20);
}

const std::set<std::string> words_08 = {"assume", "assume_guarantee", "context", "cover", "default", "fairness",
                                        "force", "parameter", "property", "protected", "release", "restrict",
                                        "restrict_guarantee", "sequence", "strong", "vmode", "vprop", "vunit"};

// An exact-mode output of -f g without the package of the counts, which
// differs between the standards: its declaration in front of the design on
// line 1, and its body after the design.
std::string The_Design(const std::string& out) {
    const std::string package_end = "end corvane_g; ";
    size_t start = out.find(package_end);
    size_t body = out.rfind("\npackage body corvane_g is ");
    if (start == std::string::npos || body == std::string::npos || body < start) return out;
    start += package_end.size();
    return out.substr(start, body - start);
}

// Every golden design that --std=93 accepts, of either standard's cases, is
// read by the 2008 parser into the same design text (the package of the
// counts aside), but for those that name something with a word 2008
// reserves.
TEST(Standard08, ReadsTheDesignsOf93As93ModeDoes) {
    int compared = 0, refused = 0;
    for (const Golden_Case& c : Load_Golden_Cases(GOLDEN_DIR)) {
        std::string input = Read_File(GOLDEN_DIR "/cases/" + c.name + ".vhd");
        Run_Result r93 = Run_Program(CORVANE_BINARY, {"--std=93", "-f", "g", "-d", "/sim"}, input);
        if (r93.status != 0) continue;
        Run_Result r = Run_Program(CORVANE_BINARY, {"--std=08", "-f", "g", "-d", "/sim"}, input);
        if (r.status == 1) {
            Expect_Reserved_Word_Refused(r, words_08, c.name);
            refused++;
            continue;
        }
        EXPECT_EQ(r.status, 0) << c.name;
        std::string design = The_Design(r.out), design93 = The_Design(r93.out);
        EXPECT_TRUE(design == design93) << c.name << Show_Difference(design93, design);
        compared++;
    }
    EXPECT_GT(compared, 40);
    EXPECT_LT(refused, 3);
}

// The output of "entity e is end e;" in exact mode: the package, then the
// design on the first line; the package body, which opens the trace in the
// 93 way, on the lines after it.
void Expect_Design_Then_Package_Body(const std::string& out) {
    std::string first = out.substr(0, out.find('\n'));
    const std::string tail = "end corvane_test; use work.corvane_test.all; entity e is end e;";
    EXPECT_EQ(first.substr(first.size() - std::min(first.size(), tail.size())), tail) << out;
    EXPECT_EQ(out.find("\npackage body corvane_test is file trace : text open write_mode is"), first.size()) << out;
}

TEST(Standard08, ImpliesExactModeAndItsNames) {
    const std::string design = "entity e is end e;\n";
    Run_Result r = Run_Program(CORVANE_BINARY, {"--std=08"}, design);
    EXPECT_EQ(r.status, 0);
    // The package of the counts is the 93 one, and its functions that take a
    // condition also take a std_ulogic or bit one, as 2008 conditions do.
    const std::string ieee = "library ieee; use ieee.std_logic_1164.all; ";
    EXPECT_EQ(r.out.rfind(ieee + "use std.textio.all; package corvane_test is ", 0), 0u) << r.out;
    Expect_Design_Then_Package_Body(r.out);
    std::string vhdl93 = Run_Program(CORVANE_BINARY, {"--std=93"}, design).out;
    for (const char* type : {"std_ulogic", "bit"})
        for (const char* f : {"ran", "arm"}) {
            std::string head = std::string(" impure function corvane_test_") + f + " (l, k : integer; c : " + type +
                               ") return boolean";
            EXPECT_NE(r.out.find(head + ";"), std::string::npos) << head;
            EXPECT_NE(r.out.find(head + " is begin return corvane_test_" + f + " (l, k, ?? c);"), std::string::npos)
                << head;
            EXPECT_EQ(vhdl93.find(head), std::string::npos) << head;
        }
    std::vector<std::string> args = {"--std=08", "-f", "two words"};
    r = Run_Program(CORVANE_BINARY, args, design);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind(Echo(args) + "corvane: the -f name 'two words' cannot be made a VHDL identifier", 0), 0u)
        << r.err;
}

TEST(Standard93, ImpliesExactModeAndItsNames) {
    const std::string design = "entity e is end e;\n";
    Run_Result r = Run_Program(CORVANE_BINARY, {"--std=93"}, design);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("use std.textio.all; package corvane_test is ", 0), 0u) << r.out;
    Expect_Design_Then_Package_Body(r.out);
    // The -f name must make a package name, as with --exact.
    std::vector<std::string> args = {"--std=93", "-f", "two words"};
    r = Run_Program(CORVANE_BINARY, args, design);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind(Echo(args) + "corvane: the -f name 'two words' cannot be made a VHDL identifier", 0), 0u)
        << r.err;
}

// Any other standard is a usage error: a message, status 2, nothing printed,
// the input not read.
TEST(Standard, OtherValuesAreUsageErrors) {
    for (std::string value : {"--std=95", "--std=", "--std", "--std=1993", "--std=93 ", "--std=087", "--std=93c",
                              "--std=8", "--std=2008", "--std=08 ", "--std=008"}) {
        std::vector<std::string> args = {"-f", "a", value, "-h"};
        Run_Result r = Run_Program(CORVANE_BINARY, args, "entity e is end e;\n");
        EXPECT_EQ(r.status, 2) << value;
        EXPECT_EQ(r.out, "") << value;
        EXPECT_EQ(r.err, Echo(args) + "corvane: '" + value +
                             "' names no language standard: give --std=87, --std=93 or --std=08\n");
    }
    // Words that only begin like the option are not it: ignored as every unknown argument.
    Run_Result r = Run_Program(CORVANE_BINARY, {"--standard=95", "--stdx"}, "entity e is end e;\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("USE STD.TEXTIO.ALL;", 0), 0u);
}

// The last --std wins, as every option's last value does.
TEST(Standard, LastValueWins) {
    const std::string design = "entity e is end e;\n";
    EXPECT_EQ(Run_Program(CORVANE_BINARY, {"--std=93", "--std=87"}, design).out.rfind("USE STD.TEXTIO.ALL;", 0), 0u);
    Run_Result r = Run_Program(CORVANE_BINARY, {"--std=87", "--std=93"}, design);
    EXPECT_NE(r.out.find("impure function"), std::string::npos) << r.out;
    // A 2008 word names a signal in 93, not in 08.
    const std::string words = "entity e is end e; architecture a of e is signal context : bit; begin end a;\n";
    EXPECT_EQ(Run_Program(CORVANE_BINARY, {"--std=08", "--std=93"}, words).status, 0);
    EXPECT_EQ(Run_Program(CORVANE_BINARY, {"--std=93", "--std=08"}, words).status, 1);
    EXPECT_EQ(Run_Program(CORVANE_BINARY, {"--std=08", "--std=87"}, words).out.rfind("USE STD.TEXTIO.ALL;", 0), 0u);
}

std::string Nested_Design(int depth) {
    return "architecture a of e is\nbegin\n  process\n  begin\n    x := " + std::string(depth, '(') + "0" +
           std::string(depth, ')') + ";\n  end process;\nend a;\n";
}

// The 93 and 2008 parsers' stacks grow as the 87 parser's does, to the same limit.
TEST(Standard93, ParserStackGrowsAndOverflowsAsIn87) {
    for (const char* option : {"--std=93", "--std=08"}) {
        Run_Result r = Run_Program(CORVANE_BINARY, {option}, Nested_Design(1000));
        EXPECT_EQ(r.status, 0) << option;
        r = Run_Program(CORVANE_BINARY, {option}, Nested_Design(10000));
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_EQ(r.out.rfind("\nERROR:'parser stack overflow' in your Source Code!!!!\nString:(() Line:5 Column:", 0),
                  0u)
            << option << r.out.substr(0, 200);
    }
}

struct Automaton {
    int productions = -1;  // the highest production number
    int states = 0;
};

// A grammar's automaton, as bison reports it.
Automaton Automaton_Of(const std::string& report_path) {
    std::ifstream report(report_path);
    EXPECT_TRUE(report) << "no bison report " << report_path;
    const std::regex production(R"(^ *([0-9]+) [a-z_0-9$]+:.*|^ *([0-9]+) +\|.*)");
    const std::regex state(R"(^State ([0-9]+)$)");
    int productions = -1, states = -1;
    for (std::string line; std::getline(report, line);) {
        std::smatch m;
        if (std::regex_match(line, m, production)) productions = std::max(productions, std::stoi(m[1].matched ? m[1] : m[2]));
        if (std::regex_match(line, m, state)) states = std::max(states, std::stoi(m[1]));
    }
    return {productions, states + 1};
}

// The 87 grammar's automaton: its 491 numbered productions (and the start
// production 0) and 839 states.
TEST(Grammar87, AutomatonDoesNotMove) {
    Automaton a = Automaton_Of(TRANSLATOR_BUILD_DIR "/vhdl.output");
    EXPECT_EQ(a.productions, 491);
    EXPECT_EQ(a.states, 839);
}

// The 93 grammar's automaton, which the 2008 edits leave as it is: 619
// numbered productions and 1,016 states.
TEST(Grammar93, AutomatonDoesNotMove) {
    Automaton a = Automaton_Of(TRANSLATOR_BUILD_DIR "/vhdl93.output");
    EXPECT_EQ(a.productions, 619);
    EXPECT_EQ(a.states, 1016);
}

// The 2008 grammar is the 93 grammar and more: it numbers its productions on
// from the 93 grammar's.
TEST(Grammar08, NumbersItsProductionsOnFrom93) {
    Automaton a93 = Automaton_Of(TRANSLATOR_BUILD_DIR "/vhdl93.output");
    Automaton a08 = Automaton_Of(TRANSLATOR_BUILD_DIR "/vhdl08.output");
    EXPECT_GT(a08.productions, a93.productions);
    EXPECT_GT(a08.states, a93.states);
}

// The named tokens of a parser's header and their codes.
std::map<std::string, int> Token_Codes(const std::string& header) {
    std::ifstream in(header);
    const std::regex token(R"(^ +([A-Za-z_][A-Za-z_0-9]*) = (-?[0-9]+),? .*)");
    std::map<std::string, int> codes;
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (std::regex_match(line, m, token)) codes[m[1]] = std::stoi(m[2]);
    }
    return codes;
}

// One scanner serves the three parsers: every token of a grammar has the same
// code in the grammar of the later standard, whose own tokens come after.
void Expect_Shared_Codes(const std::string& earlier, const std::string& later) {
    std::map<std::string, int> earlier_codes = Token_Codes(earlier);
    std::map<std::string, int> later_codes = Token_Codes(later);
    ASSERT_GT(earlier_codes.size(), 100u);
    ASSERT_GT(later_codes.size(), earlier_codes.size());
    int last_earlier = 0;
    for (const auto& [name, code] : earlier_codes) {
        if (name.rfind("YY", 0) == 0) continue;  // the parser's own, named by its prefix
        last_earlier = std::max(last_earlier, code);
        auto found = later_codes.find(name);
        ASSERT_NE(found, later_codes.end()) << name;
        EXPECT_EQ(found->second, code) << name;
    }
    for (const auto& [name, code] : later_codes) {
        if (name.rfind("YY", 0) != 0 && !earlier_codes.count(name)) {
            EXPECT_GT(code, last_earlier) << name;
        }
    }
}

TEST(Grammar93, SharesTheTokenCodesOf87) {
    Expect_Shared_Codes(TRANSLATOR_BUILD_DIR "/vhdl.tab.h", TRANSLATOR_BUILD_DIR "/vhdl93.tab.h");
}

TEST(Grammar08, SharesTheTokenCodesOf93) {
    Expect_Shared_Codes(TRANSLATOR_BUILD_DIR "/vhdl93.tab.h", TRANSLATOR_BUILD_DIR "/vhdl08.tab.h");
}

}  // namespace
