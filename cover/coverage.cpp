#include "coverage.h"

bool Last_Call_Only(const Construct& c) { return c.kind == "procedure" || c.kind == "function"; }

bool Reopened_Per_Outer_Call(const Coverage& coverage, const Construct& c) {
    if (c.kind != "procedure_all_calls" && c.kind != "function_all_calls") return false;
    // The enclosing constructs' names are the leading parts of its name.
    for (size_t colon = c.name.rfind(':'); colon != std::string::npos && colon > 0;
         colon = c.name.rfind(':', colon - 1)) {
        auto found = coverage.by_trace_file.find(c.design + "::" + c.name.substr(0, colon) + ".partition.corvane");
        if (found == coverage.by_trace_file.end()) continue;
        const std::string& kind = coverage.constructs[found->second].kind;
        if (kind != "process" && !kind.empty()) return true;
    }
    return false;
}

uint64_t Line_Count(const Construct& c, int line) {
    return line >= 0 && static_cast<size_t>(line) < c.counts.size() ? c.counts[line] : 0;
}

int Executed_Statements(const Construct& c) {
    int n = 0;
    for (const Statement& s : c.statements)
        if (Line_Count(c, s.line) > 0) n++;
    return n;
}
