#include "golden_cases.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

std::vector<Golden_Case> Load_Golden_Cases(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".list") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    std::vector<Golden_Case> cases;
    for (const std::string& file : files) {
        std::ifstream list(file);
        for (std::string line; std::getline(list, line);) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            Golden_Case c;
            fields >> c.name >> c.status;
            for (std::string a; fields >> a;) c.args.push_back(a);
            cases.push_back(c);
        }
    }
    return cases;
}
