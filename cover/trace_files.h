// The line-trace files of the simulation runs: one folder per run, each
// holding DESIGN::CONSTRUCT.partition.corvane files of decimal line numbers.
#pragma once

#include <string>
#include <vector>

#include "coverage.h"

// Adds the counts of every trace file in the run folder. Traces of
// constructs that no map knows are listed in unknown. False, with the
// message in error, when the folder or one of its traces cannot be read or
// the folder holds no trace file.
bool Read_Run(const std::string& folder, Coverage& coverage, std::vector<std::string>& unknown,
              std::string& error);

// Counts one trace file into the construct. False when it cannot be read.
bool Count_Trace_File(const std::string& path, Construct& c);

// Moves every trace file of the simulation's trace folder into a new run
// folder (created with its parents), so that the next run starts empty.
// Returns the number moved, or -1 with the message in error.
long Collect_Traces(const std::string& from, const std::string& to, std::string& error);
