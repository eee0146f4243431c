// Line preservation: every design of the test folders and the examples goes
// through the built translator, and each token of its output must stand on
// the line that it has in the source. The only shift allowed is a line break
// that a template drops in front of ',', ';', ':' or '.': from there on the
// output runs that many lines behind. Besides, the output must hold exactly
// the source's tokens, in their order, plus the inserted texts (the
// TEXTIO use clause, the trace-file declarations and the line-trace
// statements), each inserted text on one line.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run_program.h"

namespace {

enum class Kind { Word, Extended, Number, String, BitString, Character, Delimiter };

struct Token {
    std::string text;
    Kind kind;
    int line;
};

const std::set<std::string>& Reserved_Words() {
    static const std::set<std::string> words = {
        "abs", "access", "after", "alias", "all", "and", "architecture", "array", "assert",
        "attribute", "begin", "block", "body", "buffer", "bus", "case", "component",
        "configuration", "constant", "disconnect", "downto", "else", "elsif", "end", "entity",
        "exit", "file", "for", "function", "generate", "generic", "guarded", "if", "in", "inout",
        "is", "label", "library", "linkage", "loop", "map", "mod", "nand", "new", "next", "nor",
        "not", "null", "of", "on", "open", "or", "others", "out", "package", "port", "procedure",
        "process", "range", "record", "register", "rem", "report", "return", "select", "severity",
        "signal", "subtype", "then", "to", "transport", "type", "units", "until", "use",
        "variable", "wait", "when", "while", "with", "xor"};
    return words;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A tick after a name is the attribute mark; anywhere else a quote, one
// character and a quote make a character literal.
bool Tick_Follows(const std::vector<Token>& tokens) {
    if (tokens.empty()) return false;
    const Token& last = tokens.back();
    if (last.text == ")") return true;
    return last.kind == Kind::Extended || (last.kind == Kind::Word && !Reserved_Words().count(Lower(last.text)));
}

// The base of a bit string: b, o, x, d, ub, uo, ux, sb, so or sx, a decimal
// length in front of it or not.
bool Is_Base(const std::string& word) {
    size_t i = 0;
    while (i < word.size() && (std::isdigit(static_cast<unsigned char>(word[i])) || (i > 0 && word[i] == '_'))) i++;
    std::string base = Lower(word.substr(i));
    static const std::set<std::string> bases = {"b", "o", "x", "d", "ub", "uo", "ux", "sb", "so", "sx"};
    return bases.count(base) > 0;
}

// Identifiers, abstract literals, strings, bit strings, character literals
// and delimiters, with their line numbers; comments are dropped.
std::vector<Token> Tokenize(const std::string& s) {
    std::vector<Token> tokens;
    int line = 1;
    size_t i = 0;
    auto is_word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    while (i < s.size()) {
        char c = s[i];
        if (c == '\n') { line++; i++; continue; }
        if (std::isspace(static_cast<unsigned char>(c))) { i++; continue; }
        if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            while (i < s.size() && s[i] != '\n') i++;
            continue;
        }
        size_t start = i;
        Kind kind;
        if (std::isalpha(static_cast<unsigned char>(c))) {
            while (i < s.size() && is_word(s[i])) i++;
            kind = Kind::Word;
        } else if (c == '\\' && s.find('\\', i + 1) < s.find('\n', i)) {
            // A VHDL-93 extended identifier, a doubled backslash inside.
            i++;
            while (i < s.size()) {
                if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == '\\') { i += 2; continue; }
                if (s[i] == '\\') { i++; break; }
                i++;
            }
            kind = Kind::Extended;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            // Digits, underscores, based literals (16#ff#), a fraction and an exponent.
            while (i < s.size()) {
                if (is_word(s[i]) || s[i] == '#') {
                    i++;
                } else if (s[i] == '.' && i + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
                    i++;
                } else if ((s[i] == '+' || s[i] == '-') && (s[i - 1] == 'e' || s[i - 1] == 'E') &&
                           i + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
                    i++;
                } else {
                    break;
                }
            }
            kind = Kind::Number;
        } else if (c == '"') {
            i++;
            while (i < s.size()) {
                if (s[i] == '"' && i + 1 < s.size() && s[i + 1] == '"') { i += 2; continue; }
                if (s[i] == '"') { i++; break; }
                i++;
            }
            kind = Kind::String;
        } else if (c == '\'' && i + 2 < s.size() && s[i + 2] == '\'' && !Tick_Follows(tokens)) {
            i += 3;
            kind = Kind::Character;
        } else {
            static const std::vector<std::string> pairs = {"=>", "**", ":=", "/=", ">=", "<=", "<>"};
            i++;
            for (const std::string& p : pairs)
                if (s.compare(start, 2, p) == 0) { i = start + 2; break; }
            kind = Kind::Delimiter;
        }
        // A base written against a string makes a bit string: x"ff", and in
        // 2008 with a length and the bases of 2008, 8sx"f".
        if (kind == Kind::String && !tokens.empty() && tokens.back().line == line &&
            (tokens.back().kind == Kind::Word || tokens.back().kind == Kind::Number) &&
            s.compare(start - tokens.back().text.size(), tokens.back().text.size(), tokens.back().text) == 0 &&
            Is_Base(tokens.back().text)) {
            tokens.back().text += s.substr(start, i - start);
            tokens.back().kind = Kind::BitString;
            continue;
        }
        tokens.push_back({s.substr(start, i - start), kind, line});
    }
    return tokens;
}

// A bit string as the translator writes it: folded, but for the characters
// of its value that are no digits (2008), which stand for themselves.
std::string Folded_Bit_String(const std::string& s) {
    std::string folded = Lower(s);
    for (size_t i = folded.find_first_of("\"%") + 1; i + 1 < folded.size(); i++)
        if (!std::isxdigit(static_cast<unsigned char>(folded[i]))) folded[i] = s[i];
    return folded;
}

// The texts that the translator inserts, token by token. "<string>" and
// "<number>" stand for any string or abstract literal.
const std::vector<std::vector<std::string>>& Inserted_Texts() {
    static const std::vector<std::vector<std::string>> texts = {
        {"USE", "STD", ".", "TEXTIO", ".", "ALL", ";"},
        {"FILE", "outfile1", ":", "TEXT", "IS", "OUT", "<string>", ";", "variable", "out_line", ":",
         "LINE", ";", "variable", "line_number", ":", "integer", ";"},
        {"line_number", ":=", "<number>", ";", "WRITE", "(", "out_line", ",", "line_number", ")", ";",
         "WRITELINE", "(", "outfile1", ",", "out_line", ")", ";"},
    };
    return texts;
}

// The length of the inserted text that starts at tokens[k], or 0.
size_t Inserted_At(const std::vector<Token>& tokens, size_t k) {
    for (const auto& text : Inserted_Texts()) {
        if (k + text.size() > tokens.size()) continue;
        bool match = true;
        for (size_t j = 0; j < text.size() && match; j++) {
            const Token& t = tokens[k + j];
            if (text[j] == "<string>") match = t.kind == Kind::String;
            else if (text[j] == "<number>") match = t.kind == Kind::Number;
            else match = t.text == text[j];
        }
        if (match) return text.size();
    }
    return 0;
}

struct Check_Result {
    std::vector<std::string> faults;
    int dropped_breaks = 0;
    int inserted_texts = 0;
};

std::string Where(const Token& t) { return "'" + t.text + "' (line " + std::to_string(t.line) + ")"; }

// In exact mode the counts stand in front of statements and wrap the
// conditions of concurrent statements, and an unconditional concurrent
// assignment repeats its waveform: output tokens that are not the next
// source token are taken as inserted, and only the source tokens' lines are
// checked.
Check_Result Check_Lines(const std::string& source, const std::string& output, bool exact = false) {
    Check_Result r;
    std::vector<Token> src = Tokenize(source);
    std::vector<Token> all = Tokenize(output);
    std::vector<Token> out;
    for (size_t k = 0; k < all.size();) {
        size_t n = exact ? 0 : Inserted_At(all, k);
        if (n == 0) { out.push_back(all[k]); k++; continue; }
        if (all[k + n - 1].line != all[k].line)
            r.faults.push_back("inserted text spreads over lines from " + Where(all[k]));
        r.inserted_texts++;
        k += n;
    }
    int behind = 0;  // lines dropped so far
    size_t o_k = 0, previous = 0;  // the output token matched last
    for (size_t k = 0; k < src.size() || (!exact && o_k < out.size()); k++, o_k++) {
        if (k >= src.size()) { r.faults.push_back("extra output token " + Where(out[o_k])); break; }
        const Token& s = src[k];
        // Character and string literals and extended identifiers come out as
        // written; every other token folded.
        bool literal = s.kind == Kind::String || s.kind == Kind::Character || s.kind == Kind::Extended;
        std::string want = literal ? s.text : s.kind == Kind::BitString ? Folded_Bit_String(s.text) : Lower(s.text);
        if (exact) {
            size_t first = o_k;
            while (o_k < out.size() && out[o_k].text != want) o_k++;
            if (o_k > first) r.inserted_texts++;
        }
        if (o_k >= out.size()) { r.faults.push_back("source token missing: " + Where(s)); break; }
        const Token& o = out[o_k];
        if (want != o.text) {
            r.faults.push_back("source token " + Where(s) + " comes out as " + Where(o));
            break;
        }
        int expected = s.line - behind;
        size_t before = previous;
        previous = o_k;
        if (o.line == expected) continue;
        static const std::set<std::string> droppable = {",", ";", ":", "."};
        bool dropped = o.line < expected && droppable.count(s.text) && k > 0 &&
                       s.line > src[k - 1].line && o.line == out[before].line;
        if (!dropped) {
            r.faults.push_back("source token " + Where(s) + " stands on output line " + std::to_string(o.line) +
                               " instead of " + std::to_string(expected));
            break;
        }
        behind = s.line - o.line;
        r.dropped_breaks++;
    }
    return r;
}

// The checker itself, on hand-made pairs of source and output.
TEST(Line_Checker, AcceptsTheSameLinesAndInsertedTexts) {
    Check_Result r = Check_Lines(
        "entity e is\nend e;\n",
        "USE STD.TEXTIO.ALL;entity e is\t\nend e;");
    EXPECT_TRUE(r.faults.empty()) << r.faults.front();
    EXPECT_EQ(r.inserted_texts, 1);
}

TEST(Line_Checker, RejectsATokenMovedToAnotherLine) {
    Check_Result r = Check_Lines("a <= b;\nc <= d;\n", "a <= b;c <= d;");
    ASSERT_EQ(r.faults.size(), 1u);
    EXPECT_NE(r.faults[0].find("'c' (line 2) stands on output line 1 instead of 2"), std::string::npos)
        << r.faults[0];
}

TEST(Line_Checker, AllowsADroppedBreakBeforeSemicolonAndCountsFromThere) {
    Check_Result r = Check_Lines("null\n;\nx := 1;\n", "null;\nx := 1;");
    EXPECT_TRUE(r.faults.empty()) << r.faults.front();
    EXPECT_EQ(r.dropped_breaks, 1);
    // An added line break is never allowed.
    EXPECT_FALSE(Check_Lines("null;\n", "null\n;").faults.empty());
    // Nor a dropped break in front of anything but , ; : .
    EXPECT_FALSE(Check_Lines("a <=\nb;\n", "a <= b;").faults.empty());
}

TEST(Line_Checker, RejectsLostChangedAndMultiLineInsertedTokens) {
    EXPECT_FALSE(Check_Lines("a <= b;\n", "a <= ;").faults.empty());
    EXPECT_FALSE(Check_Lines("a <= b;\n", "a <= c;").faults.empty());
    EXPECT_FALSE(Check_Lines("null;\n", "null;line_number := 1;\n WRITE(out_line,line_number); "
                                        "WRITELINE(outfile1,out_line);")
                     .faults.empty());
    // Upper case that is not an inserted text stays a token of its own and differs.
    EXPECT_FALSE(Check_Lines("a <= b;\n", "a <= B;").faults.empty());
}

TEST(Line_Checker, LiteralsKeepTheirCapitals) {
    EXPECT_TRUE(Check_Lines("A <= 'Q' & \"Hi\";\n", "a <= 'Q' & \"Hi\";").faults.empty());
    EXPECT_FALSE(Check_Lines("a <= 'Q';\n", "a <= 'q';").faults.empty());
    EXPECT_FALSE(Check_Lines("a <= \"Hi\";\n", "a <= \"hi\";").faults.empty());
}

TEST(Line_Checker, ExactModeSkipsInsertedTokensButNotMovedOnes) {
    EXPECT_TRUE(Check_Lines("s <= a;\nassert b;\n", "s <= a when corvane_t_ran (1, 1) else a;\n"
                                                      "assert corvane_t_ran (2, 1, b);", true)
                    .faults.empty());
    EXPECT_FALSE(Check_Lines("s <= a;\nassert b;\n", "s <= a; assert corvane_t_ran (2, 1, b);", true).faults.empty());
    EXPECT_FALSE(Check_Lines("s <= a;\n", "corvane_t_hit (1); s <=;", true).faults.empty());
}

TEST(Line_Checker, TellsTicksFromCharacterLiterals) {
    std::vector<Token> t = Tokenize("x'event and y = '1' when s(0)'length = 2 else ''';");
    std::vector<std::string> texts;
    for (const Token& k : t) texts.push_back(k.text);
    std::vector<std::string> expected = {"x", "'", "event", "and", "y", "=", "'1'", "when", "s",
                                         "(", "0", ")", "'", "length", "=", "2", "else", "'''", ";"};
    EXPECT_EQ(texts, expected);
}

// The source with its block comments of VHDL-2008 blanked out, line ends
// kept: past comments (--) and string literals.
std::string Without_Block_Comments(std::string s) {
    for (size_t i = 0; i < s.size(); i++) {
        if (s[i] == '-' && i + 1 < s.size() && s[i + 1] == '-') {
            while (i < s.size() && s[i] != '\n') i++;
        } else if (s[i] == '"') {
            for (i++; i < s.size() && s[i] != '"' && s[i] != '\n'; i++) {
            }
        } else if (s[i] == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            size_t end = s.find("*/", i + 2);
            end = end == std::string::npos ? s.size() : end + 2;
            for (; i < end; i++)
                if (s[i] != '\n') s[i] = ' ';
            i--;
        }
    }
    return s;
}

// Every design of the given folders, through the translator without options,
// in exact mode, in VHDL-93 or in VHDL-2008 (exact mode too).
enum Mode { PLAIN, EXACT, VHDL93, VHDL08 };
// A design may name the modes it is meant for ("-- modes: --exact --std=93");
// it is checked in those only.
bool Meant_For(const std::string& source, Mode mode) {
    size_t at = source.find("-- modes: ");
    if (at == std::string::npos) return true;
    std::string modes = " " + source.substr(at + 10, source.find('\n', at) - at - 10) + " ";
    const char* name = mode == PLAIN   ? " plain "
                       : mode == EXACT ? " --exact "
                       : mode == VHDL93 ? " --std=93 "
                                        : " --std=08 ";
    return modes.find(name) != std::string::npos;
}

void Check_Folder(const std::string& folder, int at_least, Mode mode = PLAIN) {
    bool exact = mode != PLAIN;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".vhd") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    int checked = 0, rejected = 0, dropped = 0, inserted = 0;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::string source = Read_File(file);
        if (!Meant_For(source, mode)) continue;
        std::vector<std::string> args;
        if (mode == EXACT) args = {"--exact", "-f", "t"};
        if (mode == VHDL93) args = {"--std=93", "-f", "t"};
        if (mode == VHDL08) args = {"--std=08", "-f", "t"};
        Run_Result run = Run_Program(CORVANE_BINARY, args, source);
        if (run.status == 1) {  // a syntax error report
            rejected++;
            continue;
        }
        ASSERT_EQ(run.status, 0);
        std::string opening = !exact           ? "USE STD.TEXTIO.ALL;"
                              : mode == VHDL08 ? "library ieee; use ieee.std_logic_1164.all; use std.textio.all; "
                                                 "package corvane_t is"
                                               : "use std.textio.all; package corvane_t is";
        ASSERT_EQ(run.out.rfind(opening, 0), 0u) << run.out;
        std::string output = run.out;
        // The package of the counts takes the first line, in front of the
        // first unit's use clause (or of a first unit on line 1 that is a
        // context declaration, which has none).
        if (exact) {
            const std::string package_end = "end corvane_t; ";
            size_t at = output.rfind(package_end, output.find('\n'));
            ASSERT_NE(at, std::string::npos) << output;
            output.erase(0, at + package_end.size());
        }
        Check_Result r = Check_Lines(mode == VHDL08 ? Without_Block_Comments(source) : source, output, exact);
        for (const std::string& fault : r.faults) ADD_FAILURE() << fault;
        checked++;
        dropped += r.dropped_breaks;
        inserted += r.inserted_texts;
    }
    std::cout << folder << ": " << checked << " designs checked, " << rejected
              << " not accepted by the translator; " << inserted
              << " inserted texts, " << dropped << " dropped line breaks\n";
    EXPECT_GE(checked, at_least);
}

TEST(Line_Preservation, GoldenCases) { Check_Folder(SOURCE_DIR "/tests/golden/cases", 20); }
TEST(Line_Preservation, EndToEndCases) { Check_Folder(SOURCE_DIR "/tests/e2e/cases", 10); }
TEST(Line_Preservation, Examples) { Check_Folder(SOURCE_DIR "/examples", 2); }
TEST(Line_Preservation, GoldenCasesInExactMode) { Check_Folder(SOURCE_DIR "/tests/golden/cases", 20, EXACT); }
TEST(Line_Preservation, EndToEndCasesInExactMode) { Check_Folder(SOURCE_DIR "/tests/e2e/cases", 10, EXACT); }
TEST(Line_Preservation, GoldenCasesIn93) { Check_Folder(SOURCE_DIR "/tests/golden/cases", 24, VHDL93); }
TEST(Line_Preservation, EndToEndCasesIn93) { Check_Folder(SOURCE_DIR "/tests/e2e/cases", 10, VHDL93); }
TEST(Line_Preservation, GoldenCasesIn08) { Check_Folder(SOURCE_DIR "/tests/golden/cases", 28, VHDL08); }
TEST(Line_Preservation, EndToEndCasesIn08) { Check_Folder(SOURCE_DIR "/tests/e2e/cases", 10, VHDL08); }

}  // namespace
