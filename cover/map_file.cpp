#include "map_file.h"

#include <algorithm>
#include <fstream>

namespace {

const std::string suffix = ".partition.corvane";

bool Is_Construct_Kind(const std::string& kind) {
    return kind == "process" || kind == "procedure" || kind == "function" || kind == "procedure_all_calls" ||
           kind == "function_all_calls";
}

bool Parse_Line_Number(const std::string& s, int& line) {
    if (s.empty() || s.size() > 9) return false;
    line = 0;
    for (char ch : s) {
        if (ch < '0' || ch > '9') return false;
        line = line * 10 + (ch - '0');
    }
    return line > 0;
}

}  // namespace

bool Split_Trace_File_Name(const std::string& name, std::string& base, std::string& design,
                           std::string& construct) {
    if (name.size() < suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    std::string stem = name.substr(0, name.size() - suffix.size());
    // Construct names are identifiers joined by ':', so the directory ends at
    // the last '/' and the design name at the first "::" after it.
    size_t slash = stem.rfind('/');
    size_t start = slash == std::string::npos ? 0 : slash + 1;
    size_t colons = stem.find("::", start);
    if (colons == std::string::npos || colons == start) return false;
    base = name.substr(start);
    design = stem.substr(start, colons - start);
    construct = stem.substr(colons + 2);
    return true;
}

bool Read_Map(const std::string& path, Coverage& coverage, std::string& error, int& status) {
    for (const Design& d : coverage.designs) {
        if (d.map_path == path) {
            // Read again, its statements would count twice and every
            // construct would seem to share its trace file.
            error = "the statement map '" + path + "' is given twice";
            status = 2;
            return false;
        }
    }
    std::ifstream in(path, std::ios::binary);
    status = 1;
    if (!in) {
        error = "cannot read the statement map '" + path + "'";
        return false;
    }
    std::string text;
    int line_no = 0;
    std::vector<int> seen_here(coverage.constructs.size(), 0);
    while (std::getline(in, text)) {
        line_no++;
        std::string where = path + ":" + std::to_string(line_no) + ": ";
        size_t tab1 = text.find('\t');
        size_t tab2 = tab1 == std::string::npos ? tab1 : text.find('\t', tab1 + 1);
        if (tab2 == std::string::npos || text.find('\t', tab2 + 1) != std::string::npos) {
            error = where + "not a statement-map line (three fields separated by tabs)";
            return false;
        }
        std::string name = text.substr(0, tab1), number = text.substr(tab1 + 1, tab2 - tab1 - 1),
                    kind = text.substr(tab2 + 1);
        std::string base, design, construct;
        int line = 0;
        if (!Split_Trace_File_Name(name, base, design, construct)) {
            error = where + "'" + name + "' is not a trace-file name (DIR/DESIGN::NAME.partition.corvane)";
            return false;
        }
        if (!Parse_Line_Number(number, line)) {
            error = where + "'" + number + "' is not a line number";
            return false;
        }
        if (kind.empty()) {
            error = where + "the statement kind is missing";
            return false;
        }

        auto design_it = std::find_if(coverage.designs.begin(), coverage.designs.end(),
                                      [&](const Design& d) { return d.name == design; });
        if (design_it == coverage.designs.end()) {
            coverage.designs.push_back(Design{design, path, "", "", {}});
            design_it = coverage.designs.end() - 1;
        } else if (design_it->map_path != path) {
            error = "design '" + design + "' is in two maps: '" + design_it->map_path + "' and '" + path +
                    "' (give each design's map once)";
            status = 2;
            return false;
        }

        auto found = coverage.by_trace_file.find(base);
        int id;
        if (found == coverage.by_trace_file.end()) {
            id = static_cast<int>(coverage.constructs.size());
            Construct c;
            c.design = design;
            c.name = construct;
            c.trace_file = base;
            c.head_line = line;
            coverage.constructs.push_back(c);
            seen_here.push_back(0);
            coverage.by_trace_file.emplace(base, id);
            design_it->constructs.push_back(id);
        } else {
            id = found->second;
        }
        Construct& c = coverage.constructs[id];
        if (Is_Construct_Kind(kind)) {
            // The first declaration names the construct; a second one (two
            // unlabelled processes, an operator function in a process) writes
            // the same file.
            if (c.declarations++ == 0) {
                c.kind = kind;
                c.head_line = line;
            }
        } else {
            c.statements.push_back(Statement{line, kind});
        }
    }
    if (in.bad()) {
        error = "cannot read the statement map '" + path + "'";
        return false;
    }
    return true;
}

void Prepare_Counts(Coverage& coverage) {
    for (Construct& c : coverage.constructs) {
        int top = 0;
        for (const Statement& s : c.statements) top = std::max(top, s.line);
        c.counts.assign(static_cast<size_t>(top) + 1, 0);
        c.mapped.assign(static_cast<size_t>(top) + 1, 0);
        for (const Statement& s : c.statements) c.mapped[s.line] = 1;
    }
}
