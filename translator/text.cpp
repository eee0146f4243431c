#include "text.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "scanner.h"
#include "tokens.h"

// A piece of text. An owned chunk keeps its bytes right behind the header
// (cap > 0); a borrowed chunk points at text that lives as long as the run.
struct Chunk {
    Chunk* next;
    const char* data;
    uint32_t len;
    uint32_t cap;
};

int Next_Line_Flag = 0;

namespace {

// Results up to this size are copied into a single chunk: copying a small
// text costs less than the chunk headers of linking it.
constexpr size_t FLAT_LIMIT = 256;
// In a larger result, runs of pieces up to this size are still copied.
constexpr size_t SMALL_PIECE = 64;

// Chunks are recycled through free lists by size class; only large chunks
// go to the heap one by one.
constexpr size_t CLASS_STEP = 16;
constexpr size_t SMALL_CAP = 1024;
constexpr size_t CLASS_COUNT = SMALL_CAP / CLASS_STEP + 1;
constexpr size_t SLAB_SIZE = 1 << 20;

Chunk* free_list[CLASS_COUNT];
char* slab_next = nullptr;
char* slab_end = nullptr;
std::vector<void*> slabs;  // kept reachable for the whole run

size_t Class_Of(size_t cap) { return (cap + CLASS_STEP - 1) / CLASS_STEP; }

Chunk* New_Chunk_Slow(size_t cap);

inline Chunk* New_Chunk(size_t cap) {
    if (cap <= SMALL_CAP) {
        size_t k = Class_Of(cap);
        Chunk* c = free_list[k];
        if (c) {
            free_list[k] = c->next;
            c->next = nullptr;
            c->len = 0;
            c->data = c->cap ? reinterpret_cast<char*>(c + 1) : nullptr;
            return c;
        }
    }
    return New_Chunk_Slow(cap);
}

// A chunk from a fresh slab, or from the heap for a large one.
Chunk* New_Chunk_Slow(size_t cap) {
    if (cap > UINT32_MAX) Memory_Error();
    if (cap > SMALL_CAP) {
        Chunk* c = static_cast<Chunk*>(std::malloc(sizeof(Chunk) + cap));
        if (!c) Memory_Error();
        c->cap = static_cast<uint32_t>(cap);
        c->data = reinterpret_cast<char*>(c + 1);
        c->next = nullptr;
        c->len = 0;
        return c;
    }
    size_t k = Class_Of(cap);
    Chunk* c = free_list[k];
    if (c) {
        free_list[k] = c->next;
    } else {
        size_t bytes = sizeof(Chunk) + k * CLASS_STEP;
        if (slab_next == nullptr || static_cast<size_t>(slab_end - slab_next) < bytes) {
            slab_next = static_cast<char*>(std::malloc(SLAB_SIZE));
            if (!slab_next) Memory_Error();
            slabs.push_back(slab_next);
            slab_end = slab_next + SLAB_SIZE;
        }
        c = reinterpret_cast<Chunk*>(slab_next);
        slab_next += bytes;
    }
    c->cap = static_cast<uint32_t>(k * CLASS_STEP);
    c->data = c->cap ? reinterpret_cast<char*>(c + 1) : nullptr;
    c->next = nullptr;
    c->len = 0;
    return c;
}

void Free_Chunk(Chunk* c) {
    if (c->cap > SMALL_CAP) {
        std::free(c);
        return;
    }
    size_t k = c->cap / CLASS_STEP;
    c->next = free_list[k];
    free_list[k] = c;
}

char* Payload(Chunk* c) { return reinterpret_cast<char*>(c + 1); }

bool Is_Inline(const Text& t) { return t.len <= INLINE_TEXT; }

// A text of n bytes to be filled by the caller through the returned pointer.
char* New_Text(Text& t, size_t n) {
    t.len = n;
    t.flags = 0;
    if (n <= INLINE_TEXT) return t.bytes;
    Chunk* c = New_Chunk(n);
    c->len = static_cast<uint32_t>(n);
    t.list.head = t.list.tail = c;
    return Payload(c);
}

// Calls f(bytes, length) on the pieces of t in order until it returns false.
template <class F>
void For_Each_Piece_While(const Text& t, F f) {
    if (Is_Inline(t)) {
        if (t.len) f(t.bytes, t.len);
        return;
    }
    for (const Chunk* c = t.list.head; c; c = c->next)
        if (!f(c->data, static_cast<size_t>(c->len))) return;
}

// Calls f(bytes, length) for each piece of t in order.
template <class F>
void For_Each_Piece(const Text& t, F f) {
    For_Each_Piece_While(t, [&](const char* s, size_t n) {
        f(s, n);
        return true;
    });
}

char* Copy_Out(const Text& t, char* to) {
    For_Each_Piece(t, [&](const char* s, size_t n) { to = Copy_Small(to, s, n); });
    return to;
}

// A text made of the one chunk c, whatever its length (only for building).
Text List_Of(Chunk* c) {
    Text t = Empty_Text();
    t.list.head = t.list.tail = c;
    t.len = c->len;
    return t;
}

// A text being built from pieces in order. Short results stay inline;
// long texts are linked, not copied.
struct Builder {
    Text r = Empty_Text();
    bool linked = false;  // r holds a chunk list (else r.bytes)

    void Add_Bytes(const char* s, size_t n) {
        if (n == 0) return;
        if (!linked && r.len + n <= INLINE_TEXT) {
            Copy_Small(r.bytes + r.len, s, n);
            r.len += n;
            return;
        }
        Chunk* c = New_Chunk(n);
        Copy_Small(Payload(c), s, n);
        c->len = static_cast<uint32_t>(n);
        Add_List(List_Of(c));
    }

    // Links a text held in chunks (consumed).
    void Add_List(Text t) {
        if (!linked) {
            Text start = r;
            r = Empty_Text();
            r.list.head = r.list.tail = nullptr;
            linked = true;
            if (start.len) Add_Bytes(start.bytes, start.len);
        }
        if (r.list.tail)
            r.list.tail->next = t.list.head;
        else
            r.list.head = t.list.head;
        r.list.tail = t.list.tail;
        r.len += t.len;
    }

    Text Finish() {
        if (linked && r.len <= INLINE_TEXT) {
            // Too short for a list after all: make it inline.
            Text list = r;
            Text flat = Empty_Text();
            Copy_Out(list, flat.bytes);
            flat.len = list.len;
            Release(list);
            return flat;
        }
        return r;
    }
};

}  // namespace

[[noreturn]] void Memory_Error() {
    std::fputs("MEMORY ERROR!!!!!\n", stderr);
    std::exit(255);
}

unsigned Flags_Of(const Text& t) { return t.flags; }

void Set_Flags(Text& t, unsigned flags) { t.flags = flags; }

Text Empty_Text() {
    Text t;
    t.list.head = t.list.tail = nullptr;
    t.len = 0;
    t.flags = 0;
    t.line = 0;
    return t;
}

Text Make_String(const char* s, size_t n) {
    Text t = Empty_Text();
    std::memcpy(New_Text(t, n), s, n);
    return t;
}

Text Make_String(const char* s) { return Make_String(s, std::strlen(s)); }

Text Make_String(const std::string& s) { return Make_String(s.data(), s.size()); }

Text Combine(Text first, Text second) {
    if (first.len + second.len <= INLINE_TEXT) {
        Text r = first;
        std::memcpy(r.bytes + first.len, second.bytes, second.len);
        r.len += second.len;
        r.flags = 0;
        r.line = first.line ? first.line : second.line;
        return r;
    }
    Builder b;
    for (Text* t : {&first, &second}) {
        if (Is_Inline(*t))
            b.Add_Bytes(t->bytes, t->len);
        else
            b.Add_List(*t);
    }
    Text r = b.Finish();
    r.line = first.line ? first.line : second.line;
    return r;
}

size_t Leading_Linefeeds(const Text& t) {
    size_t k = 0;
    For_Each_Piece_While(t, [&](const char* s, size_t n) {
        size_t i = 0;
        while (i < n && s[i] == '\n') i++;
        k += i;
        return i == n;
    });
    return k;
}

int First_Byte(const Text& t) {
    int first = -1;
    For_Each_Piece_While(t, [&](const char* s, size_t n) {
        if (n == 0) return true;
        first = static_cast<unsigned char>(s[0]);
        return false;
    });
    return first;
}

Text Return_Linefeeds(const Text& t) {
    size_t k = Leading_Linefeeds(t);
    Text r = Empty_Text();
    std::memset(New_Text(r, k), '\n', k);
    return r;
}

namespace {

// A fresh flat text of t without its first skip bytes.
Text Copy_After(const Text& t, size_t skip) {
    Text r = Empty_Text();
    char* to = New_Text(r, t.len - skip);
    For_Each_Piece(t, [&](const char* s, size_t n) {
        if (skip >= n) {
            skip -= n;
            return;
        }
        std::memcpy(to, s + skip, n - skip);
        to += n - skip;
        skip = 0;
    });
    return r;
}

}  // namespace

Text Strip_Linefeeds_And_Return(const Text& t) { return Copy_After(t, Leading_Linefeeds(t)); }

size_t Leading_Layout(const Text& t) {
    size_t k = 0;
    For_Each_Piece_While(t, [&](const char* s, size_t n) {
        size_t i = 0;
        while (i < n && (s[i] == '\n' || s[i] == '\t' || s[i] == ' ')) i++;
        k += i;
        return i == n;
    });
    return k;
}

Text Take_Prefix(Text& t, size_t k) {
    Text prefix = Empty_Text();
    char* to = New_Text(prefix, k);
    size_t left = k;
    For_Each_Piece_While(t, [&](const char* s, size_t n) {
        size_t m = n < left ? n : left;
        std::memcpy(to, s, m);
        to += m;
        left -= m;
        return left > 0;
    });
    if (k == 0) return prefix;
    if (Is_Inline(t) || t.len - k <= INLINE_TEXT) {
        Text rest = Copy_After(t, k);
        rest.flags = t.flags;
        rest.line = t.line;
        Release(t);
        t = rest;
        return prefix;
    }
    t.len -= k;
    while (k > 0) {
        Chunk* c = t.list.head;
        if (k >= c->len) {
            k -= c->len;
            t.list.head = c->next;
            Free_Chunk(c);
        } else {
            c->data += k;
            c->len -= static_cast<uint32_t>(k);
            k = 0;
        }
    }
    return prefix;
}

Text Take_Linefeeds(Text& t) { return Take_Prefix(t, Leading_Linefeeds(t)); }

void Release(Text& t) {
    if (!Is_Inline(t)) {
        Chunk* c = t.list.head;
        while (c) {
            Chunk* next = c->next;
            Free_Chunk(c);
            c = next;
        }
    }
    t = Empty_Text();
}

std::string Text_String(const Text& t) {
    std::string s(t.len, '\0');
    Copy_Out(t, &s[0]);
    return s;
}

std::string Text_Prefix(const Text& t, size_t n) {
    std::string s;
    For_Each_Piece_While(t, [&](const char* piece, size_t length) {
        size_t m = length < n - s.size() ? length : n - s.size();
        s.append(piece, m);
        return s.size() < n;
    });
    return s;
}

bool Write_Text(FILE* out, const Text& t) {
    bool ok = true;
    For_Each_Piece(t, [&](const char* s, size_t n) {
        if (ok && std::fwrite(s, 1, n, out) != n) ok = false;
    });
    return ok;
}

namespace {

// A format split into the literal runs around its "%s" places. Formats are
// string literals of the grammar actions, so each is split once and found
// again by its address.
struct Run {
    const char* s;
    size_t n;
};

struct Template {
    const char* format;
    size_t nruns;
    size_t literal_length;
    Run runs[32];
};

constexpr size_t TEMPLATE_SLOTS = 1024;
Template* templates[TEMPLATE_SLOTS];

Template* Split_Format(const char* format) {
    size_t h = (reinterpret_cast<uintptr_t>(format) >> 3) * 0x9E3779B97F4A7C15u >> 54;
    for (;; h = (h + 1) & (TEMPLATE_SLOTS - 1)) {
        Template* t = templates[h];
        if (!t) break;
        if (t->format == format) return t;
    }
    Template* t = new Template();
    t->format = format;
    const char* start = format;
    for (const char* f = format;; f++) {
        if (*f == '\0' || (f[0] == '%' && f[1] == 's')) {
            if (t->nruns == sizeof t->runs / sizeof t->runs[0]) {
                std::fprintf(stderr, "internal error: format \"%s\" has too many places\n", format);
                std::abort();
            }
            t->runs[t->nruns++] = Run{start, static_cast<size_t>(f - start)};
            t->literal_length += static_cast<size_t>(f - start);
            if (*f == '\0') break;
            f++;
            start = f + 1;
        }
    }
    templates[h] = t;
    return t;
}

}  // namespace

Text Format_Args(const char* format, Format_Arg* args, size_t count) {
    const Template* tmpl = Split_Format(format);
    const Run* runs = tmpl->runs;
    size_t nruns = tmpl->nruns;
    if (nruns != count + 1) {
        std::fprintf(stderr, "internal error: format \"%s\" given %zu texts\n", format, count);
        std::abort();
    }

    size_t total = tmpl->literal_length;
    int line = 0;
    for (size_t i = 0; i < count; i++) {
        total += args[i].text.len;
        if (!line && !args[i].borrowed) line = args[i].text.line;
    }

    if (total <= FLAT_LIMIT) {
        Text r = Empty_Text();
        char* to = New_Text(r, total);
        for (size_t i = 0;; i++) {
            to = Copy_Small(to, runs[i].s, runs[i].n);
            if (i == count) break;
            Format_Arg& a = args[i];
            if (a.borrowed) {
                to = Copy_Small(to, a.borrowed, a.text.len);
            } else {
                to = Copy_Out(a.text, to);
                Release(a.text);
            }
        }
        r.line = line;
        return r;
    }

    // A large result: the long texts are linked, the short pieces between
    // them are gathered into chunks of their own.
    Builder b;
    char pending[FLAT_LIMIT];
    size_t npending = 0;
    auto flush = [&]() {
        b.Add_Bytes(pending, npending);
        npending = 0;
    };
    auto add_short = [&](const char* s, size_t n) {
        if (npending + n > FLAT_LIMIT) flush();
        Copy_Small(pending + npending, s, n);
        npending += n;
    };
    for (size_t i = 0;; i++) {
        add_short(runs[i].s, runs[i].n);
        if (i == count) break;
        Format_Arg& a = args[i];
        if (a.text.len <= SMALL_PIECE) {
            if (a.borrowed) {
                add_short(a.borrowed, a.text.len);
            } else {
                For_Each_Piece(a.text, add_short);
                Release(a.text);
            }
        } else if (a.borrowed) {
            flush();
            Chunk* c = New_Chunk(0);
            c->data = a.borrowed;
            c->len = static_cast<uint32_t>(a.text.len);
            b.Add_List(List_Of(c));
        } else {
            flush();
            b.Add_List(a.text);
        }
    }
    flush();
    Text r = b.Finish();
    r.line = line;
    return r;
}

int q(int token) { return p(token); }

int p(int token) {
    // Character and string literals keep the case they were written in; the
    // text of every other token is the folded lexeme.
    const char* lexeme = (token == CharacterLit || token == StringLit) ? yysource : yytext;
    size_t k = Next_Line_Flag > 0 ? static_cast<size_t>(Next_Line_Flag) : 0;
    size_t n = static_cast<size_t>(yyleng);
    Next_Line_Flag = 0;
    // Built in place: a short text is written straight into yylval.
    char* to = New_Text(yylval, k + n);
    if (k) std::memset(to, '\n', k);
    Copy_Small(to + k, lexeme, n);
    yylval.line = current_line_number;
    return token;
}
