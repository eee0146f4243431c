#include "text.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "scanner.h"

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

Chunk* New_Chunk(size_t cap) {
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

Text Single(Chunk* c) { return Text{c, c, c->len, 0}; }

// Appends the chunks of t to the list that ends in *tail.
void Link(Text& into, Text t) {
    if (!t.head) return;
    if (into.tail)
        into.tail->next = t.head;
    else
        into.head = t.head;
    into.tail = t.tail;
    into.len += t.len;
}

char* Copy_Out(const Text& t, char* to) {
    for (Chunk* c = t.head; c; c = c->next) {
        std::memcpy(to, c->data, c->len);
        to += c->len;
    }
    return to;
}

}  // namespace

[[noreturn]] void Memory_Error() {
    std::fputs("MEMORY ERROR!!!!!\n", stderr);
    std::exit(255);
}

Text Empty_Text() { return Text{nullptr, nullptr, 0, 0}; }

Text Make_String(const char* s, size_t n) {
    if (n == 0) return Empty_Text();
    Chunk* c = New_Chunk(n);
    std::memcpy(Payload(c), s, n);
    c->len = static_cast<uint32_t>(n);
    return Single(c);
}

Text Make_String(const char* s) { return Make_String(s, std::strlen(s)); }

Text Make_String(const std::string& s) { return Make_String(s.data(), s.size()); }

Text Combine(Text first, Text second) {
    Text r = Empty_Text();
    Link(r, first);
    Link(r, second);
    return r;
}

size_t Leading_Linefeeds(const Text& t) {
    size_t k = 0;
    for (Chunk* c = t.head; c; c = c->next) {
        uint32_t i = 0;
        while (i < c->len && c->data[i] == '\n') i++;
        k += i;
        if (i < c->len) break;
    }
    return k;
}

Text Return_Linefeeds(const Text& t) {
    size_t k = Leading_Linefeeds(t);
    if (k == 0) return Empty_Text();
    Chunk* c = New_Chunk(k);
    std::memset(Payload(c), '\n', k);
    c->len = static_cast<uint32_t>(k);
    return Single(c);
}

Text Strip_Linefeeds_And_Return(const Text& t) {
    size_t k = Leading_Linefeeds(t);
    size_t n = t.len - k;
    if (n == 0) return Empty_Text();
    Chunk* c = New_Chunk(n);
    char* to = Payload(c);
    size_t skip = k;
    for (Chunk* s = t.head; s; s = s->next) {
        if (skip >= s->len) {
            skip -= s->len;
            continue;
        }
        std::memcpy(to, s->data + skip, s->len - skip);
        to += s->len - skip;
        skip = 0;
    }
    c->len = static_cast<uint32_t>(n);
    return Single(c);
}

Text Take_Linefeeds(Text& t) {
    size_t k = Leading_Linefeeds(t);
    Text line_feeds = Return_Linefeeds(t);
    t.len -= k;
    while (k > 0) {
        Chunk* c = t.head;
        if (k >= c->len) {
            k -= c->len;
            t.head = c->next;
            if (!t.head) t.tail = nullptr;
            Free_Chunk(c);
        } else {
            c->data += k;
            c->len -= static_cast<uint32_t>(k);
            k = 0;
        }
    }
    return line_feeds;
}

void Release(Text& t) {
    Chunk* c = t.head;
    while (c) {
        Chunk* next = c->next;
        Free_Chunk(c);
        c = next;
    }
    t = Empty_Text();
}

std::string Text_String(const Text& t) {
    std::string s(t.len, '\0');
    Copy_Out(t, &s[0]);
    return s;
}

bool Write_Text(FILE* out, const Text& t) {
    for (Chunk* c = t.head; c; c = c->next)
        if (std::fwrite(c->data, 1, c->len, out) != c->len) return false;
    return true;
}

Text Format_Args(const char* format, Format_Arg* args, size_t count) {
    // Split the format into the literal runs around its "%s" places.
    struct Run {
        const char* s;
        size_t n;
    };
    Run runs[32];
    size_t nruns = 0;
    const char* start = format;
    for (const char* f = format;; f++) {
        if (*f == '\0' || (f[0] == '%' && f[1] == 's')) {
            if (nruns == sizeof runs / sizeof runs[0]) break;
            runs[nruns++] = Run{start, static_cast<size_t>(f - start)};
            if (*f == '\0') break;
            f++;
            start = f + 1;
        }
    }
    if (nruns != count + 1) {
        std::fprintf(stderr, "internal error: format \"%s\" given %zu texts\n", format, count);
        std::abort();
    }

    size_t total = 0;
    for (size_t i = 0; i < nruns; i++) total += runs[i].n;
    for (size_t i = 0; i < count; i++) total += args[i].owned ? args[i].text.len : args[i].ref.n;

    if (total <= FLAT_LIMIT) {
        if (total == 0) return Empty_Text();
        Chunk* c = New_Chunk(total);
        char* to = Payload(c);
        for (size_t i = 0; i < nruns; i++) {
            std::memcpy(to, runs[i].s, runs[i].n);
            to += runs[i].n;
            if (i == count) break;
            Format_Arg& a = args[i];
            if (a.owned) {
                to = Copy_Out(a.text, to);
                Release(a.text);
            } else {
                std::memcpy(to, a.ref.s, a.ref.n);
                to += a.ref.n;
            }
        }
        c->len = static_cast<uint32_t>(total);
        return Single(c);
    }

    // A large result: link the large texts, gather the small pieces between
    // them into chunks of their own.
    Text r = Empty_Text();
    char pending[FLAT_LIMIT];
    size_t npending = 0;
    auto flush = [&]() {
        if (npending) {
            Link(r, Make_String(pending, npending));
            npending = 0;
        }
    };
    auto borrowed = [&](const char* s, size_t n) {
        if (n == 0) return;
        if (n <= SMALL_PIECE) {
            if (npending + n > FLAT_LIMIT) flush();
            std::memcpy(pending + npending, s, n);
            npending += n;
            return;
        }
        flush();
        Chunk* c = New_Chunk(0);
        c->data = s;
        c->len = static_cast<uint32_t>(n);
        Link(r, Single(c));
    };
    for (size_t i = 0; i < nruns; i++) {
        borrowed(runs[i].s, runs[i].n);
        if (i == count) break;
        Format_Arg& a = args[i];
        if (!a.owned) {
            borrowed(a.ref.s, a.ref.n);
        } else if (a.text.len <= SMALL_PIECE) {
            if (npending + a.text.len > FLAT_LIMIT) flush();
            Copy_Out(a.text, pending + npending);
            npending += a.text.len;
            Release(a.text);
        } else {
            flush();
            Link(r, a.text);
        }
    }
    flush();
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
    if (k + n == 0) {
        yylval = Empty_Text();
        return token;
    }
    Chunk* c = New_Chunk(k + n);
    std::memset(Payload(c), '\n', k);
    std::memcpy(Payload(c) + k, lexeme, n);
    c->len = static_cast<uint32_t>(k + n);
    yylval = Single(c);
    return token;
}
