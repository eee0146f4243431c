// A hand-written longest-match scanner. Characters are taken from yyin one at
// a time, only as far as the matcher examines them, and folded to lower case
// as they are read. Characters read beyond a match are kept and scanned
// again as the start of the next lexeme; no pattern reaches past a line end.
#include "scanner.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "scope.h"
#include "standard.h"
#include "text.h"
#include "tokens.h"

FILE* yyin = nullptr;
char* yytext = nullptr;
int yyleng = 0;
char* yysource = nullptr;
int current_line_number = 1;
int column = 0;
bool reject_unknown_characters = false;
bool record_keyword_lines = false;
std::vector<int> if_keyword_lines, case_keyword_lines;

namespace {

// Characters read but not yet consumed: folded in `folded`, as written in `raw`.
char* folded = nullptr;
char* raw = nullptr;
size_t buffer_size = 0;
size_t start = 0;  // first character of the lexeme being matched
size_t filled = 0;
bool at_eof = false;

// VHDL-93's own characters: the letters and other graphic characters of
// Latin-1 (from 0xA0 on), extended identifiers and the brackets of
// signatures, and its reserved words. Set from the standard whenever the
// scanner starts; VHDL-2008 has them too.
bool vhdl93 = false;
// VHDL-2008's own: its reserved words (two of them with an underscore), the
// matching and condition operators (?= ?/= ?< ?<= ?> ?>= ??), the question
// mark of case? and select?, and block comments (/* ... */).
bool vhdl08 = false;
// The length of the longest reserved word of the standard being scanned.
size_t longest_word = 13;
// The last token returned: in VHDL-93 an apostrophe after a name is always
// an attribute's or a qualified expression's, so t'('c') is not read as the
// character literal '('.
int previous_token = 0;

// yytext and yysource hold a copy of the lexeme, NUL-terminated.
size_t text_size = 0;

constexpr size_t INITIAL_BUFFER = 16384;

void Grow(char*& block, size_t size, const char* message) {
    char* bigger = static_cast<char*>(std::realloc(block, size));
    if (!bigger) {
        std::fprintf(stderr, "%s\n", message);
        std::exit(1);
    }
    block = bigger;
}

void Build_Word_Table();

void Initialise() {
    vhdl93 = standard != Standard::VHDL87;
    vhdl08 = standard == Standard::VHDL08;
    if (!yyin) yyin = stdin;
    buffer_size = INITIAL_BUFFER;
    text_size = INITIAL_BUFFER;
    const char* message = "out of dynamic memory in yy_create_buffer()";
    Grow(folded, buffer_size, message);
    Grow(raw, buffer_size, message);
    Grow(yytext, text_size, message);
    Grow(yysource, text_size, message);
    yytext[0] = yysource[0] = '\0';
    Build_Word_Table();
}

int Read_More(size_t i);
int End_Of_Input();

// The character at offset i from the start of the lexeme, or EOF.
inline int Peek(size_t i) {
    size_t at = start + i;
    if (__builtin_expect(at < filled, 1)) return static_cast<unsigned char>(folded[at]);
    if (at == filled && filled < buffer_size && !at_eof) {
        // The usual case: the next character of the input.
        int c = getc_unlocked(yyin);
        if (c != EOF) {
            raw[at] = static_cast<char>(c);
            if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
            folded[at] = static_cast<char>(c);
            filled = at + 1;
            return c;
        }
        return End_Of_Input();
    }
    return Read_More(i);
}

// Makes room for one more character: drops what has been consumed, or
// doubles the buffer when a lexeme (with what was read past it) fills it.
void Make_Room() {
    if (start > 0) {
        std::memmove(folded, folded + start, filled - start);
        std::memmove(raw, raw + start, filled - start);
        filled -= start;
        start = 0;
    }
    if (filled == buffer_size) {
        buffer_size *= 2;
        Grow(folded, buffer_size, "fatal error - scanner input buffer overflow");
        Grow(raw, buffer_size, "fatal error - scanner input buffer overflow");
    }
}

// Reads one character at a time until offset i is in the buffer: input is
// taken only as far as the matcher examines it.
int Read_More(size_t i) {
    for (;;) {
        if (at_eof) return EOF;
        if (filled == buffer_size) Make_Room();
        int c = getc_unlocked(yyin);
        if (c == EOF) return End_Of_Input();
        size_t n = filled;
        raw[n] = static_cast<char>(c);
        folded[n] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        filled = n + 1;
        if (start + i <= n) return static_cast<unsigned char>(folded[start + i]);
    }
}

// The end of the input, or of the run when it could not be read: the design
// read so far is not the whole file, so nothing of it is printed.
int End_Of_Input() {
    if (std::ferror(yyin)) {
        std::fprintf(stderr, "corvane: cannot read standard input: %s\n", std::strerror(errno));
        std::exit(3);
    }
    at_eof = true;
    return EOF;
}

// Short lexemes (most of them) are copied without a library call.
void Copy_Lexeme(char* to, const char* from, size_t n) { *Copy_Small(to, from, n) = '\0'; }

// Makes the first n characters of the remaining input the lexeme; a literal
// keeps its source spelling in yysource too.
void Take(size_t n, bool literal = false) {
    if (n + 1 > text_size) {
        while (n + 1 > text_size) text_size *= 2;
        Grow(yytext, text_size, "fatal error - scanner input buffer overflow");
        Grow(yysource, text_size, "fatal error - scanner input buffer overflow");
    }
    Copy_Lexeme(yytext, folded + start, n);
    if (literal) Copy_Lexeme(yysource, raw + start, n);
    yyleng = static_cast<int>(n);
    start += n;
    if (start == filled) start = filled = 0;
}

// Drops the first n characters of the remaining input.
inline void Consume(size_t n) {
    start += n;
    if (start == filled) start = filled = 0;
}

// A blank, tab or other character that yields no token: consumed and counted
// as the column walk over its one-character lexeme would count it (a NUL ends
// that walk at once).
void Skip(int c) {
    Consume(1);
    if (c == '\t')
        column += 8 - column % 8;
    else if (c != '\0')
        column++;
}

bool Is_Letter(int c) { return c >= 'a' && c <= 'z'; }
bool Is_Digit(int c) { return c >= '0' && c <= '9'; }
bool Is_Extended_Digit(int c) { return Is_Digit(c) || (c >= 'a' && c <= 'f'); }
bool Is_Graphic(int c) { return c == ' ' || c == '\t' || (c >= 0x21 && c <= 0x7e) || (vhdl93 && c >= 0xa0); }
// The letters of Latin-1 beyond a to z (all but the signs of multiplication
// and division), which VHDL-93 allows in identifiers; they keep their case.
bool Is_Latin1_Letter(int c) { return vhdl93 && c >= 0xc0 && c <= 0xff && c != 0xd7 && c != 0xf7; }

// Length of the longest run at offset i of the form d { [_] d } for the digit
// class given, or 0.
template <class Digit>
size_t Match_Integer(size_t i, Digit is_digit) {
    if (!is_digit(Peek(i))) return 0;
    size_t n = 1;
    for (;;) {
        if (is_digit(Peek(i + n)))
            n++;
        else if (Peek(i + n) == '_' && is_digit(Peek(i + n + 1)))
            n += 2;
        else
            return n;
    }
}

// An exponent at offset i: e, an optional sign, an integer. Its length or 0.
size_t Match_Exponent(size_t i) {
    if (Peek(i) != 'e') return 0;
    size_t sign = (Peek(i + 1) == '+' || Peek(i + 1) == '-') ? 1 : 0;
    size_t digits = Match_Integer(i + 1 + sign, Is_Digit);
    return digits ? 1 + sign + digits : 0;
}

// Abstract literal: decimal, or based with number signs or with colons.
size_t Match_Abstract_Literal() {
    size_t n = Match_Integer(0, Is_Digit);
    int mark = Peek(n);
    if (mark == '#' || mark == ':') {
        size_t based = Match_Integer(n + 1, Is_Extended_Digit);
        if (based) {
            size_t m = n + 1 + based;
            if (Peek(m) == '.') {
                size_t fraction = Match_Integer(m + 1, Is_Extended_Digit);
                if (fraction) m += 1 + fraction;
            }
            if (Peek(m) == mark) {
                m++;
                return m + Match_Exponent(m);
            }
        }
    }
    if (Peek(n) == '.') {
        size_t fraction = Match_Integer(n + 1, Is_Digit);
        if (fraction) n += 1 + fraction;
    }
    return n + Match_Exponent(n);
}

// String literal delimited by `quote`, doubled delimiters standing for one.
size_t Match_String(int quote) {
    size_t i = 1;
    size_t accepted = 0;
    for (;;) {
        int c = Peek(i);
        if (c == quote) {
            accepted = i + 1;
            if (Peek(i + 1) != quote) break;
            i += 2;
        } else if (Is_Graphic(c)) {
            i++;
        } else {
            break;
        }
    }
    return accepted;
}

// Bit string literal: base letter, delimiter, based integer, delimiter.
size_t Match_Bit_String() {
    int quote = Peek(1);
    if (quote != '"' && quote != '%') return 0;
    size_t digits = Match_Integer(2, Is_Extended_Digit);
    if (!digits || Peek(2 + digits) != quote) return 0;
    return 3 + digits;
}

// A bit string literal of 2008 at offset i (what a length in front of it
// leaves): a base (b o x d, ub uo ux, sb so sx), a delimiter, any graphic
// characters but the delimiter (an empty value too), a delimiter. Its
// length, or 0.
size_t Match_Bit_String_08(size_t i) {
    size_t base = 0;
    int c = Peek(i);
    if (c == 'u' || c == 's') {
        int d = Peek(i + 1);
        if (d == 'b' || d == 'o' || d == 'x') base = 2;
    } else if (c == 'b' || c == 'o' || c == 'x' || c == 'd') {
        base = 1;
    }
    if (!base) return 0;
    int quote = Peek(i + base);
    if (quote != '"' && quote != '%') return 0;
    for (size_t n = i + base + 1;; n++) {
        int d = Peek(n);
        if (d == quote) return n + 1 - i;
        if (!Is_Graphic(d) || d == '\t') return 0;
    }
}

// A bit string literal of 2008 is folded as one of 87 is, but for the
// characters of its value that are no digits: those stand for themselves
// ('Z' and 'z' are not alike), and keep their source spelling.
int Bit_String_08(size_t n) {
    Take(n, true);
    size_t value = std::strcspn(yytext, "\"%") + 1;
    for (size_t i = value; i + 1 < n; i++)
        if (!Is_Extended_Digit(yytext[i])) yytext[i] = yysource[i];
    count();
    return p(BitStringLit);
}

// The length of the identifier at the start of the input; only_letters tells
// whether it could be a reserved word (none holds a digit or an underscore).
size_t Match_Identifier(bool& only_letters) {
    size_t n = 1;
    only_letters = true;
    for (;;) {
        int c = Peek(n);
        if (Is_Letter(c)) {
            n++;
        } else if (Is_Digit(c)) {
            only_letters = false;
            n++;
        } else if (c == '_' && (Is_Letter(Peek(n + 1)) || Is_Digit(Peek(n + 1)) || Is_Latin1_Letter(Peek(n + 1)))) {
            only_letters = false;
            n += 2;
        } else if (Is_Latin1_Letter(c)) {
            only_letters = false;
            n++;
        } else {
            return n;
        }
    }
}

struct Reserved_Word {
    const char* word;
    int token;
};

const Reserved_Word reserved_words[] = {
    {"abs", ABS},
    {"access", ACCESS},
    {"after", AFTER},
    {"alias", ALIAS},
    {"all", ALL},
    {"and", AND},
    {"architecture", ARCHITECTURE},
    {"array", ARRAY},
    {"assert", ASSERT},
    {"attribute", ATTRIBUTE},
    {"begin", t_BEGIN},
    {"block", BLOCK},
    {"body", BODY},
    {"buffer", BUFFER},
    {"bus", BUS},
    {"case", CASE},
    {"component", COMPONENT},
    {"configuration", CONFIGURATION},
    {"constant", CONSTANT},
    {"disconnect", DISCONNECT},
    {"downto", DOWNTO},
    {"else", ELSE},
    {"elsif", ELSIF},
    {"end", END},
    {"entity", ENTITY},
    {"exit", EXIT},
    {"file", t_FILE},
    {"for", FOR},
    {"function", FUNCTION},
    {"generate", GENERATE},
    {"generic", GENERIC},
    {"guarded", GUARDED},
    {"if", IF},
    {"in", IN},
    {"inout", INOUT},
    {"is", IS},
    {"label", LABEL},
    {"library", LIBRARY},
    {"linkage", LINKAGE},
    {"loop", LOOP},
    {"map", MAP},
    {"mod", MOD},
    {"nand", NAND},
    {"new", NEW},
    {"next", NEXT},
    {"nor", NOR},
    {"not", NOT},
    {"null", t_NULL},
    {"of", OF},
    {"on", ON},
    {"open", OPEN},
    {"or", OR},
    {"others", OTHERS},
    {"out", OUT},
    {"package", PACKAGE},
    {"port", PORT},
    {"procedure", PROCEDURE},
    {"process", PROCESS},
    {"range", RANGE},
    {"record", RECORD},
    {"register", REGISTER},
    {"rem", REM},
    {"report", REPORT},
    {"return", RETURN},
    {"select", SELECT},
    {"severity", SEVERITY},
    {"signal", SIGNAL},
    {"subtype", SUBTYPE},
    {"then", THEN},
    {"to", TO},
    {"transport", TRANSPORT},
    {"type", TYPE},
    {"units", UNITS},
    {"until", UNTIL},
    {"use", USE},
    {"variable", VARIABLE},
    {"wait", WAIT},
    {"when", WHEN},
    {"while", WHILE},
    {"with", WITH},
    {"xor", XOR},
};

// The reserved words VHDL-93 adds: identifiers in VHDL-87.
const Reserved_Word reserved_words_93[] = {
    {"group", GROUP},
    {"impure", IMPURE},
    {"inertial", INERTIAL},
    {"literal", LITERAL},
    {"postponed", POSTPONED},
    {"pure", PURE},
    {"reject", REJECT},
    {"rol", ROL},
    {"ror", ROR},
    {"shared", SHARED},
    {"sla", SLA},
    {"sll", SLL},
    {"sra", SRA},
    {"srl", SRL},
    {"unaffected", UNAFFECTED},
    {"xnor", XNOR},
};

// The reserved words VHDL-2008 adds to those of VHDL-93: identifiers in
// VHDL-87 and VHDL-93.
const Reserved_Word reserved_words_08[] = {
    {"assume", ASSUME},
    {"assume_guarantee", ASSUME_GUARANTEE},
    {"context", CONTEXT},
    {"cover", COVER},
    {"default", DEFAULT},
    {"fairness", FAIRNESS},
    {"force", FORCE},
    {"parameter", PARAMETER},
    {"property", PROPERTY},
    {"protected", PROTECTED},
    {"release", RELEASE},
    {"restrict", RESTRICT},
    {"restrict_guarantee", RESTRICT_GUARANTEE},
    {"sequence", SEQUENCE},
    {"strong", STRONG},
    {"vmode", VMODE},
    {"vprop", VPROP},
    {"vunit", VUNIT},
};

// Reserved words are found through a small open-addressing hash table.
constexpr size_t WORD_TABLE_SIZE = 512;
const Reserved_Word* word_table[WORD_TABLE_SIZE];
size_t word_length[WORD_TABLE_SIZE];

size_t Word_Hash(const char* s, size_t n) {
    size_t h = n * 131u;
    for (size_t i = 0; i < n; i++) h = h * 31u + static_cast<unsigned char>(s[i]);
    return h & (WORD_TABLE_SIZE - 1);
}

void Add_Word(const Reserved_Word& w) {
    size_t h = Word_Hash(w.word, std::strlen(w.word));
    while (word_table[h]) h = (h + 1) & (WORD_TABLE_SIZE - 1);
    word_table[h] = &w;
    word_length[h] = std::strlen(w.word);
}

// The words of the standard being scanned.
void Build_Word_Table() {
    std::fill(word_table, word_table + WORD_TABLE_SIZE, nullptr);
    for (const Reserved_Word& w : reserved_words) Add_Word(w);
    if (vhdl93)
        for (const Reserved_Word& w : reserved_words_93) Add_Word(w);
    if (vhdl08)
        for (const Reserved_Word& w : reserved_words_08) Add_Word(w);
    longest_word = vhdl08 ? 18 : 13;
}

// The token of a reserved word spelled like yytext, or 0 for an identifier.
int Reserved_Token() {
    size_t n = static_cast<size_t>(yyleng);
    if (n < 2 || n > longest_word) return 0;  // the shortest and longest reserved words
    for (size_t h = Word_Hash(yytext, n); word_table[h]; h = (h + 1) & (WORD_TABLE_SIZE - 1))
        if (word_length[h] == n && std::memcmp(word_table[h]->word, yytext, n) == 0)
            return word_table[h]->token;
    return 0;
}

void Line_End() {
    Next_Line_Flag++;
    current_line_number++;
    column = 0;
}

// A token of n characters: counted, then its text value is built. Only a
// literal can hold a tab or keep its capitals, so only a literal needs the
// column walk and its source spelling.
int Token(size_t n, int token) {
    if (token == CharacterLit || token == StringLit) {
        Take(n, true);
        count();
        return p(token);
    }
    Take(n);
    column += static_cast<int>(n);
    if (token == Arrow) Inc_Scope();
    return p(token);
}

}  // namespace

void Scanner_Restart(FILE* input) {
    if (!folded) Initialise();
    if (vhdl93 != (standard != Standard::VHDL87) || vhdl08 != (standard == Standard::VHDL08)) {
        vhdl93 = standard != Standard::VHDL87;
        vhdl08 = standard == Standard::VHDL08;
        Build_Word_Table();
    }
    previous_token = 0;
    yyin = input;
    start = filled = 0;
    at_eof = false;
    yytext[0] = yysource[0] = '\0';
    yyleng = 0;
    current_line_number = 1;
    column = 0;
    Next_Line_Flag = 0;
}

void count() {
    for (const char* c = yytext; *c; c++) {
        if (*c == '\n')
            column = 0;
        else if (*c == '\t')
            column += 8 - column % 8;
        else
            column++;
    }
}

void comment() {
    int c = Peek(0);
    if (c == '\n') {
        Consume(1);
        Line_End();
    }
}

int yywrap() { return 1; }

namespace {

// An extended identifier of VHDL-93, \like this\ (a backslash inside is
// doubled): its length, or 0 when it is not closed on its line.
size_t Match_Extended_Identifier() {
    size_t n = Match_String('\\');
    return n > 2 ? n : 0;
}

// An extended identifier is told apart by its spelling, capitals included:
// its text is the source's.
int Extended_Identifier(size_t n) {
    Take(n, true);
    std::memcpy(yytext, yysource, n + 1);
    count();
    return p(Identifier);
}

// A block comment of 2008, from /* to the next */ (or the end of the input):
// its text is not kept, and its line ends are counted as line ends, so every
// token after it stays on its line.
void Block_Comment() {
    Consume(2);
    column += 2;
    for (;;) {
        int d = Peek(0);
        if (d == EOF) return;
        if (d == '*' && Peek(1) == '/') {
            Consume(2);
            column += 2;
            return;
        }
        if (d == '\n') {
            Consume(1);
            Line_End();
        } else {
            Skip(d);
        }
    }
}

int Scan();

}  // namespace

int yylex() {
    int token = Scan();
    previous_token = token;
    return token;
}

namespace {

int Scan() {
    if (!folded) Initialise();
    for (;;) {
        int c = Peek(0);
        if (c == EOF) {
            yywrap();
            yytext[0] = yysource[0] = '\0';
            yyleng = 0;
            // End of input has no text; line feeds after the last token are dropped.
            yylval = Empty_Text();
            return 0;
        }
        if (Is_Letter(c)) {
            if (vhdl08) {
                if (c == 'b' || c == 'o' || c == 'x' || c == 'd' || c == 'u' || c == 's') {
                    size_t n = Match_Bit_String_08(0);
                    if (n) return Bit_String_08(n);
                }
            } else if (c == 'b' || c == 'o' || c == 'x') {
                size_t n = Match_Bit_String();
                if (n) return Token(n, BitStringLit);
            }
            bool only_letters;
            size_t n = Match_Identifier(only_letters);
            Take(n);
            column += static_cast<int>(n);
            // Of the reserved words, only two of 2008 hold an underscore.
            int word = only_letters || vhdl08 ? Reserved_Token() : 0;
            if (!word) return p(Identifier);
            if (word == CASE || word == COMPONENT || word == IF) Inc_Scope();
            if (record_keyword_lines && (word == IF || word == CASE))
                (word == IF ? if_keyword_lines : case_keyword_lines).push_back(current_line_number);
            return q(word);
        }
        if (Is_Digit(c)) {
            size_t n = Match_Abstract_Literal();
            // A decimal integer in front of a base is a bit string's length (2008).
            if (vhdl08 && Is_Letter(Peek(n)) && Match_Integer(0, Is_Digit) == n) {
                size_t m = Match_Bit_String_08(n);
                if (m) return Bit_String_08(n + m);
            }
            return Token(n, AbstractLit);
        }
        switch (c) {
            case ' ':
            case '\t':
                Skip(c);
                continue;
            case '\n':
                Consume(1);
                Line_End();
                continue;
            case '&':
                return Token(1, Ampersand);
            case '\'':
                if (vhdl93 && (previous_token == Identifier || previous_token == ')' || previous_token == ']' ||
                               previous_token == ALL))
                    return Token(1, Apostrophe);
                if (Is_Graphic(Peek(1)) && Peek(2) == '\'') return Token(3, CharacterLit);
                return Token(1, Apostrophe);
            case '(':
            case ')':
            case ',':
            case ';':
            case '.':
                return Token(1, c);
            case '*':
                return Peek(1) == '*' ? Token(2, DoubleStar) : Token(1, Star);
            case '+':
                return Token(1, Plus);
            case '-':
                if (Peek(1) == '-') {
                    // A comment runs to the end of the line; its text is not
                    // kept, so it is consumed without being buffered.
                    Consume(2);
                    for (;;) {
                        int d = Peek(0);
                        if (d == EOF || d == '\n') break;
                        Consume(1);
                    }
                    comment();
                    continue;
                }
                return Token(1, Minus);
            case ':':
                return Peek(1) == '=' ? Token(2, VarAsgn) : Token(1, ':');
            case '<':
                if (Peek(1) == '=') return Token(2, LESym);
                if (Peek(1) == '>') return Token(2, Box);
                return Token(1, LTSym);
            case '>':
                return Peek(1) == '=' ? Token(2, GESym) : Token(1, GTSym);
            case '=':
                return Peek(1) == '>' ? Token(2, Arrow) : Token(1, EQSym);
            case '/':
                if (vhdl08 && Peek(1) == '*') {
                    Block_Comment();
                    continue;
                }
                return Peek(1) == '=' ? Token(2, NESym) : Token(1, Slash);
            case '?':
                if (vhdl08) {
                    int d = Peek(1);
                    if (d == '?') return Token(2, Condition);
                    if (d == '=') return Token(2, MatchEQ);
                    if (d == '/' && Peek(2) == '=') return Token(3, MatchNE);
                    if (d == '<') return Peek(2) == '=' ? Token(3, MatchLE) : Token(2, MatchLT);
                    if (d == '>') return Peek(2) == '=' ? Token(3, MatchGE) : Token(2, MatchGT);
                    // The question mark of case? and select?.
                    return Token(1, '?');
                }
                break;
            case '|':
            case '!':
                return Token(1, Bar);
            case '"':
            case '%': {
                size_t n = Match_String(c);
                if (n) return Token(n, StringLit);
                break;
            }
            case '[':
            case ']':
                if (vhdl93) return Token(1, c);
                break;
            case '\\':
                if (vhdl93) {
                    size_t n = Match_Extended_Identifier();
                    if (n) return Extended_Identifier(n);
                }
                break;
            default:
                if (Is_Latin1_Letter(c)) {
                    bool only_letters;
                    size_t n = Match_Identifier(only_letters);
                    Take(n);
                    column += static_cast<int>(n);
                    return p(Identifier);
                }
                // A no-break space separates tokens as a blank does.
                if (vhdl93 && c == 0xa0) {
                    Skip(c);
                    continue;
                }
                break;
        }
        // A character that begins no token is skipped.
        if (reject_unknown_characters && c != '\r' && c != '\f' && c != '\v') return Token(1, UNDEFINED_TOKEN);
        Skip(c);
    }
}

}  // namespace

// The 93 parser's value of the token, declared by its own header.
extern Text yy93lval;

int yy93lex() {
    int token = yylex();
    yy93lval = yylval;
    return token;
}

int yy08lex() {
    int token = yylex();
    yy08lval = yylval;
    return token;
}
