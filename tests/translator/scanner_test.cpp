// Token streams of the scanner: each case scans a piece of source and compares
// the tokens (name and lexeme), their text values, positions and the
// indentation depth the scanner leaves behind.
#include <cctype>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scanner.h"
#include "tokens.h"
#include "scope.h"
#include "standard.h"
#include "text.h"

namespace {

// The named tokens from code 258 on, in the order of the parser's contract.
const char* const named_tokens[] = {
    "ACCESS", "AFTER", "ALIAS", "ALL", "AND", "ARCHITECTURE", "ARRAY", "ASSERT", "ATTRIBUTE",
    "t_BEGIN", "BLOCK", "BODY", "BUFFER", "BUS", "CASE", "COMPONENT", "CONFIGURATION", "CONSTANT",
    "DISCONNECT", "DOWNTO", "ELSE", "ELSIF", "END", "ENTITY", "EXIT", "t_FILE", "FOR", "FUNCTION",
    "GENERATE", "GENERIC", "GUARDED", "IF", "IN", "INOUT", "IS", "LABEL", "LIBRARY", "LINKAGE",
    "LOOP", "MAP", "NAND", "NEW", "NEXT", "NOR", "t_NULL", "OF", "ON", "OPEN", "OR", "OTHERS",
    "OUT", "PACKAGE", "PORT", "PROCEDURE", "PROCESS", "RANGE", "RECORD", "REGISTER", "REPORT",
    "RETURN", "SELECT", "SEVERITY", "SIGNAL", "SUBTYPE", "THEN", "TO", "TRANSPORT", "TYPE",
    "UNITS", "UNTIL", "USE", "VARIABLE", "WAIT", "WHEN", "WHILE", "WITH", "XOR", "EQSym", "NESym",
    "LTSym", "LESym", "GTSym", "GESym", "Plus", "Minus", "Ampersand", "MED_PRECEDENCE", "Star",
    "Slash", "MOD", "REM", "DoubleStar", "ABS", "NOT", "MAX_PRECEDENCE", "Apostrophe", "VarAsgn",
    "Arrow", "Bar", "Box", "Identifier", "AbstractLit", "CharacterLit", "StringLit",
    "BitStringLit",
};
constexpr int FIRST_NAMED = 258;
constexpr int NAMED_COUNT = sizeof named_tokens / sizeof named_tokens[0];

// The reserved words of VHDL-93, whose codes follow: the 87 codes stay.
const char* const named_tokens_93[] = {
    "GROUP", "IMPURE", "INERTIAL", "LITERAL", "POSTPONED", "PURE", "REJECT", "ROL",
    "ROR", "SHARED", "SLA", "SLL", "SRA", "SRL", "UNAFFECTED", "XNOR",
};
constexpr int FIRST_93 = FIRST_NAMED + NAMED_COUNT;
constexpr int COUNT_93 = sizeof named_tokens_93 / sizeof named_tokens_93[0];

// The reserved words and operators of VHDL-2008, whose codes follow those of 93.
const char* const named_tokens_08[] = {
    "ASSUME", "ASSUME_GUARANTEE", "CONTEXT", "COVER", "DEFAULT", "FAIRNESS", "FORCE", "PARAMETER",
    "PROPERTY", "PROTECTED", "RELEASE", "RESTRICT", "RESTRICT_GUARANTEE", "SEQUENCE", "STRONG",
    "VMODE", "VPROP", "VUNIT", "MatchEQ", "MatchNE", "MatchLT", "MatchLE", "MatchGT", "MatchGE", "Condition",
};
constexpr int FIRST_08 = FIRST_93 + COUNT_93;
constexpr int COUNT_08 = sizeof named_tokens_08 / sizeof named_tokens_08[0];
// The reserved words among them.
constexpr int WORDS_08 = 18;

std::string Token_Name(int code) {
    if (code >= FIRST_NAMED && code < FIRST_NAMED + NAMED_COUNT) return named_tokens[code - FIRST_NAMED];
    if (code >= FIRST_93 && code < FIRST_93 + COUNT_93) return named_tokens_93[code - FIRST_93];
    if (code >= FIRST_08 && code < FIRST_08 + COUNT_08) return named_tokens_08[code - FIRST_08];
    if (code == '(' || code == ')' || code == ',' || code == '.' || code == ':' || code == ';' || code == '[' ||
        code == ']' || code == '?')
        return std::string("'") + static_cast<char>(code) + "'";
    return "code " + std::to_string(code);
}

int Token_Code(const std::string& name) {
    for (int i = 0; i < NAMED_COUNT; i++)
        if (name == named_tokens[i]) return FIRST_NAMED + i;
    for (int i = 0; i < COUNT_93; i++)
        if (name == named_tokens_93[i]) return FIRST_93 + i;
    return -1;
}

struct Scanned {
    int code;
    std::string text;   // yytext
    std::string value;  // the text value handed to the parser
    int line;
    int column;
    int depth;  // scope after the token
    long read;  // characters taken from the input so far
};

struct Scan_Result {
    std::vector<Scanned> tokens;
    Scanned end;  // the call that returned 0
};

// Scans the whole input from a fresh start at depth 0, in the standard given.
Scan_Result Scan(const std::string& input, Standard language = Standard::VHDL87) {
    standard = language;
    scope = 0;
    scope_text = Make_Scope_String(0);
    // An empty memory stream cannot be opened everywhere; /dev/null is as empty.
    FILE* in = input.empty() ? std::fopen("/dev/null", "r")
                             : fmemopen(const_cast<char*>(input.data()), input.size(), "r");
    if (!in) throw std::runtime_error("cannot open the input");
    Scanner_Restart(in);
    Scan_Result r;
    for (;;) {
        int code = yylex();
        Scanned s{code, yytext, Text_String(yylval), current_line_number, column, scope, std::ftell(in)};
        Release(yylval);
        if (code == 0) {
            r.end = s;
            break;
        }
        r.tokens.push_back(s);
        if (r.tokens.size() > input.size() + 1) {
            ADD_FAILURE() << "more tokens than characters";
            break;
        }
    }
    std::fclose(in);
    scope = 0;
    scope_text = Make_Scope_String(0);
    standard = Standard::VHDL87;
    return r;
}

struct Expected {
    std::string name;
    std::string text;
};

std::string Describe(const std::vector<Expected>& tokens) {
    std::string s;
    for (const Expected& t : tokens) s += t.name + "[" + t.text + "] ";
    return s;
}

std::string Describe(const std::vector<Scanned>& tokens) {
    std::vector<Expected> named;
    for (const Scanned& t : tokens) named.push_back({Token_Name(t.code), t.text});
    return Describe(named);
}

struct Stream_Case {
    std::string input;
    std::vector<Expected> tokens;
};

void PrintTo(const Stream_Case& c, std::ostream* os) { *os << testing::PrintToString(c.input); }

// Cases whose expectation is the stream of token names and lexemes alone.
class Token_Stream : public testing::TestWithParam<Stream_Case> {};

TEST_P(Token_Stream, Matches) {
    const Stream_Case& c = GetParam();
    Scan_Result r = Scan(c.input);
    EXPECT_EQ(Describe(r.tokens), Describe(c.tokens));
    EXPECT_EQ(r.end.text, "");
    EXPECT_EQ(r.end.value, "");
}

const std::vector<Stream_Case> identifier_cases = {
    {"end_a", {{"Identifier", "end_a"}}},
    {"ifx", {{"Identifier", "ifx"}}},
    {"end1", {{"Identifier", "end1"}}},
    {"END IF", {{"END", "end"}, {"IF", "if"}}},
    {"casex inout in out", {{"Identifier", "casex"}, {"INOUT", "inout"}, {"IN", "in"}, {"OUT", "out"}}},
    {"a__b", {{"Identifier", "a"}, {"Identifier", "b"}}},
    {"a_ b", {{"Identifier", "a"}, {"Identifier", "b"}}},
    {"_a", {{"Identifier", "a"}}},
    {"a_1_b2", {{"Identifier", "a_1_b2"}}},
    {"Xyz_Q", {{"Identifier", "xyz_q"}}},
};

const std::vector<Stream_Case> number_cases = {
    {"1_000", {{"AbstractLit", "1_000"}}},
    {"1.5", {{"AbstractLit", "1.5"}}},
    {"1.5e-10", {{"AbstractLit", "1.5e-10"}}},
    {"1.5E+10", {{"AbstractLit", "1.5e+10"}}},
    {"16#ff#", {{"AbstractLit", "16#ff#"}}},
    {"16#FF#", {{"AbstractLit", "16#ff#"}}},
    {"16#f.f#e+2", {{"AbstractLit", "16#f.f#e+2"}}},
    {"16:ff:", {{"AbstractLit", "16:ff:"}}},
    {"2#1010#", {{"AbstractLit", "2#1010#"}}},
    {"2#1_0#e1_0", {{"AbstractLit", "2#1_0#e1_0"}}},
    {"16#ff:", {{"AbstractLit", "16"}, {"Identifier", "ff"}, {"':'", ":"}}},
    {"1e+x", {{"AbstractLit", "1"}, {"Identifier", "e"}, {"Plus", "+"}, {"Identifier", "x"}}},
    {"1.5e", {{"AbstractLit", "1.5"}, {"Identifier", "e"}}},
    {"2#1#e", {{"AbstractLit", "2#1#"}, {"Identifier", "e"}}},
    {"1.", {{"AbstractLit", "1"}, {"'.'", "."}}},
    {".5", {{"'.'", "."}, {"AbstractLit", "5"}}},
    {"1..2", {{"AbstractLit", "1"}, {"'.'", "."}, {"'.'", "."}, {"AbstractLit", "2"}}},
    {"16#zz#", {{"AbstractLit", "16"}, {"Identifier", "zz"}}},
    {"16#f.#", {{"AbstractLit", "16"}, {"Identifier", "f"}, {"'.'", "."}}},
    {"1__0", {{"AbstractLit", "1"}, {"AbstractLit", "0"}}},
    {"10ns", {{"AbstractLit", "10"}, {"Identifier", "ns"}}},
};

const std::vector<Stream_Case> bit_string_cases = {
    {"b%1010%", {{"BitStringLit", "b%1010%"}}},
    {"o%777%", {{"BitStringLit", "o%777%"}}},
    {"x%ff%", {{"BitStringLit", "x%ff%"}}},
    {"x%f_f%", {{"BitStringLit", "x%f_f%"}}},
    {"b\"1010\"", {{"BitStringLit", "b\"1010\""}}},
    {"o\"777\"", {{"BitStringLit", "o\"777\""}}},
    {"x\"ff\"", {{"BitStringLit", "x\"ff\""}}},
    {"x\"f_f\"", {{"BitStringLit", "x\"f_f\""}}},
    {"X\"FF\"", {{"BitStringLit", "x\"ff\""}}},
    {"b%%", {{"Identifier", "b"}, {"StringLit", "%%"}}},
    {"b\"\"", {{"Identifier", "b"}, {"StringLit", "\"\""}}},
    {"x%zz%", {{"Identifier", "x"}, {"StringLit", "%zz%"}}},
    {"x\"f__f\"", {{"Identifier", "x"}, {"StringLit", "\"f__f\""}}},
    {"b%2%", {{"BitStringLit", "b%2%"}}},
    {"bx%1%", {{"Identifier", "bx"}, {"StringLit", "%1%"}}},
    // Not closed on its line: the base letter, then the rest without the mark.
    {"x\"ff", {{"Identifier", "x"}, {"Identifier", "ff"}}},
    {"b%10\n%", {{"Identifier", "b"}, {"AbstractLit", "10"}}},
};

const std::vector<Stream_Case> string_cases = {
    {"\"a\"\"b\"", {{"StringLit", "\"a\"\"b\""}}},
    {"\"\"\"\"", {{"StringLit", "\"\"\"\""}}},
    {"\"\"\"", {{"StringLit", "\"\""}}},
    {"%say \"hi\"%", {{"StringLit", "%say \"hi\"%"}}},
    {"%100%% sure%", {{"StringLit", "%100%% sure%"}}},
    {"\"a\tb\"", {{"StringLit", "\"a\tb\""}}},
    {"\"a -- b\" c", {{"StringLit", "\"a -- b\""}, {"Identifier", "c"}}},
    {"\"abc", {{"Identifier", "abc"}}},
    {"\"ab cd\nx", {{"Identifier", "ab"}, {"Identifier", "cd"}, {"Identifier", "x"}}},
    {"\"ab\ncd\"", {{"Identifier", "ab"}, {"Identifier", "cd"}}},
    {"\"ab\"\"cd", {{"StringLit", "\"ab\""}, {"Identifier", "cd"}}},
    {"%ab;", {{"Identifier", "ab"}, {"';'", ";"}}},
    {"\"a\x01" "b\"", {{"Identifier", "a"}, {"Identifier", "b"}}},
};

const std::vector<Stream_Case> apostrophe_cases = {
    {"name'attr", {{"Identifier", "name"}, {"Apostrophe", "'"}, {"Identifier", "attr"}}},
    {"t'('a')",
     {{"Identifier", "t"}, {"CharacterLit", "'('"}, {"Identifier", "a"}, {"Apostrophe", "'"}, {"')'", ")"}}},
    {"t'(x)", {{"Identifier", "t"}, {"Apostrophe", "'"}, {"'('", "("}, {"Identifier", "x"}, {"')'", ")"}}},
    {"'''", {{"CharacterLit", "'''"}}},
    {"' '", {{"CharacterLit", "' '"}}},
    {"'\t'", {{"CharacterLit", "'\t'"}}},
    {"'\nx", {{"Apostrophe", "'"}, {"Identifier", "x"}}},
    {"'\x7f'", {{"Apostrophe", "'"}, {"Apostrophe", "'"}}},
    {"'ab'", {{"Apostrophe", "'"}, {"Identifier", "ab"}, {"Apostrophe", "'"}}},
};

const std::vector<Stream_Case> delimiter_cases = {
    {"& ' ( ) ** * + , - := : ; <= >= < > = /= => <> | ! . /",
     {{"Ampersand", "&"}, {"Apostrophe", "'"}, {"'('", "("}, {"')'", ")"}, {"DoubleStar", "**"},
      {"Star", "*"}, {"Plus", "+"}, {"','", ","}, {"Minus", "-"}, {"VarAsgn", ":="}, {"':'", ":"},
      {"';'", ";"}, {"LESym", "<="}, {"GESym", ">="}, {"LTSym", "<"}, {"GTSym", ">"}, {"EQSym", "="},
      {"NESym", "/="}, {"Arrow", "=>"}, {"Box", "<>"}, {"Bar", "|"}, {"Bar", "!"}, {"'.'", "."},
      {"Slash", "/"}}},
    {"<==", {{"LESym", "<="}, {"EQSym", "="}}},
    {"=>>", {{"Arrow", "=>"}, {"GTSym", ">"}}},
    {"***", {{"DoubleStar", "**"}, {"Star", "*"}}},
    {":==", {{"VarAsgn", ":="}, {"EQSym", "="}}},
    {"<>=", {{"Box", "<>"}, {"EQSym", "="}}},
    {"/==", {{"NESym", "/="}, {"EQSym", "="}}},
    {"- -", {{"Minus", "-"}, {"Minus", "-"}}},
    {"a(1);", {{"Identifier", "a"}, {"'('", "("}, {"AbstractLit", "1"}, {"')'", ")"}, {"';'", ";"}}},
};

const std::vector<Stream_Case> comment_cases = {
    {"a -- b c\nd", {{"Identifier", "a"}, {"Identifier", "d"}}},
    {"a--b", {{"Identifier", "a"}}},
    {"a -- end", {{"Identifier", "a"}}},
    {"a --", {{"Identifier", "a"}}},
    {"--\n--\n", {}},
    {"a ---b\nc", {{"Identifier", "a"}, {"Identifier", "c"}}},
    {"a -\n- b", {{"Identifier", "a"}, {"Minus", "-"}, {"Minus", "-"}, {"Identifier", "b"}}},
};

// Characters that begin no token, between two identifiers.
std::vector<Stream_Case> Skipped_Cases() {
    std::vector<Stream_Case> cases;
    std::string skipped = "#$?@[]\\^`{}~\r\x01\x08\x0b\x0c\x1b\x1f\x7f\x80\xa9\xc3\xff";
    for (char c : skipped) cases.push_back({std::string("a") + c + "b", {{"Identifier", "a"}, {"Identifier", "b"}}});
    cases.push_back({std::string("a\0b", 3), {{"Identifier", "a"}, {"Identifier", "b"}}});
    cases.push_back({"a\"b", {{"Identifier", "a"}, {"Identifier", "b"}}});
    cases.push_back({"a%b", {{"Identifier", "a"}, {"Identifier", "b"}}});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Identifiers, Token_Stream, testing::ValuesIn(identifier_cases));
INSTANTIATE_TEST_SUITE_P(Numbers, Token_Stream, testing::ValuesIn(number_cases));
INSTANTIATE_TEST_SUITE_P(BitStrings, Token_Stream, testing::ValuesIn(bit_string_cases));
INSTANTIATE_TEST_SUITE_P(Strings, Token_Stream, testing::ValuesIn(string_cases));
INSTANTIATE_TEST_SUITE_P(Apostrophes, Token_Stream, testing::ValuesIn(apostrophe_cases));
INSTANTIATE_TEST_SUITE_P(Delimiters, Token_Stream, testing::ValuesIn(delimiter_cases));
INSTANTIATE_TEST_SUITE_P(Comments, Token_Stream, testing::ValuesIn(comment_cases));
INSTANTIATE_TEST_SUITE_P(Skipped, Token_Stream, testing::ValuesIn(Skipped_Cases()));

// VHDL-93 (--std=93): its reserved words, extended identifiers, the letters
// and graphic characters of Latin-1, the brackets of signatures, and an
// apostrophe after a name always an attribute's or a qualified expression's.
class Token_Stream_93 : public testing::TestWithParam<Stream_Case> {};

TEST_P(Token_Stream_93, Matches) {
    const Stream_Case& c = GetParam();
    Scan_Result r = Scan(c.input, Standard::VHDL93);
    EXPECT_EQ(Describe(r.tokens), Describe(c.tokens));
    EXPECT_EQ(r.end.text, "");
}

const std::vector<Stream_Case> cases_93 = {
    {"XNor sll Shared", {{"XNOR", "xnor"}, {"SLL", "sll"}, {"SHARED", "shared"}}},
    {"pure_x impure1", {{"Identifier", "pure_x"}, {"Identifier", "impure1"}}},
    // An apostrophe after a name, a closing parenthesis or bracket, or all.
    {"t'('a')", {{"Identifier", "t"}, {"Apostrophe", "'"}, {"'('", "("}, {"CharacterLit", "'a'"}, {"')'", ")"}}},
    {"t '(' '", {{"Identifier", "t"}, {"Apostrophe", "'"}, {"'('", "("}, {"CharacterLit", "' '"}}},
    {"(x)'('a')",
     {{"'('", "("}, {"Identifier", "x"}, {"')'", ")"}, {"Apostrophe", "'"}, {"'('", "("},
      {"CharacterLit", "'a'"}, {"')'", ")"}}},
    {"p.all'(')')", {{"Identifier", "p"}, {"'.'", "."}, {"ALL", "all"}, {"Apostrophe", "'"}, {"'('", "("},
                     {"CharacterLit", "')'"}, {"')'", ")"}}},
    {"s]'x", {{"Identifier", "s"}, {"']'", "]"}, {"Apostrophe", "'"}, {"Identifier", "x"}}},
    // Anywhere else a character literal, as in 87.
    {"when 'a' | ')'", {{"WHEN", "when"}, {"CharacterLit", "'a'"}, {"Bar", "|"}, {"CharacterLit", "')'"}}},
    {"'(' ", {{"CharacterLit", "'('"}}},
    {"x := 'a';", {{"Identifier", "x"}, {"VarAsgn", ":="}, {"CharacterLit", "'a'"}, {"';'", ";"}}},
    // Extended identifiers keep their spelling; a backslash inside is doubled.
    {"\\Bus Ready\\ x", {{"Identifier", "\\Bus Ready\\"}, {"Identifier", "x"}}},
    {"\\a\\\\b\\", {{"Identifier", "\\a\\\\b\\"}}},
    {"\\end\\", {{"Identifier", "\\end\\"}}},
    {"\\a'b\\'length", {{"Identifier", "\\a'b\\"}, {"Apostrophe", "'"}, {"Identifier", "length"}}},
    // Not an extended identifier: empty, or not closed on its line.
    {"a\\\\b", {{"Identifier", "a"}, {"Identifier", "b"}}},
    {"\\ab\ncd", {{"Identifier", "ab"}, {"Identifier", "cd"}}},
    // Latin-1 letters in identifiers, kept as written; graphic characters in literals.
    {"caf\xe9 \xc9t\xe9_\xdf", {{"Identifier", "caf\xe9"}, {"Identifier", "\xc9t\xe9_\xdf"}}},
    {"a_\xe9", {{"Identifier", "a_\xe9"}}},
    {"\"\xa9 2024 \xe9\" '\xb0'", {{"StringLit", "\"\xa9 2024 \xe9\""}, {"CharacterLit", "'\xb0'"}}},
    // The signs of multiplication and division are no letters; a no-break space separates.
    {"a\xd7" "b\xf7" "c", {{"Identifier", "a"}, {"Identifier", "b"}, {"Identifier", "c"}}},
    {"a\xa0" "b", {{"Identifier", "a"}, {"Identifier", "b"}}},
    // Latin-1's control characters are no graphic characters.
    {"\"a\x80\"", {{"Identifier", "a"}}},
    {"f[integer return bit]", {{"Identifier", "f"}, {"'['", "["}, {"Identifier", "integer"}, {"RETURN", "return"},
                               {"Identifier", "bit"}, {"']'", "]"}}},
};

INSTANTIATE_TEST_SUITE_P(Vhdl93, Token_Stream_93, testing::ValuesIn(cases_93));

// VHDL-2008 (--std=08): its reserved words, the matching and condition
// operators, block comments; and all that 93 scans.
class Token_Stream_08 : public testing::TestWithParam<Stream_Case> {};

TEST_P(Token_Stream_08, Matches) {
    const Stream_Case& c = GetParam();
    Scan_Result r = Scan(c.input, Standard::VHDL08);
    EXPECT_EQ(Describe(r.tokens), Describe(c.tokens));
    EXPECT_EQ(r.end.text, "");
}

const std::vector<Stream_Case> cases_08 = {
    {"Context vunit XNOR", {{"CONTEXT", "context"}, {"VUNIT", "vunit"}, {"XNOR", "xnor"}}},
    // Two words hold an underscore; others with one are identifiers.
    {"assume_Guarantee restrict_guarantee restrict_x",
     {{"ASSUME_GUARANTEE", "assume_guarantee"}, {"RESTRICT_GUARANTEE", "restrict_guarantee"},
      {"Identifier", "restrict_x"}}},
    {"context1 force_", {{"Identifier", "context1"}, {"FORCE", "force"}}},
    // The operators, each the longest match.
    {"a?=b ?/= ?< ?<= ?> ?>=",
     {{"Identifier", "a"}, {"MatchEQ", "?="}, {"Identifier", "b"}, {"MatchNE", "?/="}, {"MatchLT", "?<"},
      {"MatchLE", "?<="}, {"MatchGT", "?>"}, {"MatchGE", "?>="}}},
    {"??x ???=", {{"Condition", "??"}, {"Identifier", "x"}, {"Condition", "??"}, {"MatchEQ", "?="}}},
    {"?<=> ?/", {{"MatchLE", "?<="}, {"GTSym", ">"}, {"'?'", "?"}, {"Slash", "/"}}},
    // A question mark of its own: case? and select?.
    {"case? x select?\nq", {{"CASE", "case"}, {"'?'", "?"}, {"Identifier", "x"}, {"SELECT", "select"},
                             {"'?'", "?"}, {"Identifier", "q"}}},
    // Block comments yield no token, on one line or many; -- inside is no
    // comment, nor /* inside; one not closed runs to the end.
    {"a/*b*/c", {{"Identifier", "a"}, {"Identifier", "c"}}},
    {"a /* x\n -- y\n /* z */ b */", {{"Identifier", "a"}, {"Identifier", "b"}, {"Star", "*"}, {"Slash", "/"}}},
    {"a/**/b/*/c*/d", {{"Identifier", "a"}, {"Identifier", "b"}, {"Identifier", "d"}}},
    {"a -- /* \nb */", {{"Identifier", "a"}, {"Identifier", "b"}, {"Star", "*"}, {"Slash", "/"}}},
    {"a/=b/* c", {{"Identifier", "a"}, {"NESym", "/="}, {"Identifier", "b"}}},
    // Bit strings: a length, the bases of 2008, any graphic character but
    // the delimiter in the value (an empty value too); folded as in 87 but
    // for the characters of the value that are no digits.
    {"8x\"ff\" 12SX\"F\" UB\"0101\" d\"12\"",
     {{"BitStringLit", "8x\"ff\""}, {"BitStringLit", "12sx\"f\""}, {"BitStringLit", "ub\"0101\""},
      {"BitStringLit", "d\"12\""}}},
    {"uo%7% sb\"1\" so\"7\" ux\"f\" B\"1\"", {{"BitStringLit", "uo%7%"}, {"BitStringLit", "sb\"1\""},
                                          {"BitStringLit", "so\"7\""}, {"BitStringLit", "ux\"f\""},
                                          {"BitStringLit", "b\"1\""}}},
    {"X\"Zz-\" b\"\" 1_6x\"a_B\" 3b\"1 0\" X%F\"W%", {{"BitStringLit", "x\"Zz-\""}, {"BitStringLit", "b\"\""},
                                                     {"BitStringLit", "1_6x\"a_b\""}, {"BitStringLit", "3b\"1 0\""},
                                                     {"BitStringLit", "x%f\"W%"}}},
    // Not bit strings: no base, a space before the base or the delimiter, a
    // length that is no decimal integer, a value not closed on its line.
    {"ud\"1\" sd\"1\" 8 x\"f\" x \"f\"",
     {{"Identifier", "ud"}, {"StringLit", "\"1\""}, {"Identifier", "sd"}, {"StringLit", "\"1\""},
      {"AbstractLit", "8"}, {"BitStringLit", "x\"f\""}, {"Identifier", "x"}, {"StringLit", "\"f\""}}},
    {"16#f#x\"1\" 8e\"1\"", {{"AbstractLit", "16#f#"}, {"BitStringLit", "x\"1\""}, {"AbstractLit", "8"},
                                   {"Identifier", "e"}, {"StringLit", "\"1\""}}},
    {"x\"f\nb", {{"Identifier", "x"}, {"Identifier", "f"}, {"Identifier", "b"}}},
};

INSTANTIATE_TEST_SUITE_P(Vhdl08, Token_Stream_08, testing::ValuesIn(cases_08));

// The lines of the tokens after a block comment: its line ends count.
TEST(BlockComments, TokensStayOnTheirLines) {
    Scan_Result r = Scan("a /* one\ntwo\n\nthree */ b\n/**/c", Standard::VHDL08);
    ASSERT_EQ(r.tokens.size(), 3u);
    EXPECT_EQ(r.tokens[0].line, 1);
    EXPECT_EQ(r.tokens[1].line, 4);
    EXPECT_EQ(r.tokens[2].line, 5);
}

// In 87 and 93 the words of 2008 are identifiers, ? begins no token, /* is
// a slash and a star, and bit strings are those of 87.
TEST(ReservedWords, The08WordsAreIdentifiersIn87And93) {
    for (int i = 0; i < WORDS_08; i++) {
        std::string w = named_tokens_08[i];
        for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (Standard s : {Standard::VHDL87, Standard::VHDL93}) {
            Scan_Result r = Scan(w, s);
            ASSERT_EQ(r.tokens.size(), 1u);
            EXPECT_EQ(Token_Name(r.tokens[0].code), "Identifier") << w;
        }
        Scan_Result r08 = Scan(named_tokens_08[i], Standard::VHDL08);
        ASSERT_EQ(r08.tokens.size(), 1u);
        EXPECT_EQ(Token_Name(r08.tokens[0].code), named_tokens_08[i]);
        EXPECT_EQ(r08.tokens[0].value, w);
    }
    for (Standard s : {Standard::VHDL87, Standard::VHDL93}) {
        // Nor are a length and the bases of 2008 part of a bit string.
        Scan_Result b = Scan("8x\"f\" ub\"1\" X\"F\"", s);
        EXPECT_EQ(Describe(b.tokens), Describe({{"AbstractLit", "8"}, {"BitStringLit", "x\"f\""}, {"Identifier", "ub"},
                                                {"StringLit", "\"1\""}, {"BitStringLit", "x\"f\""}}));
        Scan_Result r = Scan("a ?= b /* c */", s);
        EXPECT_EQ(Describe(r.tokens), Describe({{"Identifier", "a"}, {"EQSym", "="}, {"Identifier", "b"},
                                                {"Slash", "/"}, {"Star", "*"}, {"Identifier", "c"},
                                                {"Star", "*"}, {"Slash", "/"}}));
    }
}

// In 87 the words of 93 are identifiers, and its characters begin no token.
TEST(ReservedWords, The93WordsAreIdentifiersIn87) {
    for (const char* word : named_tokens_93) {
        std::string w = word;
        for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        Scan_Result r87 = Scan(w);
        ASSERT_EQ(r87.tokens.size(), 1u);
        EXPECT_EQ(Token_Name(r87.tokens[0].code), "Identifier") << w;
        std::string upper = word;
        Scan_Result r93 = Scan(upper, Standard::VHDL93);
        ASSERT_EQ(r93.tokens.size(), 1u);
        EXPECT_EQ(Token_Name(r93.tokens[0].code), word);
        EXPECT_EQ(r93.tokens[0].value, w);
    }
    Scan_Result r = Scan("\\x\\ caf\xe9 [");
    EXPECT_EQ(Describe(r.tokens), Describe({{"Identifier", "x"}, {"Identifier", "caf"}}));
}

const char* const reserved_words[] = {
    "abs", "access", "after", "alias", "all", "and", "architecture", "array", "assert", "attribute",
    "begin", "block", "body", "buffer", "bus", "case", "component", "configuration", "constant",
    "disconnect", "downto", "else", "elsif", "end", "entity", "exit", "file", "for", "function",
    "generate", "generic", "guarded", "if", "in", "inout", "is", "label", "library", "linkage",
    "loop", "map", "mod", "nand", "new", "next", "nor", "not", "null", "of", "on", "open", "or",
    "others", "out", "package", "port", "procedure", "process", "range", "record", "register",
    "rem", "report", "return", "select", "severity", "signal", "subtype", "then", "to",
    "transport", "type", "units", "until", "use", "variable", "wait", "when", "while", "with", "xor",
};

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Every other letter in upper case, starting with the second.
std::string Alternating(std::string s) {
    for (size_t i = 1; i < s.size(); i += 2) s[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i])));
    return s;
}

TEST(ReservedWords, EveryWordInEveryCaseYieldsItsToken) {
    ASSERT_EQ(sizeof reserved_words / sizeof reserved_words[0], 81u);
    for (const char* word : reserved_words) {
        std::string w = word;
        std::string name = (w == "begin" || w == "file" || w == "null") ? "t_" + Upper(w) : Upper(w);
        int code = Token_Code(name);
        ASSERT_GT(code, 0) << name;
        for (const std::string& spelling : {w, Upper(w), Alternating(w), Upper(w.substr(0, 1)) + w.substr(1)}) {
            Scan_Result r = Scan("\n" + spelling + " ");
            ASSERT_EQ(r.tokens.size(), 1u) << spelling;
            EXPECT_EQ(Token_Name(r.tokens[0].code), name) << spelling;
            EXPECT_EQ(r.tokens[0].text, w);
            EXPECT_EQ(r.tokens[0].value, "\n" + w);
            // The word with one more letter is an identifier.
            Scan_Result longer = Scan(spelling + "z");
            ASSERT_EQ(longer.tokens.size(), 1u);
            EXPECT_EQ(Token_Name(longer.tokens[0].code), "Identifier") << spelling << "z";
        }
    }
}

TEST(ReservedWords, SingleCharacterTokensUseTheirCharacterCode) {
    Scan_Result r = Scan("( ) , . : ;");
    std::vector<int> codes;
    for (const Scanned& t : r.tokens) codes.push_back(t.code);
    EXPECT_EQ(codes, (std::vector<int>{40, 41, 44, 46, 58, 59}));
    EXPECT_EQ(Token_Code("BitStringLit"), 362);
    EXPECT_EQ(BitStringLit, 362);
    EXPECT_EQ(ACCESS, 258);
    EXPECT_EQ(Apostrophe, 353);
}

// Text values: the line feeds passed since the last token, then the lexeme.
struct Value_Case {
    std::string input;
    std::vector<std::string> values;
};

void PrintTo(const Value_Case& c, std::ostream* os) { *os << testing::PrintToString(c.input); }

class Token_Values : public testing::TestWithParam<Value_Case> {};

TEST_P(Token_Values, Match) {
    Scan_Result r = Scan(GetParam().input);
    std::vector<std::string> values;
    for (const Scanned& t : r.tokens) values.push_back(t.value);
    EXPECT_EQ(values, GetParam().values);
    EXPECT_EQ(r.end.value, "");
    EXPECT_EQ(Next_Line_Flag, r.end.line - (r.tokens.empty() ? 1 : r.tokens.back().line));
}

INSTANTIATE_TEST_SUITE_P(
    LineFeeds, Token_Values,
    testing::Values(Value_Case{"a -- c\nb", {"a", "\nb"}}, Value_Case{"a\n-- c\nb", {"a", "\n\nb"}},
                    Value_Case{"a\n\n\nb", {"a", "\n\n\nb"}}, Value_Case{"a\n\n  \t b", {"a", "\n\nb"}},
                    Value_Case{"\n\nx;", {"\n\nx", ";"}}, Value_Case{"a\r\nb", {"a", "\nb"}},
                    Value_Case{"a\n\n", {"a"}}, Value_Case{"a #$ b", {"a", "b"}},
                    Value_Case{"-- only\n-- comments\n", {}}));

// Character and string literals keep the case of the source in their text
// value; yytext, and every other token's value, is folded.
INSTANTIATE_TEST_SUITE_P(
    SourceCase, Token_Values,
    testing::Values(Value_Case{"report \"PASSED\"", {"report", "\"PASSED\""}},
                    Value_Case{"'A' 'b'", {"'A'", "'b'"}},
                    Value_Case{"\"Say \"\"Hi\"\"\"", {"\"Say \"\"Hi\"\"\""}},
                    Value_Case{"%A\"B%", {"%A\"B%"}}, Value_Case{"\n\"AB\"", {"\n\"AB\""}},
                    Value_Case{"Name X\"AB\" 16#FF# 1E3", {"name", "x\"ab\"", "16#ff#", "1e3"}},
                    Value_Case{"T'('A')", {"t", "'('", "a", "'", ")"}}));

TEST(SourceCase, YytextIsFolded) {
    Scan_Result r = Scan("\"PASSED\" 'A'");
    ASSERT_EQ(r.tokens.size(), 2u);
    EXPECT_EQ(r.tokens[0].text, "\"passed\"");
    EXPECT_EQ(r.tokens[0].value, "\"PASSED\"");
    EXPECT_EQ(r.tokens[1].text, "'a'");
    EXPECT_EQ(r.tokens[1].value, "'A'");
}

// Line and column after each token; a tab moves to the next multiple of 8.
struct Position_Case {
    std::string input;
    std::vector<std::pair<int, int>> positions;  // (line, column) after each token
    std::pair<int, int> end;
};

void PrintTo(const Position_Case& c, std::ostream* os) { *os << testing::PrintToString(c.input); }

class Positions : public testing::TestWithParam<Position_Case> {};

TEST_P(Positions, Match) {
    Scan_Result r = Scan(GetParam().input);
    std::vector<std::pair<int, int>> positions;
    for (const Scanned& t : r.tokens) positions.push_back({t.line, t.column});
    EXPECT_EQ(positions, GetParam().positions);
    EXPECT_EQ(std::make_pair(r.end.line, r.end.column), GetParam().end);
}

INSTANTIATE_TEST_SUITE_P(
    Counting, Positions,
    testing::Values(
        Position_Case{"abc\tx", {{1, 3}, {1, 9}}, {1, 9}},
        Position_Case{"abcdefgh\tx", {{1, 8}, {1, 17}}, {1, 17}},
        Position_Case{"\tx\t", {{1, 9}}, {1, 16}},
        Position_Case{"a\t\tb", {{1, 1}, {1, 17}}, {1, 17}},
        Position_Case{"\"a\tb\" c", {{1, 10}, {1, 12}}, {1, 12}},
        Position_Case{"x -- comment\nab", {{1, 1}, {2, 2}}, {2, 2}},
        Position_Case{"-- c\n  x", {{2, 3}}, {2, 3}},
        Position_Case{"a -- c", {{1, 1}}, {1, 2}},
        Position_Case{"a\nb\n\nc\n", {{1, 1}, {2, 1}, {4, 1}}, {5, 0}},
        Position_Case{"a\r\nb", {{1, 1}, {2, 1}}, {2, 1}},
        Position_Case{"\rx", {{1, 2}}, {1, 2}},
        Position_Case{"a#b", {{1, 1}, {1, 3}}, {1, 3}},
        Position_Case{"a\xc3\xa9" "b", {{1, 1}, {1, 4}}, {1, 4}},
        Position_Case{"a__b", {{1, 1}, {1, 4}}, {1, 4}},
        Position_Case{"x := 16#ff#;", {{1, 1}, {1, 4}, {1, 11}, {1, 12}}, {1, 12}},
        Position_Case{"", {}, {1, 0}}));

TEST(EmptyInput, ReturnsEndAtOnce) {
    Scan_Result r = Scan("");
    EXPECT_TRUE(r.tokens.empty());
    EXPECT_EQ(r.end.code, 0);
    EXPECT_EQ(r.end.text, "");
    EXPECT_EQ(yyleng, 0);
    EXPECT_EQ(r.end.value, "");
}

// The depth after each token: case, component, if and "=>" deepen it once.
TEST(IndentationHooks, CaseComponentIfAndArrowEachDeepenOnce) {
    struct Case {
        std::string input;
        std::vector<int> depths;
    };
    const Case cases[] = {
        {"case x is when a => null; end case;", {1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3}},
        {"component c end component;", {1, 1, 1, 2, 2}},
        {"if a then end if;", {1, 1, 1, 1, 2, 2}},
        {"IF Case COMPONENT", {1, 2, 3}},
        {"f(x => 1, y => 2)", {0, 0, 0, 1, 1, 1, 1, 2, 2, 2}},
        {"=>> >= <= = > iff ifx cases", {1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"-- if case =>\n\"if\" 'i'", {0, 0}},
    };
    for (const Case& c : cases) {
        Scan_Result r = Scan(c.input);
        std::vector<int> depths;
        for (const Scanned& t : r.tokens) depths.push_back(t.depth);
        EXPECT_EQ(depths, c.depths) << c.input;
    }
}

// The scanner takes characters only as far as the match needs them, so a
// token is returned without waiting for input beyond it.
TEST(Reading, StopsAtTheCharacterThatEndsTheMatch) {
    struct Case {
        std::string input;
        std::vector<long> read;  // characters read after each token
    };
    const Case cases[] = {
        {"a;b", {2, 2, 3}},
        {"(x)", {1, 3, 3}},
        {"1.5e+x", {6, 6, 6, 6}},
        {"ab  cd", {3, 6}},
        {"=> :=", {2, 5}},
    };
    for (const Case& c : cases) {
        Scan_Result r = Scan(c.input);
        std::vector<long> read;
        for (const Scanned& t : r.tokens) read.push_back(t.read);
        EXPECT_EQ(read, c.read) << c.input;
    }
}

TEST(LongLexemes, GrowBeyondTheFirstBuffer) {
    std::string name(20000, 'q');
    std::string str = "\"" + std::string(40000, 'S') + "\"";
    Scan_Result r = Scan("a " + name + " " + str + " b");
    ASSERT_EQ(r.tokens.size(), 4u);
    EXPECT_EQ(Token_Name(r.tokens[1].code), "Identifier");
    EXPECT_EQ(r.tokens[1].text, name);
    EXPECT_EQ(Token_Name(r.tokens[2].code), "StringLit");
    EXPECT_EQ(r.tokens[2].value, str);
    EXPECT_EQ(r.tokens[2].text.size(), 40002u);
    EXPECT_EQ(r.tokens[3].text, "b");
    EXPECT_EQ(r.tokens[3].column, 2 + 20000 + 1 + 40002 + 2);
}

TEST(LongLexemes, UnclosedLongStringIsScannedAgainWithoutItsMark) {
    std::string body(20000, 'w');
    Scan_Result r = Scan("\"" + body + " x\ny");
    ASSERT_EQ(r.tokens.size(), 3u);
    EXPECT_EQ(r.tokens[0].text, body);
    EXPECT_EQ(r.tokens[0].column, 20001);
    EXPECT_EQ(r.tokens[1].text, "x");
    EXPECT_EQ(r.tokens[2].value, "\ny");
    EXPECT_EQ(r.tokens[2].line, 2);
}

TEST(LongLexemes, ManySmallTokensPastTheBufferSize) {
    std::string input;
    for (int i = 0; i < 20000; i++) input += "ab ";
    Scan_Result r = Scan(input);
    ASSERT_EQ(r.tokens.size(), 20000u);
    for (const Scanned& t : r.tokens) ASSERT_EQ(t.text, "ab");
    EXPECT_EQ(r.tokens.back().column, 3 * 20000 - 1);
}

TEST(LongLexemes, OneMegabyteCommentLine) {
    Scan_Result r = Scan("a --" + std::string(1 << 20, 'c') + "\nb");
    ASSERT_EQ(r.tokens.size(), 2u);
    EXPECT_EQ(r.tokens[1].value, "\nb");
    EXPECT_EQ(r.tokens[1].line, 2);
    EXPECT_EQ(r.tokens[1].column, 1);
}

}  // namespace
