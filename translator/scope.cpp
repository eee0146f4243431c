#include "scope.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "scanner.h"

int scope = 0;
Text_Ref scope_text = {"", 0};

namespace {

// Prefixes are views of one run of tabs. Texts keep pointing into a run after
// a deeper level needed a longer one, so every run lives to the end of the
// program, and is released only then.
struct Tab_Runs : std::vector<char*> {
    ~Tab_Runs() {
        for (char* run : *this) std::free(run);
    }
};
Tab_Runs tab_runs;
size_t tab_run_length = 0;

}  // namespace

Text_Ref Make_Scope_String(int depth) {
    if (depth < 0) {
        std::fprintf(stderr, "ERROR in passed value (%d)(%s)...\n", depth, yytext ? yytext : "");
        depth = 0;
    }
    size_t n = static_cast<size_t>(depth);
    if (n > tab_run_length) {
        size_t length = tab_run_length ? tab_run_length : 64;
        while (length < n) length *= 2;
        char* run = static_cast<char*>(std::malloc(length));
        if (!run) Memory_Error();
        std::memset(run, '\t', length);
        tab_runs.push_back(run);
        tab_run_length = length;
    }
    return Text_Ref{n ? tab_runs.back() : "", n};
}

void Inc_Scope() {
    scope++;
    scope_text = Make_Scope_String(scope);
}

void Dec_Scope() {
    scope--;
    scope_text = Make_Scope_String(scope);
}
