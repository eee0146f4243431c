// The trace files of the simulation runs: one folder per run, holding the
// default mode's DESIGN::CONSTRUCT.partition.corvane files of decimal line
// numbers, or exact mode's DESIGN::exact.corvane files of keys and KEY:COUNT
// pairs (exact_lines.h).
#pragma once

#include <string>
#include <vector>

#include "coverage.h"

// Adds the counts of every trace file in the run folder. Trace files that no
// map knows, or of the other mode than the maps, add a warning to warnings.
// False, with the message in error, when the folder or one of its traces
// cannot be read or the folder holds no trace file.
bool Read_Run(const std::string& folder, Coverage& coverage, std::vector<std::string>& warnings,
              std::string& error);

// Counts one default-mode trace file into the construct. False when it cannot be read.
bool Count_Trace_File(const std::string& path, Construct& c);
// Counts one exact-mode trace file into its design's points. False when it cannot be read.
bool Count_Exact_Trace_File(const std::string& path, Point_Counts& points);

// The warnings about the trace lines that were not counted: lines of no
// statement or key of the map, and lines that hold none at all.
std::vector<std::string> Trace_Line_Warnings(const Coverage& coverage);

// Moves every trace file of the simulation's trace folder into a new run
// folder (created with its parents), so that the next run starts empty.
// Returns the number moved, or -1 with the message in error.
long Collect_Traces(const std::string& from, const std::string& to, std::string& error);
