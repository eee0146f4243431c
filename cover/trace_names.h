// The names of the trace files, the one place that knows them. A simulation
// instrumented in the default mode writes one file per construct,
// DIR/DESIGN::NAME.partition.corvane; one instrumented in exact mode
// (corvane --exact) writes one file per design, DIR/DESIGN::exact.corvane.
#pragma once

#include <string>

// Which way a design was instrumented; none: not known (yet).
enum class Mode { none, partition, exact };

struct Trace_Name {
    Mode mode = Mode::none;  // none: the name is no trace-file name
    std::string base;        // the name without its directory
    std::string design;      // the -f name
    std::string construct;   // the default mode's construct part (may be empty)
};

// Parses a trace file's name, with or without its directory. DESIGN is the
// nonempty text before the first "::" of the last path component.
Trace_Name Parse_Trace_Name(const std::string& path);

std::string Partition_Trace_Name(const std::string& design, const std::string& construct);
std::string Exact_Trace_Name(const std::string& design);

// "*.partition.corvane or *::exact.corvane", for messages.
extern const char* const trace_patterns;

// "the default mode" or "exact mode (corvane --exact)", for messages.
const char* Mode_Phrase(Mode mode);
