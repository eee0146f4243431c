// Text values, the indentation prefix and the name stack.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scanner.h"
#include "tokens.h"
#include "scope.h"
#include "stack.h"
#include "text.h"

namespace {

// A text made of one chunk per piece, joined with Combine.
Text Pieces(const std::vector<std::string>& pieces) {
    Text t = Empty_Text();
    for (const std::string& s : pieces) t = Combine(t, Make_String(s));
    return t;
}

std::string Joined(const std::vector<std::string>& pieces) {
    std::string s;
    for (const std::string& p : pieces) s += p;
    return s;
}

std::string Take(Text t) {
    std::string s = Text_String(t);
    Release(t);
    return s;
}

TEST(MakeString, CopiesTheText) {
    EXPECT_EQ(Take(Make_String("")), "");
    EXPECT_EQ(Make_String("").len, 0u);
    char source[] = "entity";
    Text t = Make_String(source);
    source[0] = 'E';
    EXPECT_EQ(Take(t), "entity");
    std::string big(5000, 'b');
    EXPECT_EQ(Take(Make_String(big)), big);
}

TEST(Combine, JoinsFirstThenSecond) {
    struct Case {
        std::string first, second;
    };
    const std::string a16(16, 'a'), b17(17, 'b');
    for (const Case& c : {Case{"", ""}, Case{"", "abc"}, Case{"abc", ""}, Case{"ab", "cd"}, Case{a16, ""},
                          Case{"", a16}, Case{a16, "c"}, Case{"c", a16}, Case{"12345678", "abcdefgh"},
                          Case{b17, ""}, Case{"", b17}, Case{b17, b17}, Case{a16, b17},
                          Case{std::string(300, 'x'), std::string(2000, 'y')}}) {
        Text t = Combine(Make_String(c.first), Make_String(c.second));
        EXPECT_EQ(t.len, c.first.size() + c.second.size());
        EXPECT_EQ(Take(t), c.first + c.second);
    }
    // A joined text joins again, at either end.
    Text t = Combine(Make_String("b"), Make_String("c"));
    t = Combine(Make_String("a"), t);
    t = Combine(t, Combine(Make_String("d"), Make_String("")));
    EXPECT_EQ(Take(t), "abcd");
    std::string expected;
    Text grown = Empty_Text();
    for (int i = 0; i < 50; i++) {
        std::string piece(static_cast<size_t>(i % 20), static_cast<char>('a' + i % 26));
        grown = (i % 2) ? Combine(grown, Make_String(piece)) : Combine(Make_String(piece), grown);
        expected = (i % 2) ? expected + piece : piece + expected;
    }
    EXPECT_EQ(Take(grown), expected);
}

// Splitting the leading line feeds off a text.
struct Split_Case {
    std::vector<std::string> pieces;
    std::string line_feeds;
    std::string rest;
};

void PrintTo(const Split_Case& c, std::ostream* os) { *os << testing::PrintToString(c.pieces); }

class Split : public testing::TestWithParam<Split_Case> {};

TEST_P(Split, ReturnAndStripLeaveTheTextAlone) {
    const Split_Case& c = GetParam();
    Text t = Pieces(c.pieces);
    EXPECT_EQ(Take(Return_Linefeeds(t)), c.line_feeds);
    EXPECT_EQ(Take(Strip_Linefeeds_And_Return(t)), c.rest);
    EXPECT_EQ(Leading_Linefeeds(t), c.line_feeds.size());
    EXPECT_EQ(Take(t), Joined(c.pieces));
}

TEST_P(Split, TakeLinefeedsLeavesTheRest) {
    const Split_Case& c = GetParam();
    Text t = Pieces(c.pieces);
    EXPECT_EQ(Take(Take_Linefeeds(t)), c.line_feeds);
    EXPECT_EQ(t.len, c.rest.size());
    EXPECT_EQ(Text_String(t), c.rest);
    // What is left still joins at both ends.
    t = Combine(Make_String("<"), Combine(t, Make_String(">")));
    EXPECT_EQ(Take(t), "<" + c.rest + ">");
}

INSTANTIATE_TEST_SUITE_P(
    LineFeeds, Split,
    testing::Values(Split_Case{{"end"}, "", "end"}, Split_Case{{""}, "", ""},
                    Split_Case{{"\n\n\n"}, "\n\n\n", ""}, Split_Case{{" \nx"}, "", " \nx"},
                    Split_Case{{"\r\nx"}, "", "\r\nx"}, Split_Case{{"\n\t\nx"}, "\n", "\t\nx"},
                    Split_Case{{"\n", "\n\nx"}, "\n\n\n", "x"},
                    Split_Case{{"\n", "", "\n", "x\n"}, "\n\n", "x\n"},
                    Split_Case{{"\n\n", "\n"}, "\n\n\n", ""},
                    Split_Case{{"\nab", "\ncd"}, "\n", "ab\ncd"},
                    Split_Case{{"\n", "exit", "\n", ";"}, "\n", "exit\n;"},
                    Split_Case{{std::string(3000, '\n'), "x"}, std::string(3000, '\n'), "x"},
                    // Pieces long enough to be held apart.
                    Split_Case{{std::string(20, '\n'), std::string(20, '\n') + std::string(20, 'x')},
                               std::string(40, '\n'), std::string(20, 'x')},
                    Split_Case{{std::string(30, '\n'), "ab"}, std::string(30, '\n'), "ab"},
                    Split_Case{{"\n", std::string(30, 'y'), std::string(20, '\n')}, "\n",
                               std::string(30, 'y') + std::string(20, '\n')},
                    Split_Case{{std::string(17, '\n'), std::string(17, '\n'), std::string(17, ' ')},
                               std::string(34, '\n'), std::string(17, ' ')},
                    Split_Case{{std::string(5, '\n'), std::string(40, 'z'), "\n\n", std::string(40, 'w')},
                               std::string(5, '\n'),
                               std::string(40, 'z') + "\n\n" + std::string(40, 'w')}));

TEST(Format, FillsEachPlaceInOrder) {
    static const char long_word[] = "a borrowed text that is long enough to be linked rather than copied";
    std::string big(300, 'B');
    std::string mid(100, 'm');
    struct Case {
        const char* what;
        Text result;
        std::string expected;
    };
    Case cases[] = {
        {"no places", Format("plain"), "plain"},
        {"empty", Format(""), ""},
        {"owned and borrowed", Format("%s-%s", Make_String("a"), Text_Ref{"b", 1}), "a-b"},
        {"empty arguments", Format("[%s%s]", Make_String(""), Text_Ref{"", 0}), "[]"},
        {"percent alone", Format("50% %s%", Make_String("x")), "50% x%"},
        {"joined argument", Format("<%s>", Pieces({"a", "b", "c"})), "<abc>"},
        {"large owned", Format("[%s]", Make_String(big)), "[" + big + "]"},
        {"large borrowed", Format("%s %s %s %s %s", Text_Ref{long_word, sizeof long_word - 1}, Make_String(mid),
                                  Text_Ref{long_word, sizeof long_word - 1}, Make_String("z"),
                                  Make_String(mid)),
         std::string(long_word) + " " + mid + " " + long_word + " z " + mid},
        {"small pieces of a large result",
         Format("%s;%s;%s;%s;%s", Make_String(std::string(60, 'a')), Make_String(std::string(60, 'b')),
                Make_String(std::string(60, 'c')), Make_String(std::string(60, 'd')),
                Make_String(std::string(60, 'e'))),
         std::string(60, 'a') + ";" + std::string(60, 'b') + ";" + std::string(60, 'c') + ";" +
             std::string(60, 'd') + ";" + std::string(60, 'e')},
        {"exactly 256", Format("%s%s", Make_String(std::string(200, 'x')), Make_String(std::string(56, 'y'))),
         std::string(200, 'x') + std::string(56, 'y')},
        {"257", Format("%s%s", Make_String(std::string(200, 'x')), Make_String(std::string(57, 'y'))),
         std::string(200, 'x') + std::string(57, 'y')},
        {"many", Format("%s %s %s %s %s %s %s %s %s %s %s %s %s %s %s %s", Make_String("1"), Make_String("2"),
                        Make_String("3"), Make_String("4"), Make_String("5"), Make_String("6"), Make_String("7"),
                        Make_String("8"), Make_String("9"), Make_String("10"), Make_String("11"),
                        Make_String("12"), Make_String("13"), Make_String("14"), Make_String("15"),
                        Make_String(big)),
         "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 " + big},
    };
    for (Case& c : cases) {
        EXPECT_EQ(c.result.len, c.expected.size()) << c.what;
        EXPECT_EQ(Take(c.result), c.expected) << c.what;
    }
}

TEST(Format, LargeResultsNestAndSplit) {
    // Large results link the texts of their parts; taking the line feeds off
    // the front and building on them must not disturb the parts.
    Text inner = Format("\n\n%s%s", Make_String(std::string(400, 'i')), Text_Ref{"\t", 1});
    Text outer = Format("%s;%s", inner, Make_String(std::string(300, 'o')));
    Text lf = Take_Linefeeds(outer);
    EXPECT_EQ(Take(lf), "\n\n");
    Text again = Format("%s|%s", Make_String("head"), outer);
    EXPECT_EQ(Take(again), "head|" + std::string(400, 'i') + "\t;" + std::string(300, 'o'));
}

// q and p build the value of the token in yytext.
class Token_Value : public testing::Test {
  protected:
    void SetUp() override {
        saved_text = yytext;
        saved_source = yysource;
        saved_length = yyleng;
    }
    void TearDown() override {
        yytext = saved_text;
        yysource = saved_source;
        yyleng = saved_length;
        Next_Line_Flag = 0;
    }
    void Token(const char* folded, const char* source) {
        std::snprintf(text, sizeof text, "%s", folded);
        std::snprintf(raw, sizeof raw, "%s", source);
        yytext = text;
        yysource = raw;
        yyleng = static_cast<int>(std::strlen(folded));
    }
    char text[64];
    char raw[64];
    char* saved_text;
    char* saved_source;
    int saved_length;
};

TEST_F(Token_Value, LineFeedsThenLexeme) {
    struct Case {
        int line_feeds;
        int token;
        bool reserved;
        const char* folded;
        const char* source;
        std::string value;
    };
    const Case cases[] = {
        {3, END, true, "end", "END", "\n\n\nend"},
        {0, END, true, "end", "End", "end"},
        {1, Identifier, false, "abc", "ABC", "\nabc"},
        {2, StringLit, false, "\"ok\"", "\"OK\"", "\n\n\"OK\""},
        {0, CharacterLit, false, "'a'", "'A'", "'A'"},
        {0, BitStringLit, false, "x\"ff\"", "X\"FF\"", "x\"ff\""},
        {4, ';', false, ";", ";", "\n\n\n\n;"},
    };
    for (const Case& c : cases) {
        Token(c.folded, c.source);
        Next_Line_Flag = c.line_feeds;
        int code = c.reserved ? q(c.token) : p(c.token);
        EXPECT_EQ(code, c.token);
        EXPECT_EQ(Next_Line_Flag, 0);
        EXPECT_EQ(Take(yylval), c.value) << c.folded;
    }
}

// The indentation depth and its prefix of tabs.
class Scope : public testing::Test {
  protected:
    void SetUp() override {
        saved_text = yytext;
        yytext = token;
        scope = 0;
        scope_text = Make_Scope_String(0);
    }
    void TearDown() override {
        yytext = saved_text;
        scope = 0;
        scope_text = Make_Scope_String(0);
    }
    char token[8] = "when";
    char* saved_text;
};

TEST_F(Scope, StepsUpAndDown) {
    struct Step {
        char op;  // + Inc_Scope, - Dec_Scope
        int depth;
        std::string prefix;
        std::string report;
    };
    const std::vector<Step> steps = {
        {'+', 1, "\t", ""},
        {'+', 2, "\t\t", ""},
        {'-', 1, "\t", ""},
        {'-', 0, "", ""},
        {'-', -1, "", "ERROR in passed value (-1)(when)...\n"},
        {'+', 0, "", ""},
        {'-', -1, "", "ERROR in passed value (-1)(when)...\n"},
        {'-', -2, "", "ERROR in passed value (-2)(when)...\n"},
        {'+', -1, "", "ERROR in passed value (-1)(when)...\n"},
        {'+', 0, "", ""},
        {'+', 1, "\t", ""},
    };
    for (size_t i = 0; i < steps.size(); i++) {
        const Step& s = steps[i];
        testing::internal::CaptureStderr();
        if (s.op == '+')
            Inc_Scope();
        else
            Dec_Scope();
        std::string report = testing::internal::GetCapturedStderr();
        EXPECT_EQ(scope, s.depth) << "step " << i;
        EXPECT_EQ(std::string(scope_text.s, scope_text.n), s.prefix) << "step " << i;
        EXPECT_EQ(report, s.report) << "step " << i;
    }
}

TEST_F(Scope, DeepPrefixesLeaveEarlierOnesValid) {
    std::vector<std::pair<int, Text_Ref>> made;
    for (int depth : {0, 3, 64, 65, 200, 5000, 7, 130}) made.push_back({depth, Make_Scope_String(depth)});
    for (const auto& m : made) EXPECT_EQ(std::string(m.second.s, m.second.n), std::string(m.first, '\t'));
    // A prefix formatted into a text stays as it was.
    Text t = Format("%s;%s", Text_Ref(made[1].second), Text_Ref(made[5].second));
    Make_Scope_String(20000);
    EXPECT_EQ(Take(t), "\t\t\t;" + std::string(5000, '\t'));
    for (int i = 0; i < 70; i++) Inc_Scope();
    EXPECT_EQ(std::string(scope_text.s, scope_text.n), std::string(70, '\t'));
}

// The name stack.
class Name_Stack : public testing::Test {
  protected:
    void TearDown() override {
        while (stack) Pop_Stack();
    }
};

TEST_F(Name_Stack, ReturnFilenameJoinsOuterToInner) {
    struct Case {
        std::vector<std::string> pushed;  // outermost first
        std::string joined;
    };
    const Case cases[] = {
        {{}, ""},
        {{"p1"}, "p1"},
        {{"outer", "middle", "inner"}, "outer:middle:inner"},
        {{"\n\nproc"}, "proc"},
        {{"blk", "\nf", "\n\n\np"}, "blk:f:p"},
    };
    for (const Case& c : cases) {
        for (const std::string& name : c.pushed) {
            Text t = Make_String(name);
            Push_Stack(t);
            EXPECT_EQ(Take(t), name) << "the name stays with the caller";
        }
        EXPECT_EQ(Return_Filename(), c.joined);
        EXPECT_EQ(Return_Filename(), c.joined) << "reading leaves the stack alone";
        while (stack) Pop_Stack();
    }
}

TEST_F(Name_Stack, PushStoresNameWithoutLineFeeds) {
    Text t = Pieces({"\n", "\nname", "x"});
    Push_Stack(t);
    Release(t);
    ASSERT_NE(stack, nullptr);
    EXPECT_STREQ(stack->name, "namex");
    EXPECT_EQ(stack->next, nullptr);
}

TEST_F(Name_Stack, PopRemovesTheInnermost) {
    Pop_Stack();
    EXPECT_EQ(stack, nullptr);
    for (const char* name : {"a", "b", "c"}) {
        Text t = Make_String(name);
        Push_Stack(t);
        Release(t);
    }
    Pop_Stack();
    EXPECT_EQ(Return_Filename(), "a:b");
    Pop_Stack();
    Pop_Stack();
    EXPECT_EQ(stack, nullptr);
    EXPECT_EQ(Return_Filename(), "");
    Pop_Stack();
    EXPECT_EQ(stack, nullptr);
}

}  // namespace
