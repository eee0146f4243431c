// The cases of the golden suite: one line of a tests/golden/*.list file each,
// "NAME STATUS ARG...", blank lines and lines starting with '#' left out.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct Golden_Case {
    std::string name;
    int status;
    std::vector<std::string> args;
};

inline void PrintTo(const Golden_Case& c, std::ostream* os) { *os << c.name; }

// Every case of the NAME.list files of the folder, the files in name order.
std::vector<Golden_Case> Load_Golden_Cases(const std::string& folder);
