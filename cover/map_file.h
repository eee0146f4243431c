// Statement maps (corvane -m): one line per trace-file declaration and per
// line-trace statement, "trace-file name<TAB>line<TAB>kind".
#pragma once

#include <string>

#include "coverage.h"

// Splits "DIR/DESIGN::CONSTRUCT.partition.corvane" into the name without its
// directory and its two parts. False when the name has not that form.
bool Split_Trace_File_Name(const std::string& name, std::string& base, std::string& design,
                           std::string& construct);

// Adds the constructs and statements of one map. On failure error holds the
// message and the status: 1 for a map that cannot be read or is no map, 2
// for a design that an earlier map already brought.
bool Read_Map(const std::string& path, Coverage& coverage, std::string& error, int& status);

// Sizes the count tables once every map is read.
void Prepare_Counts(Coverage& coverage);
