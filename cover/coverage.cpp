#include "coverage.h"

#include <algorithm>
#include <string>

bool Last_Call_Only(const Coverage& coverage, const Construct& c) {
    return coverage.mode == Mode::partition && (c.kind == "procedure" || c.kind == "function");
}

bool Reopened_Per_Outer_Call(const Coverage& coverage, const Construct& c) {
    if (c.kind != "procedure_all_calls" && c.kind != "function_all_calls") return false;
    // The enclosing constructs' names are the leading parts of its name.
    for (size_t colon = c.name.rfind(':'); colon != std::string::npos && colon > 0;
         colon = c.name.rfind(':', colon - 1)) {
        auto found = coverage.by_trace_file.find(Partition_Trace_Name(c.design, c.name.substr(0, colon)));
        if (found == coverage.by_trace_file.end()) continue;
        const std::string& kind = coverage.constructs[found->second].kind;
        if (kind != "process" && !kind.empty()) return true;
    }
    return false;
}

namespace {

uint64_t Line_Count(const Construct& c, int line) {
    return line >= 0 && static_cast<size_t>(line) < c.counts.size() ? c.counts[line] : 0;
}

void Finish_Partition_Counts(Construct& c) {
    c.entries = 0;
    for (Statement& s : c.statements) {
        s.count = Line_Count(c, s.line);
        c.entries = std::max(c.entries, s.count);
    }
}

void Finish_Exact_Counts(Construct& c, const Design& d, std::vector<std::string>& warnings) {
    const std::vector<uint64_t>& counts = d.points.counts;
    c.entries = c.entry_slot >= 0 ? counts[c.entry_slot] : 0;
    c.runs_seen = d.runs_seen;
    for (Statement& s : c.statements) s.count = counts[s.slot];
    for (Branch_Block& b : c.branches)
        for (Arm& a : b.arms) {
            uint64_t more = counts[a.slot], less = 0;
            for (int slot : a.plus) more += counts[slot];
            for (int slot : a.minus) less += counts[slot];
            a.count = more >= less ? more - less : 0;
            // A trace cut short between an arm's point and its statement's.
            if (more < less)
                warnings.push_back(d.name + ": the " + a.name + " arm of the " + b.kind + " of line " +
                                   std::to_string(b.line) + ", block " + std::to_string(b.block) + ", " +
                                   a.expression + ", comes to -" + std::to_string(less - more) +
                                   ": the trace is inconsistent (cut short?); counted as 0");
        }
}

}  // namespace

std::vector<std::string> Finish_Counts(Coverage& coverage) {
    std::vector<std::string> warnings;
    for (const Design& d : coverage.designs)
        for (int id : d.constructs) {
            Construct& c = coverage.constructs[id];
            if (coverage.mode == Mode::exact)
                Finish_Exact_Counts(c, d, warnings);
            else
                Finish_Partition_Counts(c);
        }
    return warnings;
}

int Executed_Statements(const Construct& c) {
    int n = 0;
    for (const Statement& s : c.statements)
        if (s.count > 0) n++;
    return n;
}

bool Evaluated(const Branch_Block& b) {
    for (const Arm& a : b.arms)
        if (a.count > 0) return true;
    return false;
}

int Branch_Arms(const Construct& c) {
    int n = 0;
    for (const Branch_Block& b : c.branches) n += static_cast<int>(b.arms.size());
    return n;
}

int Taken_Arms(const Branch_Block& b) {
    int n = 0;
    for (const Arm& a : b.arms)
        if (a.count > 0) n++;
    return n;
}

int Taken_Arms(const Construct& c) {
    int n = 0;
    for (const Branch_Block& b : c.branches) n += Taken_Arms(b);
    return n;
}
