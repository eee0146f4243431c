// Statement maps (corvane -m), of either mode. The default mode's map has one
// line per trace-file declaration and per line-trace statement,
// "DIR/DESIGN::NAME.partition.corvane<TAB>line<TAB>kind". Exact mode's map
// (corvane --exact -m) starts with the header "corvane-exact-map<TAB>DESIGN<TAB>
// TRACEPATH" and has construct, statement and branch records, each statement
// and branch with the key of its counting point.
#pragma once

#include <string>

#include "coverage.h"

// Adds the constructs and statements of one map. On failure error holds the
// message and the status: 1 for a map that cannot be read, is no map or has
// a malformed line, 2 for a map given twice, a design that an earlier map
// already brought, or a map of the other mode than the earlier ones.
bool Read_Map(const std::string& path, Coverage& coverage, std::string& error, int& status);

// Sizes the count tables once every map is read.
void Prepare_Counts(Coverage& coverage);

// For the two map readers: a line number of 1 to 9 decimal digits, above 0.
bool Parse_Line_Number(const std::string& s, int& line);
// For the two map readers: the design that the map at path brings, added
// when new; null, with the message and status 2, when another map brought it.
Design* Map_Design(Coverage& coverage, const std::string& name, const std::string& path, std::string& error,
                   int& status);
