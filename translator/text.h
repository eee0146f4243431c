// Text values: the text of every token and grammar symbol.
//
// Every reduction builds the text of its left-hand side from the texts of its
// right-hand side, and the whole design is printed once at the end. Copying the
// accumulated text at every reduction would be quadratic in the length of a
// list, so a text value is a list of chunks: joining texts links their lists,
// and only results that are small are copied into one fresh chunk. Total time
// and memory stay linear in the size of the design.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

struct Chunk;

// Copies n bytes; short copies (most tokens) without a library call, as two
// overlapping fixed-size moves.
inline char* Copy_Small(char* to, const char* from, size_t n) {
    if (n >= 8) {
        if (n <= 16) {
            std::memcpy(to, from, 8);
            std::memcpy(to + n - 8, from + n - 8, 8);
        } else {
            std::memcpy(to, from, n);
        }
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n > 0) {
        to[0] = from[0];
        to[n / 2] = from[n / 2];
        to[n - 1] = from[n - 1];
    }
    return to + n;
}

// A text value with exactly one owner. It is a plain struct so that it can sit
// on the parser's value stack; whoever consumes it (Format, Combine, Release)
// owns its chunks from then on. A text of up to INLINE_TEXT bytes (most
// tokens) is kept in the struct itself; a longer one is a list of chunks.
constexpr size_t INLINE_TEXT = 16;

struct Text {
    union {
        struct {
            Chunk* head;
            Chunk* tail;
        } list;
        char bytes[INLINE_TEXT];
    };
    size_t len;
    unsigned flags;  // bookkeeping of the grammar actions, never printed
    // The source line of the text's first token (0: none known). A token
    // gets its line from the scanner; a formatted text takes the line of its
    // first argument that has one.
    int line;
};

inline int Line_Of(const Text& t) { return t.line; }

// Flags that grammar actions pass along with a text.
enum : unsigned {
    NAME_PUSHED = 1,   // the construct or designator put a name on the name stack
    PRIMARY_UNIT = 2,  // the library unit is an entity, configuration or package
    CONTEXT_UNIT = 4,  // the (first) design unit is a context declaration (2008)
};

// The flags of a text, read and set out of line: the parser then never keeps
// a text's flags apart from the rest of it, and copies it whole.
unsigned Flags_Of(const Text& t);
void Set_Flags(Text& t, unsigned flags);

// Text that belongs to someone else (the indentation prefix, a fixed word):
// it is formatted into results but never released.
struct Text_Ref {
    const char* s;
    size_t n;
};

Text Empty_Text();
Text Make_String(const char* s);
Text Make_String(const char* s, size_t n);
Text Make_String(const std::string& s);

// The first text followed by the second; both are consumed.
Text Combine(Text first, Text second);

// A fresh text holding the run of line feeds that begins t (empty if none).
Text Return_Linefeeds(const Text& t);
// A fresh text holding t without its leading run of line feeds.
Text Strip_Linefeeds_And_Return(const Text& t);

// Removes the leading run of line feeds from t and returns it.
Text Take_Linefeeds(Text& t);
// Removes the first k bytes of t (at most its length) and returns them.
Text Take_Prefix(Text& t, size_t k);
// The length of the run of line feeds, tabs and blanks that begins t.
size_t Leading_Layout(const Text& t);

// Gives the chunks of t back; t is empty afterwards.
void Release(Text& t);

std::string Text_String(const Text& t);
// The first n bytes of t (all of it when it is shorter).
std::string Text_Prefix(const Text& t, size_t n);
size_t Leading_Linefeeds(const Text& t);
// The first byte of t, or -1 when t is empty.
int First_Byte(const Text& t);
// Writes t to out; false when the stream reports an error.
bool Write_Text(FILE* out, const Text& t);

// One argument of Format: a text value that Format consumes, or a borrowed text.
struct Format_Arg {
    Format_Arg(Text t) : text(t), borrowed(nullptr) {}
    Format_Arg(Text_Ref r) : text(Empty_Text()), borrowed(r.s) { text.len = r.n; }
    Text text;             // the text value, or only the length of a borrowed text
    const char* borrowed;  // null for a text value
};

Text Format_Args(const char* format, Format_Arg* args, size_t count);

// Fills a template: each "%s" of format takes the next argument, every other
// character of format is written as it stands. Text arguments are consumed.
template <class... A>
Text Format(const char* format, A... args) {
    Format_Arg list[] = {Format_Arg(args)...};
    return Format_Args(format, list, sizeof...(args));
}

// Line feeds seen by the scanner since the last token became a text value.
extern int Next_Line_Flag;

// The text value of the token just scanned (its line feeds, then its lexeme),
// stored in yylval; q for reserved words, p for all other tokens. Both return
// the token code they were given.
int q(int token);
int p(int token);

// Heap exhaustion ends the run: nothing of the design is printed.
[[noreturn]] void Memory_Error();
