// The statement map of exact mode (corvane --exact -m): see exact_map.cpp.
#pragma once

#include <istream>
#include <string>

#include "coverage.h"

// A key as the map and the trace write it: "LINE", or "LINE.K" for K >= 2.
std::string Key_Text(long long line, long long k);

// Whether a map's first line is the header of exact mode (by its first field).
bool Is_Exact_Map_Header(const std::string& line);

// Reads an exact-mode map whose header line has been read from in; as
// Read_Map does, error and status tell why it failed.
bool Read_Exact_Map(std::istream& in, const std::string& header, const std::string& path, Coverage& coverage,
                    std::string& error, int& status);
