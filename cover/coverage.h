// The data of corvane_cover: the statements of the statement maps, the line
// counts of the runs, and the source files they are shown against.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

struct Statement {
    int line;
    std::string kind;  // signal_assign, wait, ...
};

// A process or subprogram: everything written to one line-trace file.
struct Construct {
    std::string design;     // the file part of the trace-file name (-f)
    std::string name;       // the construct part: enclosing names joined by ':'
    std::string kind;       // process, procedure, function, procedure_all_calls, function_all_calls
    std::string trace_file; // the trace-file name without its directory
    int head_line = 0;
    int declarations = 0;   // more than one: several constructs write this file
    std::vector<Statement> statements;  // in map order
    // Summed counts by line number over all runs; mapped[line] marks the
    // lines that hold a statement of the map.
    std::vector<uint64_t> counts;
    std::vector<char> mapped;
    // Trace lines that are no statement line of the map, with their counts.
    std::map<long long, uint64_t> unmapped;
    uint64_t bad_lines = 0;  // trace lines that are no line number at all
    int runs_seen = 0;       // runs that had a trace file of this construct
};

struct Design {
    std::string name;
    std::string map_path;
    std::string source;           // as given on the command line; empty: none
    std::string absolute_source;  // for the lcov tracefile
    std::vector<int> constructs;  // indexes into Coverage::constructs, in map order
};

struct Coverage {
    std::vector<Construct> constructs;
    std::vector<Design> designs;
    std::unordered_map<std::string, int> by_trace_file;  // trace-file name without directory
    int runs = 0;
};

// Whether the construct's trace holds only the last call (a subprogram
// instrumented without -a).
bool Last_Call_Only(const Construct& c);
// Whether an accumulating subprogram is nested in another subprogram, whose
// every call opens its trace file anew.
bool Reopened_Per_Outer_Call(const Coverage& coverage, const Construct& c);

// Statements of a construct whose line ran at least once.
int Executed_Statements(const Construct& c);
uint64_t Line_Count(const Construct& c, int line);
