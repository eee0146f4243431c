// corvane_viru: reads one line-trace file and prints how often each line
// number occurs in it, labelled with the design and the process or
// subprogram named by the file's name. In a trace of exact mode a line of
// counters counts each counter's COUNT (or 1) times the line of each of its
// keys.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "exact_lines.h"
#include "stack.h"
#include "trace_names.h"

// CMake defines it for every tool; the fuzz harness builds this file alone.
#ifndef CORVANE_VERSION
#define CORVANE_VERSION "(version unknown)"
#endif

namespace {

const char* file_name = "temp";
std::string_view file_part;
std::string_view function_part;

// A number is counted for each piece of the file that fgets into an 80-byte
// buffer would return: a piece ends after a line feed or after 79 bytes,
// whichever comes first. A line of exactly 79 characters therefore gives a
// second piece holding only its line feed.
constexpr std::size_t piece_max = 79;
// The file is read in blocks of this size; an unfinished piece at the end
// of a block is moved to the front and completed by the next block.
constexpr std::size_t block_size = std::size_t{1} << 18;

// Set when a write to standard output fails, for the message at the end.
int output_errno = 0;

// Whether the file is the trace of exact mode (DIR/NAME::exact.corvane),
// whose lines that hold more than a key are read as lines of counters; and
// how many of those were none.
bool exact_trace = false;
std::uint64_t malformed_counter_lines = 0;

void Write_Output(const char* text, std::size_t length) {
    if (output_errno == 0 && std::fwrite(text, 1, length, stdout) != length) {
        output_errno = errno != 0 ? errno : EIO;
    }
}

void Write_Output(std::string_view text) { Write_Output(text.data(), text.size()); }

void Print_Usage() {
    Write_Output("\nOptions:  corvane_viru <file::func.partition.corvane> [> clean_file]");
    Write_Output("\n----------------------------------------------------------------------");
    Write_Output("\n  -h, --help : print this text");
    Write_Output("\n  --version : print the version");
    Write_Output("\n\n");
}

// Flushes standard output and turns a failed write into a message and a
// non-zero status; a report that did not reach its reader is no success.
int Finish(int status) {
    if (std::fflush(stdout) != 0 && output_errno == 0) {
        output_errno = errno != 0 ? errno : EIO;
    }
    if (output_errno != 0) {
        std::fprintf(stderr, "corvane_viru: cannot write to standard output: %s\n",
                     std::strerror(output_errno));
        return status == 0 ? 1 : status;
    }
    return status;
}

bool Is_Blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

// Reads the number of the piece that starts at piece and returns where the
// next piece starts. limit is where the piece ends at the latest: piece +
// piece_max, or the end of the file or just after a line feed if that comes
// first. The number is read as atoi would read the piece: white
// space, an optional sign, digits; anything else, a NUL byte included, ends
// it, and no digits give 0. Values beyond the range of int are held at its
// limits.
const char* Read_Piece(const char* piece, const char* limit, int& value) {
    const char* c = piece;
    while (c < limit && Is_Blank(*c)) {
        ++c;
    }
    if (c < limit && *c == '\n') {
        value = 0;
        return c + 1;
    }
    bool negative = false;
    if (c < limit && (*c == '-' || *c == '+')) {
        negative = *c == '-';
        ++c;
    }
    // Never more than 2^31 between digits, so the product cannot overflow.
    constexpr std::int64_t magnitude_max = std::int64_t{INT_MAX} + 1;
    std::int64_t magnitude = 0;
    while (c < limit && *c >= '0' && *c <= '9') {
        magnitude = magnitude * 10 + (*c - '0');
        if (magnitude > magnitude_max) {
            magnitude = magnitude_max;
        }
        ++c;
    }
    std::int64_t signed_value = negative ? -magnitude : magnitude;
    value = static_cast<int>(signed_value > INT_MAX ? INT_MAX : signed_value);
    if (c < limit && *c == '\n') {
        return c + 1;
    }
    const void* line_feed = std::memchr(c, '\n', static_cast<std::size_t>(limit - c));
    return line_feed != nullptr ? static_cast<const char*>(line_feed) + 1 : limit;
}

// Bit i set where text[i] is a line feed, for the 64 bytes at text.
std::uint64_t Line_Feed_Mask(const char* text) {
#if defined(__SSE2__)
    const __m128i line_feeds = _mm_set1_epi8('\n');
    std::uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16 * i));
        auto bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, line_feeds)));
        mask |= std::uint64_t{bits} << (16 * i);
    }
    return mask;
#else
    // Eight words are tested for zero bytes after an exclusive or with line
    // feeds; the test has no carries between bytes, so it is exact.
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Fu;
    std::uint64_t mask = 0;
    for (int i = 0; i < 8; ++i) {
        std::uint64_t word;
        std::memcpy(&word, text + 8 * i, sizeof word);
        word ^= 0x0A0A0A0A0A0A0A0Au;
        std::uint64_t zero = ~(((word & low7) + low7) | word) & ~low7;
        // Bit 8k + 7 of each word goes to bit k: the partial products of
        // the multiplication all land on different bits.
        mask |= (((zero >> 7) * 0x0102040810204080u) >> 56) << (8 * i);
    }
    return mask;
#endif
}

// The number of a piece of one to eight digits followed by its line feed at
// piece + length, read eight bytes at a time (eight bytes must be readable
// at piece). Returns false for any other piece.
bool Read_Digits(const char* piece, std::size_t length, int& value) {
    if (length == 0 || length > 8) {
        return false;
    }
    std::uint64_t word;
    std::memcpy(&word, piece, sizeof word);
    // Digits become 0 to 9; any other byte becomes 10 or more, which the
    // addition of 0x76 (or its own top bit) marks in bit 7. A carry out of a
    // marked byte only spoils the bytes after it.
    std::uint64_t digits = word ^ 0x3030303030303030u;
    std::uint64_t not_digit = ((digits + 0x7676767676767676u) | digits) & 0x8080808080808080u;
    if ((not_digit << (8 * (8 - length))) != 0) {
        return false;
    }
    // The first character is the lowest byte: shifting the digits to the
    // top puts zeros in front of them, and three multiplications combine
    // neighbouring digits, then pairs, then fours.
    digits <<= 8 * (8 - length);
    digits = ((digits & 0x0F0F0F0F0F0F0F0Fu) * 2561) >> 8;
    digits = ((digits & 0x00FF00FF00FF00FFu) * 6553601) >> 16;
    digits = ((digits & 0x0000FFFF0000FFFFu) * 42949672960001u) >> 32;
    value = static_cast<int>(digits);
    return true;
}

// Counts the line [line, end) of an exact-mode trace that holds more than a
// key, end at its line feed or the end of the file: each counter adds its
// count to the lines of its keys (LINE of LINE.K, held at the limit of int).
// A line that is no line of counters is counted as line 0, as a piece
// without digits is.
void Count_Counters(const char* line, const char* end) {
    bool valid = Read_Exact_Line(line, end, [](long long key_line, long long, std::uint64_t count) {
        Add_Stack(key_line > INT_MAX ? INT_MAX : static_cast<int>(key_line), static_cast<std::int64_t>(count));
    });
    if (!valid) {
        Push_Stack(0);
        ++malformed_counter_lines;
    }
}

// A line of counters: a colon or comma, or a space after a key.
bool Holds_Counters(const char* line, const char* end) {
    for (const char* p = line; p < end; ++p)
        if (*p == ':' || *p == ',' || (*p == ' ' && p > line && exact_lines::Is_Digit(p[-1]))) return true;
    return false;
}

// Counts the pieces of the lines that end in [piece, end) from their line
// feeds, found 64 bytes at a time: the start of a line then never waits for
// the number before it to be read. Returns the start of the first line not
// counted.
const char* Count_Lines(const char* piece, const char* end) {
    // The numbers go to the count list in batches, so that it can fetch the
    // entries of later numbers while it counts the earlier ones.
    constexpr std::size_t batch_size = 256;
    int batch[batch_size];
    std::size_t batched = 0;
    auto count = [&](int value) {
        batch[batched] = value;
        if (++batched == batch_size) {
            Push_Stack_Lines(batch, batched);
            batched = 0;
        }
    };
    for (const char* scan = piece; end - scan >= 64; scan += 64) {
        for (std::uint64_t mask = Line_Feed_Mask(scan); mask != 0; mask &= mask - 1) {
            const char* line_feed = scan + __builtin_ctzll(mask);
            int value;
            if (Read_Digits(piece, static_cast<std::size_t>(line_feed - piece), value)) {
                count(value);
                piece = line_feed + 1;
                continue;
            }
            if (exact_trace && Holds_Counters(piece, line_feed)) {
                // The numbers before it are counted first, for the order of
                // first appearance.
                Push_Stack_Lines(batch, batched);
                batched = 0;
                Count_Counters(piece, line_feed);
                piece = line_feed + 1;
                continue;
            }
            // Any other line, piece by piece: one of more than 78 characters
            // gives several, and the last one ends at the line feed.
            while (piece <= line_feed) {
                const char* limit = line_feed - piece < static_cast<std::ptrdiff_t>(piece_max) ? line_feed + 1
                                                                                                : piece + piece_max;
                piece = Read_Piece(piece, limit, value);
                count(value);
            }
        }
    }
    Push_Stack_Lines(batch, batched);
    return piece;
}

// Counts every piece of the file. Returns 0, or the errno of a failed read.
int Count_Trace(int fd) {
    // Room for an unfinished piece in front of the block and for the eight
    // bytes that Read_Digits may load behind it. An exact-mode trace keeps
    // an unfinished line whole, for the pairs it may hold: the room grows
    // with it.
    std::size_t capacity = piece_max + block_size;
    char* buffer = static_cast<char*>(std::malloc(capacity + 8));
    if (buffer == nullptr) {
        return ENOMEM;
    }
    std::size_t kept = 0;
    for (;;) {
        if (capacity - kept < block_size) {
            capacity = kept + block_size;
            char* grown = static_cast<char*>(std::realloc(buffer, capacity + 8));
            if (grown == nullptr) {
                std::free(buffer);
                return ENOMEM;
            }
            buffer = grown;
        }
        ssize_t got = read(fd, buffer + kept, block_size);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            int error = errno;
            std::free(buffer);
            return error;
        }
        bool at_end = got == 0;
        char* end = buffer + kept + got;
        std::memset(end, 0, 8);
        const char* piece = Count_Lines(buffer, end);
        // What is left has no line feed in the first bytes scanned, or is
        // the last few bytes of the block: cut it piece by piece, as long as
        // a whole piece fits.
        while (!exact_trace && static_cast<std::size_t>(end - piece) >= piece_max) {
            int value;
            piece = Read_Piece(piece, piece + piece_max, value);
            Push_Stack(value);
        }
        if (at_end) {
            while (piece < end) {
                const void* line_feed = std::memchr(piece, '\n', static_cast<std::size_t>(end - piece));
                const char* line_end = line_feed != nullptr ? static_cast<const char*>(line_feed) : end;
                if (exact_trace && Holds_Counters(piece, line_end)) {
                    Count_Counters(piece, line_end);
                    piece = line_feed != nullptr ? line_end + 1 : end;
                    continue;
                }
                const char* next = line_feed != nullptr ? line_end + 1 : end;
                while (piece < next) {
                    int value;
                    piece = Read_Piece(piece, next - piece < static_cast<std::ptrdiff_t>(piece_max) ? next
                                                                                                   : piece + piece_max,
                                       value);
                    Push_Stack(value);
                }
            }
            std::free(buffer);
            return 0;
        }
        kept = static_cast<std::size_t>(end - piece);
        std::memmove(buffer, piece, kept);
    }
}

// Splits the name as sscanf(name, "%[^:]::%[^.].partition.corvane", file,
// function) would: the file part is everything before the first colon (at
// least one character), two colons must follow, then the function part runs
// up to the first full stop (at least one character, colons allowed). The
// rest of the name is not looked at. Returns whether both parts were found;
// a part that was not found is left empty.
bool Split_File_Name(std::string_view name) {
    std::size_t colon = name.find(':');
    if (colon == 0) {
        return false;
    }
    file_part = name.substr(0, colon);
    if (colon == std::string_view::npos || name.compare(colon, 2, "::") != 0) {
        return false;
    }
    std::size_t start = colon + 2;
    function_part = name.substr(start, name.find('.', start) - start);
    return !function_part.empty();
}

// Decimal digits of value at the end of text; faster than a printf for
// each of possibly millions of report lines.
void Append_Decimal(std::string& text, std::int64_t value) {
    char digits[24];
    char* first = digits + sizeof digits;
    // Counted in unsigned so that the most negative value has a magnitude.
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        *--first = '-';
    }
    text.append(first, digits + sizeof digits);
}

// Prints "sscanf FAILED!\n" if the name does not split, then the report
// lines, taking the nodes off the count list; each line is "File:
// %s;\tFunction: %s;\tLine: %d;\tOccurred: %d\n" with the count in 64
// bits. All memory is taken before the first write, so that a lack of it
// cannot cut a report short.
void Print_Report() {
    bool split = Split_File_Name(file_name);
    std::string prefix = "File: ";
    prefix.append(file_part).append(";\tFunction: ").append(function_part).append(";\tLine: ");
    // One chunk is written out as soon as it holds 64 KiB, so it never
    // grows past that and one more line.
    constexpr std::size_t chunk_size = std::size_t{1} << 16;
    std::string text;
    text.reserve(chunk_size + prefix.size() + 64);
    if (!split) {
        Write_Output("sscanf FAILED!\n");
    }
    int line;
    std::int64_t occurrences;
    while (Pop_Stack(line, occurrences)) {
        text += prefix;
        Append_Decimal(text, line);
        text += ";\tOccurred: ";
        Append_Decimal(text, occurrences);
        text += '\n';
        if (text.size() >= chunk_size) {
            Write_Output(text);
            text.clear();
        }
    }
    Write_Output(text);
}

// The run; main adds the handling of a lack of memory outside the count
// list.
int Run(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        std::fprintf(stderr, "(%d): %s\n", i, argv[i]);
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            Print_Usage();
            return Finish(0);
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            Write_Output("corvane_viru " CORVANE_VERSION "\n");
            return Finish(0);
        }
        file_name = argv[i];
    }

    // A directory opens for reading on some systems but holds no trace.
    int fd = open(file_name, O_RDONLY);
    struct stat status;
    if (fd >= 0 && (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode))) {
        close(fd);
        fd = -1;
    }
    if (fd < 0) {
        Write_Output("ERROR: cannot open file '(");
        Write_Output(file_name);
        Write_Output(")'...\n\n");
        return Finish(1);
    }

    exact_trace = Parse_Trace_Name(file_name).mode == Mode::exact;
    int error = Count_Trace(fd);
    close(fd);
    if (error != 0) {
        std::fprintf(stderr, "corvane_viru: cannot read '%s': %s\n", file_name, std::strerror(error));
        return Finish(1);
    }
    if (malformed_counter_lines > 0) {
        std::fprintf(stderr,
                     "corvane_viru: %llu lines of '%s' are neither a key nor a line of counters; each is counted "
                     "as line 0\n",
                     static_cast<unsigned long long>(malformed_counter_lines), file_name);
    }
    Print_Report();
    return Finish(0);
}

}  // namespace

int main(int argc, char* argv[]) {
    // A reader that went away must show as a failed write, not end the run
    // silently.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("corvane_viru: cannot allocate memory for the report\n", stderr);
        return 255;
    }
}
