// corvane_viru: reads one line-trace file and prints how often each line
// number occurs in it, labelled with the design and the process or
// subprogram named by the file's name.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "stack.h"

namespace {

std::string file_name = "temp";
std::string file_part;
std::string function_part;

// The trace was always read with fgets into an 80-byte buffer, and its
// numbers are counted per piece such a read gives: a piece ends after a line
// feed or after 79 bytes, whichever comes first. A line of exactly 79
// characters therefore gives a second piece holding only its line feed.
constexpr std::size_t piece_max = 79;
// The file is read in blocks of this size; an unfinished piece at the end
// of a block is moved to the front and completed by the next block.
constexpr std::size_t block_size = std::size_t{1} << 20;

// Set when a write to standard output fails, for the message at the end.
int output_errno = 0;

void Write_Output(const char* text, std::size_t length) {
    if (output_errno == 0 && std::fwrite(text, 1, length, stdout) != length) {
        output_errno = errno != 0 ? errno : EIO;
    }
}

void Write_Output(const std::string& text) { Write_Output(text.data(), text.size()); }

void Print_Usage() {
    Write_Output(std::string("\nOptions:  corvane_viru <file::func.partition.corvane> [> clean_file]"));
    Write_Output(std::string("\n----------------------------------------------------------------------"));
    Write_Output(std::string("\n\n"));
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

// Counts the piece that starts at piece and returns where the next one
// starts. limit is piece + piece_max, or the end of the file if that comes
// first. The number is read as atoi would read the piece: white space, an
// optional sign, digits; anything else, a NUL byte included, ends it, and no
// digits give 0. Values beyond the range of int are held at its limits.
const char* Count_Piece(const char* piece, const char* limit) {
    const char* c = piece;
    while (c < limit && Is_Blank(*c)) {
        ++c;
    }
    if (c < limit && *c == '\n') {
        Push_Stack(0);
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
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    Push_Stack(static_cast<int>(value));
    if (c < limit && *c == '\n') {
        return c + 1;
    }
    const void* line_feed = std::memchr(c, '\n', static_cast<std::size_t>(limit - c));
    return line_feed != nullptr ? static_cast<const char*>(line_feed) + 1 : limit;
}

// Counts every piece of the file. Returns 0, or the errno of a failed read.
int Count_Trace(int fd) {
    char* buffer = static_cast<char*>(std::malloc(piece_max + block_size));
    if (buffer == nullptr) {
        return ENOMEM;
    }
    std::size_t kept = 0;
    for (;;) {
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
        const char* end = buffer + kept + got;
        const char* piece = buffer;
        // While a whole piece fits, its end can be found without looking at
        // the end of the block.
        while (static_cast<std::size_t>(end - piece) >= piece_max) {
            piece = Count_Piece(piece, piece + piece_max);
        }
        if (at_end) {
            while (piece < end) {
                piece = Count_Piece(piece, end);
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
bool Split_File_Name(const std::string& name) {
    std::size_t colon = name.find(':');
    file_part = name.substr(0, colon);
    if (file_part.empty() || colon == std::string::npos || name.compare(colon, 2, "::") != 0) {
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

// Prints the report lines, taking the nodes off the count list; each line
// is "File: %s;\tFunction: %s;\tLine: %d;\tOccurred: %d\n" with the count
// in 64 bits.
void Print_Report() {
    const std::string prefix = "File: " + file_part + ";\tFunction: " + function_part + ";\tLine: ";
    std::string text;
    int line;
    std::int64_t occurrences;
    while (Pop_Stack(line, occurrences)) {
        text += prefix;
        Append_Decimal(text, line);
        text += ";\tOccurred: ";
        Append_Decimal(text, occurrences);
        text += '\n';
        if (text.size() >= (std::size_t{1} << 16)) {
            Write_Output(text);
            text.clear();
        }
    }
    Write_Output(text);
}

}  // namespace

int main(int argc, char* argv[]) {
    // A reader that went away must show as a failed write, not end the run
    // silently.
    std::signal(SIGPIPE, SIG_IGN);

    for (int i = 1; i < argc; ++i) {
        std::fprintf(stderr, "(%d): %s\n", i, argv[i]);
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            Print_Usage();
            return Finish(0);
        }
        file_name = argv[i];
    }

    // A directory opens for reading on some systems but holds no trace.
    int fd = open(file_name.c_str(), O_RDONLY);
    struct stat status;
    if (fd >= 0 && (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode))) {
        close(fd);
        fd = -1;
    }
    if (fd < 0) {
        std::string message = "ERROR: cannot open file '(" + file_name + ")'...\n\n";
        Write_Output(message);
        return Finish(1);
    }

    int error = Count_Trace(fd);
    close(fd);
    if (error != 0) {
        std::fprintf(stderr, "corvane_viru: cannot read '%s': %s\n", file_name.c_str(), std::strerror(error));
        return Finish(1);
    }

    if (!Split_File_Name(file_name)) {
        Write_Output(std::string("sscanf FAILED!\n"));
    }
    Print_Report();
    return Finish(0);
}
