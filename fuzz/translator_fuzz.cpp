// libFuzzer harness of the translator: one input is one design file, parsed
// in this process the way main parses standard input. A run that breaks one
// of the properties below aborts, and libFuzzer keeps the input:
//   - the parse ends with 0, 1 or 2;
//   - with 0 the output starts with "USE STD.TEXTIO.ALL;" and is a complete
//     design: translated once more, it is accepted again;
//   - with 1 or 2 the output is only the two-line report, with the message
//     of that status.
// Crashes and sanitizer reports end the run by themselves.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver.h"
#include "scanner.h"
#include "scope.h"
#include "stack.h"
#include "text.h"

// Its depth counter lives in an unnamed namespace; a parse that ends at a
// syntax error leaves it raised, so the harness takes its own copy to reset.
#include "instrument.cpp"

namespace {

void Fail(const char* what, const std::string& output) {
    std::fprintf(stderr, "property broken: %s\noutput (%zu bytes):\n%.2000s\n", what, output.size(),
                 output.c_str());
    std::abort();
}

// Parses the bytes as main parses standard input and returns the status;
// `output` receives everything written to standard output.
int Translate(const char* data, size_t size, std::string& output) {
    // fmemopen refuses an empty buffer on some C libraries; an empty file
    // stream does the same job.
    FILE* input = size > 0 ? fmemopen(const_cast<char*>(data), size, "r") : std::tmpfile();
    if (!input) std::abort();
    char* out_bytes = nullptr;
    size_t out_size = 0;
    FILE* out = open_memstream(&out_bytes, &out_size);
    if (!out) std::abort();
    FILE* saved_stdout = stdout;
    stdout = out;

    while (stack) Pop_Stack();
    sequential_depth = 0;
    scope = 0;
    scope_text = Make_Scope_String(0);
    function_name = "";
    Scanner_Restart(input);
    int status = yyparse();

    std::fflush(stdout);
    stdout = saved_stdout;
    std::fclose(out);
    std::fclose(input);
    output.assign(out_bytes, out_size);
    std::free(out_bytes);
    return status;
}

bool Is_Number(const std::string& s, size_t& at) {
    size_t from = at;
    while (at < s.size() && s[at] >= '0' && s[at] <= '9') at++;
    return at > from;
}

// "\nERROR:'<message>' in your Source Code!!!!\nString:(<lexeme>) Line:<n> Column:<n>\n"
bool Is_Report(const std::string& out, const std::string& message) {
    const std::string head = "\nERROR:'" + message + "' in your Source Code!!!!\nString:(";
    if (out.compare(0, head.size(), head) != 0) return false;
    size_t line = out.rfind(") Line:");
    if (line == std::string::npos || line < head.size()) return false;
    // The lexeme is one token of one line.
    if (out.find('\n', head.size()) < line) return false;
    size_t at = line + 7;
    if (!Is_Number(out, at)) return false;
    if (out.compare(at, 8, " Column:") != 0) return false;
    at += 8;
    if (!Is_Number(out, at)) return false;
    return at + 1 == out.size() && out[at] == '\n';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::string output;
    int status = Translate(reinterpret_cast<const char*>(data), size, output);
    switch (status) {
        case 0: {
            static const std::string prefix = "USE STD.TEXTIO.ALL;";
            if (output.compare(0, prefix.size(), prefix) != 0) Fail("status 0 without the use clause", output);
            std::string again;
            int second = Translate(output.data(), output.size(), again);
            if (second != 0) Fail("the printed design is not accepted again", output);
            break;
        }
        case 1:
            if (!Is_Report(output, "parse error")) Fail("status 1 without the parse error report alone", output);
            break;
        case 2:
            if (!Is_Report(output, "parser stack overflow"))
                Fail("status 2 without the stack overflow report alone", output);
            break;
        default:
            Fail("status other than 0, 1 or 2", output);
    }
    return 0;
}
