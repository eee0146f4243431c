#include "map_file.h"

#include <algorithm>
#include <fstream>

#include "exact_map.h"

namespace {

bool Is_Construct_Kind(const std::string& kind) {
    return kind == "process" || kind == "procedure" || kind == "function" || kind == "procedure_all_calls" ||
           kind == "function_all_calls";
}

// The rest of a default-mode map, from its first line on.
bool Read_Partition_Map(std::istream& in, std::string text, const std::string& path, Coverage& coverage,
                        std::string& error, int& status) {
    int line_no = 0;
    do {
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
        Trace_Name trace = Parse_Trace_Name(name);
        int line = 0;
        if (trace.mode != Mode::partition) {
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
        Design* design = Map_Design(coverage, trace.design, path, error, status);
        if (!design) return false;

        auto found = coverage.by_trace_file.find(trace.base);
        int id;
        if (found == coverage.by_trace_file.end()) {
            id = static_cast<int>(coverage.constructs.size());
            Construct c;
            c.design = trace.design;
            c.name = trace.construct;
            c.trace_file = trace.base;
            c.head_line = line;
            coverage.constructs.push_back(c);
            coverage.by_trace_file.emplace(trace.base, id);
            design->constructs.push_back(id);
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
            c.statements.emplace_back();
            c.statements.back().line = line;
            c.statements.back().kind = kind;
        }
    } while (std::getline(in, text));
    return true;
}

}  // namespace

bool Parse_Line_Number(const std::string& s, int& line) {
    if (s.empty() || s.size() > 9) return false;
    line = 0;
    for (char ch : s) {
        if (ch < '0' || ch > '9') return false;
        line = line * 10 + (ch - '0');
    }
    return line > 0;
}

Design* Map_Design(Coverage& coverage, const std::string& name, const std::string& path, std::string& error,
                   int& status) {
    auto found = std::find_if(coverage.designs.begin(), coverage.designs.end(),
                              [&](const Design& d) { return d.name == name; });
    if (found == coverage.designs.end()) {
        coverage.designs.push_back(Design{});
        coverage.designs.back().name = name;
        coverage.designs.back().map_path = path;
        return &coverage.designs.back();
    }
    if (found->map_path != path) {
        error = "design '" + name + "' is in two maps: '" + found->map_path + "' and '" + path +
                "' (give each design's map once)";
        status = 2;
        return nullptr;
    }
    return &*found;
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
    std::string first;
    bool ok = true;
    if (std::getline(in, first)) {  // an empty map brings no design
        // The first field tells the mode: the exact-mode header, or the
        // trace-file name of a default-mode record.
        Mode mode = Is_Exact_Map_Header(first) ? Mode::exact
                    : Parse_Trace_Name(first.substr(0, first.find('\t'))).mode == Mode::partition
                        ? Mode::partition
                        : Mode::none;
        if (mode == Mode::none) {
            error = "'" + path +
                    "' is not a statement map (its first line is neither an exact-mode header nor a "
                    "DIR/DESIGN::NAME.partition.corvane record); write one with corvane -m";
            return false;
        }
        if (coverage.mode != Mode::none && coverage.mode != mode) {
            const std::string& exact = mode == Mode::exact ? path : coverage.mode_map;
            const std::string& other = mode == Mode::exact ? coverage.mode_map : path;
            error = "'" + exact + "' was written in " + Mode_Phrase(Mode::exact) + " and '" + other + "' in " +
                    Mode_Phrase(Mode::partition) + "; instrument every design the same way";
            status = 2;
            return false;
        }
        if (coverage.mode == Mode::none) {
            coverage.mode = mode;
            coverage.mode_map = path;
        }
        ok = mode == Mode::exact ? Read_Exact_Map(in, first, path, coverage, error, status)
                                 : Read_Partition_Map(in, first, path, coverage, error, status);
    }
    if (ok && in.bad()) {
        error = "cannot read the statement map '" + path + "'";
        return false;
    }
    return ok;
}

void Prepare_Counts(Coverage& coverage) {
    if (coverage.mode == Mode::exact) {
        // Read_Exact_Map laid out the slots.
        for (Design& d : coverage.designs) d.points.counts.assign(d.points.slot_k.size(), 0);
        return;
    }
    for (Construct& c : coverage.constructs) {
        int top = 0;
        for (const Statement& s : c.statements) top = std::max(top, s.line);
        c.counts.assign(static_cast<size_t>(top) + 1, 0);
        c.mapped.assign(static_cast<size_t>(top) + 1, 0);
        for (const Statement& s : c.statements) c.mapped[s.line] = 1;
    }
}
