// corvane: reads one VHDL-87 design file on standard input and prints it,
// regenerated and instrumented, on standard output.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>

#include "driver.h"
#include "exact.h"
#include "instrument.h"
#include "scanner.h"
#include "scope.h"
#include "standard.h"

namespace {

void Usage() {
    std::fputs("\nOptions:  corvane [< vhdl_file] [> out_file]", stdout);
    std::fputs("\n---------------------------------------------", stdout);
    std::fputs("\n  -f <filename> : filename of the 'vhdl_file'", stdout);
    std::fputs("\n  -d <directory> : directory for the *.da files", stdout);
    std::fputs("\n  -m <map> : also write the statement map to <map>", stdout);
    std::fputs("\n  -a : accumulation mode: a subprogram's trace holds all its calls", stdout);
    std::fputs("\n  --exact : exact mode: one trace file per design file, exact counts", stdout);
    std::fputs("\n  --std=87|93|08 : the design's VHDL (default 87); 93 and 08 are exact mode", stdout);
    std::fputs("\n  -h, --help : print this text", stdout);
    std::fputs("\n  --version : print the version", stdout);
    std::fputs("\n\n", stdout);
}

// Every byte of standard output must arrive: a write failure is reported
// and the run does not end as a success.
int Finish(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "corvane: cannot write to standard output: %s\n", std::strerror(errno));
        return 3;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    std::set_new_handler([] { Memory_Error(); });
    static char output_buffer[1 << 16];
    std::setvbuf(stdout, output_buffer, _IOFBF, sizeof output_buffer);
    // The scanner takes its characters from the stream one by one; a large
    // stream buffer makes each read of the system bring many of them.
    static char input_buffer[1 << 16];
    std::setvbuf(stdin, input_buffer, _IOFBF, sizeof input_buffer);

    for (int i = 1; i < argc; i++) std::fprintf(stderr, "(%d): %s\n", i, argv[i]);

    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "-f") == 0) {
            // An option without its value keeps the default.
            if (i + 1 < argc) filename_name = argv[++i];
        } else if (std::strcmp(argv[i], "-d") == 0) {
            if (i + 1 < argc) directory_name = argv[++i];
        } else if (std::strcmp(argv[i], "-m") == 0) {
            if (i + 1 < argc) map_file_name = argv[++i];
        } else if (std::strcmp(argv[i], "-a") == 0) {
            accumulation_mode = true;
        } else if (std::strcmp(argv[i], "--exact") == 0) {
            exact_mode = true;
        } else if (std::strncmp(argv[i], "--std", 5) == 0 && (argv[i][5] == '=' || argv[i][5] == '\0')) {
            if (!Set_Standard(argv[i] + 5)) {
                std::fprintf(stderr, "corvane: '%s' names no language standard: give --std=87, --std=93 or --std=08\n", argv[i]);
                return Finish(2);
            }
        } else if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            Usage();
            return Finish(0);
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("corvane " CORVANE_VERSION "\n", stdout);
            return Finish(0);
        }
    }

    // The VHDL-93 and VHDL-2008 instrumentation is written in exact mode only.
    if (standard != Standard::VHDL87) exact_mode = true;
    if (exact_mode) {
        // The -f name becomes a package name and the trace path a string of the output.
        std::string error;
        if (!Exact_Names_Valid(error)) {
            std::fprintf(stderr, "corvane: %s\n", error.c_str());
            return Finish(2);
        }
        reject_unknown_characters = true;
        record_keyword_lines = true;
    }

    scope = 0;
    scope_text = Make_Scope_String(0);
    function_name = "";
    Start_Instrumentation();

    // 0: the design was printed; 1: syntax error; 2: parser stack overflow.
    int result = standard == Standard::VHDL08 ? yy08parse() : standard == Standard::VHDL93 ? yy93parse() : yyparse();
    if (!map_file_name.empty()) {
        // A map belongs to a printed design; one left from an earlier run of
        // a design that no longer parses would be taken for its map.
        if (result != 0) {
            std::remove(map_file_name.c_str());
        } else if (!Write_Statement_Map(map_file_name)) {
            std::fprintf(stderr, "corvane: cannot write the statement map '%s': %s\n", map_file_name.c_str(),
                         std::strerror(errno));
            std::remove(map_file_name.c_str());
            Finish(result);
            return 3;
        }
    }
    return Finish(result);
}
