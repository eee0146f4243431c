// The lines of an exact-mode trace (DIR/NAME::exact.corvane), the one place
// that knows them; read by corvane_cover and by corvane_viru. A line is
//   - one key, LINE or LINE.K (LINE from 1, K from 2), with optional blanks
//     (space, tab, carriage return) around it: one execution of the
//     counting point of that key; or
//   - one or more counters separated by single spaces, with nothing else on
//     the line: each its keys joined by commas, then ":COUNT" when it
//     counted more than once (COUNT a decimal from 1 to 10^18 - 1): COUNT
//     executions of each of its keys, or one.
// Anything else is no line of the trace. A key's numbers stop growing at
// 10^11, far above any source line.
#pragma once

#include <cstdint>

namespace exact_lines {

constexpr long long key_limit = 100000000000LL;
constexpr std::uint64_t count_limit = 1000000000000000000ULL;

inline bool Is_Digit(char ch) { return static_cast<unsigned char>(ch - '0') < 10; }
inline bool Is_Blank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; }

// Reads the key at p; returns where it ends, or null when p holds no key.
inline const char* Read_Key(const char* p, const char* end, long long& line, long long& k) {
    if (p == end || !Is_Digit(*p)) return nullptr;
    line = 0;
    do {
        if (line < key_limit) line = line * 10 + (*p - '0');
    } while (++p < end && Is_Digit(*p));
    k = 1;
    if (p < end && *p == '.') {
        if (++p == end || !Is_Digit(*p)) return nullptr;
        k = 0;
        do {
            if (k < key_limit) k = k * 10 + (*p - '0');
        } while (++p < end && Is_Digit(*p));
        if (k < 2) return nullptr;
    }
    return line > 0 ? p : nullptr;
}

// The counters of a line from p, the start of its first key; count(line, k,
// count) is called for each of their keys when apply is set. False when the
// line is no line of counters.
template <bool apply, class Count>
bool Read_Counters(const char* p, const char* end, Count& count) {
    for (;;) {
        const char* keys = p;
        long long line, k;
        for (;;) {
            p = Read_Key(p, end, line, k);
            if (!p) return false;
            if (p == end || *p != ',') break;
            ++p;
        }
        const char* keys_end = p;
        std::uint64_t n = 1;
        if (p < end && *p == ':') {
            if (++p == end || !Is_Digit(*p)) return false;
            n = 0;
            do {
                n = n * 10 + static_cast<unsigned>(*p - '0');
                if (n >= count_limit) return false;
            } while (++p < end && Is_Digit(*p));
            if (n == 0) return false;
        }
        if (apply)
            for (const char* key = keys; key < keys_end; ++key) {
                key = Read_Key(key, keys_end, line, k);
                count(line, k, n);
            }
        if (p == end) return true;
        if (*p != ' ') return false;
        ++p;
    }
}

}  // namespace exact_lines

// Reads one line of an exact-mode trace, [p, end) without its line end:
// count(line, k, count) is called for each of its keys (k 1 for a key LINE
// alone), but only when the whole line is valid. False when it is not.
template <class Count>
bool Read_Exact_Line(const char* p, const char* end, Count&& count) {
    using namespace exact_lines;
    // A line of counters is checked whole before any of it is counted.
    if (Read_Counters<false>(p, end, count)) return Read_Counters<true>(p, end, count);
    const char* key = p;
    while (key < end && Is_Blank(*key)) ++key;
    long long line, k;
    const char* after = Read_Key(key, end, line, k);
    if (!after) return false;
    for (; after < end; ++after)
        if (!Is_Blank(*after)) return false;
    count(line, k, std::uint64_t{1});
    return true;
}
