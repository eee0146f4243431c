// Input no designer writes, through the built translator: control bytes and
// bytes above 0x7F, other line ends, huge lines, lexemes and files, literals
// that never close, and nesting up to the parser's limit. Every case has its
// exact status and standard output; standard error stays empty.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run_program.h"

namespace {

const std::string use_clause = "USE STD.TEXTIO.ALL;";

std::string Report(const std::string& message, const std::string& text, int line, long column) {
    return "\nERROR:'" + message + "' in your Source Code!!!!\nString:(" + text + ") Line:" + std::to_string(line) +
           " Column:" + std::to_string(column) + "\n";
}

std::string Parse_Error(const std::string& text, int line, long column) {
    return Report("parse error", text, line, column);
}

std::string Repeat(const std::string& s, size_t n) {
    std::string r;
    r.reserve(s.size() * n);
    for (size_t i = 0; i < n; i++) r += s;
    return r;
}

std::string Replace_All(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size()) s.replace(at, from.size(), to);
    return s;
}

struct Case {
    std::string what;
    std::string input;
    int status;
    std::string out;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

void Expect_Run(const Case& c) {
    Run_Result r = Run_Program(CORVANE_BINARY, {}, c.input);
    EXPECT_EQ(r.status, c.status) << c.what;
    EXPECT_EQ(r.err, "") << c.what;
    if (r.out.size() < 4096 && c.out.size() < 4096)
        EXPECT_EQ(r.out, c.out) << c.what << "\n" << Show_Difference(c.out, r.out);
    else
        EXPECT_TRUE(r.out == c.out) << c.what << ": " << r.out.size() << " bytes, expected " << c.out.size()
                                    << "\n" << Show_Difference(c.out, r.out);
}

class Hostile : public testing::TestWithParam<Case> {};

TEST_P(Hostile, ExactStatusAndOutput) { Expect_Run(GetParam()); }

// "entity e is end e;": rule 34 joins the head, the empty parts, " end",
// " e" and ";".
const std::string unit = "entity e is end e;";
const std::string printed_unit = use_clause + unit;

std::string All_High_Bytes() {
    std::string s;
    for (int b = 0x80; b <= 0xff; b++) s += static_cast<char>(b);
    return s;
}

// Bytes that begin no token, a NUL among them, are skipped; each advances
// the column by one except the NUL, which adds nothing.
INSTANTIATE_TEST_SUITE_P(
    ControlAndHighBytes, Hostile,
    testing::Values(
        Case{"NUL and every byte from 0x80 to 0xFF before the first token",
             std::string(1, '\0') + All_High_Bytes() + ";", 1, Parse_Error(";", 1, 128 + 1)},
        Case{"three NUL bytes count no column", std::string(3, '\0') + ";", 1, Parse_Error(";", 1, 1)},
        Case{"control bytes count one column each", "\x01\x02\x1b\x7f;", 1, Parse_Error(";", 1, 5)},
        Case{"a NUL byte between two tokens separates them", std::string("entity\0e is end e;", 18), 0,
             printed_unit},
        Case{"high bytes between all tokens", "\xff" "entity\x80" "e\xa0is\xfe" "end\x81" "e\x90;\xc3\xa9\n", 0,
             printed_unit},
        Case{"a high byte ends an identifier", "entity e\xe9x is end e;", 1, Parse_Error("x", 1, 10)},
        // The string is not closed on its line, since the high byte is no
        // graphic character: its quotation mark is skipped, a and b are
        // identifiers, and the last quotation mark begins no literal either.
        Case{"a high byte inside a string", "entity e is end \"a\xe9" "b\";", 1, Parse_Error("b", 1, 20)},
        Case{"a NUL byte inside a string", std::string("entity e is end \"a\0b\";", 22), 1,
             Parse_Error("b", 1, 19)}));

// A carriage return is a skipped character: it advances the column and
// never ends a line; the line feed of a CR LF pair does.
INSTANTIATE_TEST_SUITE_P(
    CarriageReturns, Hostile,
    testing::Values(Case{"CR LF line ends", "entity e is\r\nend e;\r\n", 0, use_clause + "entity e is \nend e;"},
                    Case{"CR LF after the error token", "entity e is\r\nend e e\r\n;\r\n", 1,
                         Parse_Error("e", 2, 7)},
                    Case{"CR alone is no line end", "entity e is end\re\re;", 1, Parse_Error("e", 1, 19)},
                    Case{"CR before the first token", "\r\r\r\n\r;", 1, Parse_Error(";", 2, 2)}));

// A quotation mark or percent sign that closes no literal on its line is
// skipped and the rest of the line is scanned as ordinary tokens; a bit
// string's base letter is an identifier first.
INSTANTIATE_TEST_SUITE_P(
    UnterminatedLiterals, Hostile,
    testing::Values(
        Case{"string without its closing quotation mark", "entity e is end \"e;\n", 0, printed_unit},
        Case{"string without its closing percent sign", "entity e is end %e;\n", 0, printed_unit},
        Case{"string closed only on the next line", "entity e is end \"e\n\";\n", 0, printed_unit},
        Case{"quotation mark as the last byte of the input", unit + "\n\"", 0, printed_unit},
        Case{"string open at the end of the input", "\"abc", 1, Parse_Error("abc", 1, 4)},
        Case{"bit string without its closing quotation mark", "entity e is end x\"12;\n", 1,
             Parse_Error("12", 1, 20)},
        Case{"bit string without its closing percent sign", "entity e is end b%101;\n", 1,
             Parse_Error("101", 1, 21)},
        Case{"bit string with a line feed inside", "entity e is end o\"7\n\";\n", 1, Parse_Error("7", 1, 19)},
        Case{"character literal without its closing apostrophe", "entity e is end 'e;\n", 1,
             Parse_Error("'", 1, 17)}));

TEST(HostileSize, LineOfTenMegabytes) {
    // Units with no line end between them: each unit after the first gets
    // its own use clause, directly behind the one before.
    const size_t units = (10u << 20) / unit.size() + 1;
    std::string input = Repeat(unit, units) + "\n";
    ASSERT_GE(input.size(), 10u << 20);
    Expect_Run({"10 MB of units on one line", input, 0, Repeat(printed_unit, units)});
}

TEST(HostileSize, IdentifierOfTenMegabytes) {
    // One lexeme far beyond the scanner's first buffer of 16384 bytes.
    const std::string name = "Wide" + Repeat("_x7", (10u << 20) / 3);
    const std::string folded = "wide" + Repeat("_x7", (10u << 20) / 3);
    Expect_Run({"one identifier of 10 MB", "entity " + name + " is end " + name + ";\n", 0,
                use_clause + "entity " + folded + " is end " + folded + ";"});
}

TEST(HostileSize, CommentLineOfOneMegabyte) {
    // Everything that would otherwise open a literal or another comment.
    std::string text;
    while (text.size() < (1u << 20)) text += "\"%' x\"12 --\t\x80\x01\r";
    const std::string comment = "--" + text + "\n";
    Expect_Run({"1 MB comment before a unit", comment + unit + "\n", 0, use_clause + "\n" + unit});
    Expect_Run({"1 MB comment before an error", comment + "entity e is end e e;\n", 1, Parse_Error("e", 2, 19)});
    Expect_Run({"two 1 MB comments between tokens", "entity e is\n" + comment + comment + "end e;\n", 0,
                use_clause + "entity e is \n\n\nend e;"});
}

TEST(HostileSize, StringOfOneMegabyte) {
    // The report names the whole lexeme, folded to lower case, and the column
    // just past it.
    const std::string text = Repeat("Ab\"\" C", (1u << 20) / 6);
    const std::string literal = "\"" + text + "\"";
    Expect_Run({"1 MB string literal where a name must stand", "entity e is end " + literal + ";\n", 1,
                Parse_Error("\"" + Replace_All(Replace_All(text, "A", "a"), "C", "c") + "\"", 1,
                            16 + static_cast<long>(literal.size()))});
}

TEST(HostileSize, MillionBlankLinesBeforeTheFirstToken) {
    const std::string blank = std::string(1000000, '\n');
    Expect_Run({"a unit", blank + unit + "\n", 0, use_clause + blank + unit});
    Expect_Run({"an error", blank + "entity e is end e e;\n", 1, Parse_Error("e", 1000001, 19)});
    Expect_Run({"blank lines with blanks and CR", Repeat(" \t\r\n", 1000000) + ";", 1, Parse_Error(";", 1000001, 1)});
    // The line-trace statement writes the line of its ';'.
    Run_Result r = Run_Program(CORVANE_BINARY, {},
                               blank + "architecture a of e is\nbegin\np1: process\nbegin\nwait;\nend process p1;\nend a;\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\nwait;line_number := 1000005; WRITE(out_line,line_number);"), std::string::npos);
}

// One process of the worked layout: its head with the trace-file declaration,
// begin one level deeper, the wait statement with its line-trace statement,
// and its end; the tabs in front of each line end are the indentation of the
// token on the next line.
std::string Printed_Process(const std::string& label, int wait_line) {
    return "\t\n" + label + ":process FILE outfile1 : TEXT IS OUT \"/tmp//test::" + label +
           ".partition.corvane\"; variable out_line : LINE; variable line_number : integer;\t\nbegin\t\t\nwait;"
           "line_number := " + std::to_string(wait_line) +
           "; WRITE(out_line,line_number); WRITELINE(outfile1,out_line);\t\nend process " + label + ";";
}

TEST(HostileSize, HundredThousandProcesses) {
    const int processes = 100000;
    std::string input = "architecture a of e is\nbegin\n";
    std::string expected = use_clause + "architecture a of e is \nbegin";
    for (int i = 0; i < processes; i++) {
        const std::string label = "p" + std::to_string(i);
        input += label + ": process\nbegin\nwait;\nend process " + label + ";\n";
        expected += Printed_Process(label, 5 + 4 * i);
    }
    input += "end a;\n";
    expected += " \nend a;";
    Expect_Run({"100,000 processes", input, 0, expected});
}

// The parser's stacks hold at most 9999 entries. In this design 13 are in
// use when the first parenthesis is shifted (the states of the unit, the
// architecture, the process and the assignment up to ":="); every
// parenthesis adds one, the innermost literal one more, and the first ")"
// one more, reduced nesting giving its entries back.
std::string Nested_Design(int depth) {
    return "architecture a of e is\nbegin\np1: process\nbegin\n    x := " + std::string(depth, '(') + "0" +
           std::string(depth, ')') + ";\nend process p1;\nend a;\n";
}

std::string Printed_Nested_Design(int depth) {
    return use_clause + "architecture a of e is \nbegin\t\np1:process FILE outfile1 : TEXT IS OUT "
                        "\"/tmp//test::p1.partition.corvane\"; variable out_line : LINE; variable line_number : "
                        "integer;\t\nbegin\t\t\nx := " +
           std::string(depth, '(') + "0" + std::string(depth, ')') +
           ";line_number := 5; WRITE(out_line,line_number); WRITELINE(outfile1,out_line);\t\nend process p1; "
           "\nend a;";
}

TEST(ParserLimit, DeepestNestingIsAccepted) {
    // 13 + 9984 + 1 + 1 = 9999 entries.
    Expect_Run({"nesting at the limit", Nested_Design(9984), 0, Printed_Nested_Design(9984)});
}

TEST(ParserLimit, OneLevelMoreOverflowsAtTheFirstClosingParenthesis) {
    // "    x := " is 9 columns, then 9985 parentheses and the 0.
    Expect_Run({"one level past the limit", Nested_Design(9985), 2,
                Report("parser stack overflow", ")", 5, 9 + 9985 + 1 + 1)});
}

TEST(ParserLimit, TenThousandParenthesesOverflowWhileOpening) {
    // The 9987th parenthesis makes 13 + 9987 = 10000 entries.
    Expect_Run({"10,000 parentheses", Nested_Design(10000), 2, Report("parser stack overflow", "(", 5, 9 + 9987)});
}

// Inputs the fuzzer found: each printed design, translated again, must be
// accepted again.
TEST(FuzzFinding, PrintedDesignIsAcceptedAgain) {
    const std::vector<std::string> findings = {
        // A labelled concurrent assertion right after 'begin', behind NUL
        // bytes: printed as "beginl1:".
        std::string("entity e is end e;\narchitecture a of e is\n procedure chk (signal v : in bit) is\n"
                    "  begin\n    assert v = '0' report \"v set\";\n  end chk;\nbegin\0\0\0l1: assert "
                    "\x88\xdf\xc2\xdf\xd8\xcf\xd8\xd5repothers;\nend a;\n",
                    179),
        "entity e is end;\narchitecture a of e is begin b: block begin g: for i in 1 to 2 generate "
        "l: p(x); end generate; end block; end;\n",
    };
    for (const std::string& input : findings) {
        Run_Result first = Run_Program(CORVANE_BINARY, {}, input);
        ASSERT_EQ(first.status, 0) << first.out;
        ASSERT_EQ(first.out.compare(0, use_clause.size(), use_clause), 0) << first.out;
        Run_Result second = Run_Program(CORVANE_BINARY, {}, first.out);
        EXPECT_EQ(second.status, 0) << first.out << "\n" << second.out;
    }
}

}  // namespace
