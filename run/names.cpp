#include "names.h"

#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>

std::vector<std::string> Design_Names(const std::vector<std::string>& files) {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (const std::string& file : files) {
        std::string stem = std::filesystem::path(file).stem().string(), name;
        for (char ch : stem) {
            unsigned char c = static_cast<unsigned char>(ch);
            char mapped = std::isalnum(c) && c < 128 ? static_cast<char>(std::tolower(c)) : '_';
            if (mapped == '_' && (name.empty() || name.back() == '_')) continue;
            name += mapped;
        }
        while (!name.empty() && name.back() == '_') name.pop_back();
        if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) name.insert(0, "f");
        std::string unique = name;
        for (int n = 2; taken.count(unique); n++) unique = name + "_" + std::to_string(n);
        taken.insert(unique);
        names.push_back(unique);
    }
    return names;
}

namespace {

// The 1-based character position of the token in the line that ends at
// the visual column end (tabs to the next multiple of 8), or 0.
size_t Token_Start(const std::string& line, const std::string& token, long end) {
    for (size_t start = line.find(token); start != std::string::npos; start = line.find(token, start + 1)) {
        long column = 0;
        for (size_t i = 0; i < start + token.size(); i++) column = line[i] == '\t' ? column + 8 - column % 8 : column + 1;
        if (column == end) return start + 1;
    }
    return 0;
}

}  // namespace

std::string Syntax_Error_Message(const std::string& file, const std::string& report,
                                 const std::vector<std::string>& source_lines) {
    const std::string head = "\nERROR:'", tail = "' in your Source Code!!!!\nString:(";
    if (report.compare(0, head.size(), head) != 0) return "";
    size_t end_message = report.find(tail);
    if (end_message == std::string::npos) return "";
    std::string message = report.substr(head.size(), end_message - head.size());
    size_t token_at = end_message + tail.size();
    size_t line_at = report.rfind(") Line:");
    if (line_at == std::string::npos || line_at < token_at) return "";
    std::string token = report.substr(token_at, line_at - token_at);
    long line = 0, column = 0;
    char rest = 0;
    std::istringstream position(report.substr(line_at + 7));
    std::string column_word;
    if (!(position >> line >> column_word) || column_word.compare(0, 7, "Column:") != 0) return "";
    std::istringstream(column_word.substr(7)) >> column;
    if (position >> rest) return "";
    std::string where = file + ":" + std::to_string(line) + ":";
    if (token.empty()) return where + std::to_string(column) + ": " + message + " at end of file";
    size_t start = 0;
    if (line >= 1 && static_cast<size_t>(line) <= source_lines.size())
        start = Token_Start(source_lines[line - 1], token, column);
    // Not found in the line (a token over several lines): the column past it.
    return where + std::to_string(start ? static_cast<long>(start) : column) + ": " + message + " at '" + token + "'";
}

std::vector<std::string> Never_Run_Lines(const std::string& file, const std::string& listing) {
    std::vector<std::string> lines;
    std::istringstream in(listing);
    for (std::string l; std::getline(in, l);) {
        // "    #####:   66:          timer := side_green;"
        size_t first = l.find(':'), second = first == std::string::npos ? first : l.find(':', first + 1);
        if (second == std::string::npos || l.substr(0, first).find("#####") == std::string::npos) continue;
        std::string number = l.substr(first + 1, second - first - 1), text = l.substr(second + 1);
        number.erase(0, number.find_first_not_of(' '));
        size_t begin = text.find_first_not_of(" \t");
        lines.push_back(file + ":" + number + ": " + (begin == std::string::npos ? "" : text.substr(begin)));
    }
    return lines;
}
