// The exact-mode statement map (corvane --exact -m): after the header, one
// record per line, fields separated by tabs:
//   construct  KIND  NAME  FIRST  LAST  KEY   (KEY '-' for a concurrent statement)
//   statement  LINE  KIND  KEY                (of the construct above)
//   branch     LINE  KIND  KEY                (of the statement above; KEY '-': the rest)
// A KEY is LINE or LINE.K (K from 2), the counting point of the design's
// trace file whose every line is one execution of one key.
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "exact_map.h"
#include "map_file.h"

namespace {

const std::string header_word = "corvane-exact-map";

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t from = 0;
    for (size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
        fields.push_back(line.substr(from, tab - from));
    fields.push_back(line.substr(from));
    return fields;
}

using Key = std::pair<int, int>;  // LINE, K; K is 1 for a key LINE alone

bool Parse_Key(const std::string& s, Key& key) {
    size_t dot = s.find('.');
    if (!Parse_Line_Number(s.substr(0, dot), key.first)) return false;
    key.second = 1;
    return dot == std::string::npos || (Parse_Line_Number(s.substr(dot + 1), key.second) && key.second >= 2);
}

bool Is_Concurrent(const std::string& kind) {
    return kind == "concurrent_assignment" || kind == "concurrent_assertion";
}

bool Is_Exact_Construct_Kind(const std::string& kind) {
    return kind == "process" || kind == "procedure" || kind == "function" || Is_Concurrent(kind);
}

}  // namespace

std::string Key_Text(long long line, long long k) {
    return std::to_string(line) + (k > 1 ? "." + std::to_string(k) : "");
}

bool Is_Exact_Map_Header(const std::string& line) { return line.substr(0, line.find('\t')) == header_word; }

bool Read_Exact_Map(std::istream& in, const std::string& header, const std::string& path, Coverage& coverage,
                    std::string& error, int& status) {
    status = 1;
    int line_no = 1;
    auto fail = [&](const std::string& message) {
        error = path + ":" + std::to_string(line_no) + ": " + message;
        return false;
    };
    std::vector<std::string> f = Fields(header);
    if (f.size() != 3)
        return fail("the header has 3 fields separated by tabs (corvane-exact-map, DESIGN, TRACEPATH), not " +
                    std::to_string(f.size()));
    if (f[1].empty()) return fail("the design name is missing");
    Trace_Name trace = Parse_Trace_Name(f[2]);
    if (trace.mode != Mode::exact || trace.design != f[1])
        return fail("'" + f[2] + "' is not the trace file of design '" + f[1] + "' (DIR/" + Exact_Trace_Name(f[1]) +
                    ")");
    Design* design = Map_Design(coverage, f[1], path, error, status);
    if (!design) return false;

    // Until the map is read, every slot field holds an index into keys.
    std::vector<Key> keys;
    std::map<Key, int> key_lines;            // the map line of each key
    std::map<std::string, int> name_lines;   // the map line of each construct name
    Construct* construct = nullptr;
    Statement* statement = nullptr;
    auto take_key = [&](const std::string& text, int& slot) {
        Key key;
        if (!Parse_Key(text, key)) return fail("'" + text + "' is not a key (LINE or LINE.K, K from 2)");
        auto [at, added] = key_lines.emplace(key, line_no);
        if (!added)
            return fail("the key " + Key_Text(key.first, key.second) + " is already the counting point of line " +
                        std::to_string(at->second));
        slot = static_cast<int>(keys.size());
        keys.push_back(key);
        return true;
    };
    auto check_fields = [&](size_t want, const char* names) {
        if (f.size() == want) return true;
        return fail("a " + f[0] + " record has " + std::to_string(want) + " fields separated by tabs (" + names +
                    "), not " + std::to_string(f.size()));
    };

    for (std::string text; std::getline(in, text);) {
        line_no++;
        f = Fields(text);
        if (f[0] == "construct") {
            if (!check_fields(6, "construct, KIND, NAME, FIRST, LAST, KEY")) return false;
            Construct c;
            c.design = design->name;
            c.kind = f[1];
            c.name = f[2];
            c.declarations = 1;
            if (!Is_Exact_Construct_Kind(c.kind))
                return fail("'" + c.kind +
                            "' is not a construct kind (process, procedure, function, concurrent_assignment, "
                            "concurrent_assertion)");
            if (c.name.empty()) return fail("the construct name is missing");
            auto [at, added] = name_lines.emplace(c.name, line_no);
            if (!added)
                return fail("the construct name '" + c.name + "' is already that of line " +
                            std::to_string(at->second));
            if (!Parse_Line_Number(f[3], c.head_line)) return fail("'" + f[3] + "' is not a line number");
            if (!Parse_Line_Number(f[4], c.last_line)) return fail("'" + f[4] + "' is not a line number");
            if (c.last_line < c.head_line)
                return fail("the construct ends on line " + f[4] + ", before its first line " + f[3]);
            if (Is_Concurrent(c.kind)) {
                if (f[5] != "-") return fail("a " + c.kind + " counts no entries: its key is '-', not '" + f[5] + "'");
            } else {
                if (f[5] == "-") return fail("a " + c.kind + " needs the key of its entries, not '-'");
                if (!take_key(f[5], c.entry_slot)) return false;
            }
            design->constructs.push_back(static_cast<int>(coverage.constructs.size()));
            coverage.constructs.push_back(std::move(c));
            construct = &coverage.constructs.back();
            statement = nullptr;
        } else if (f[0] == "statement") {
            if (!check_fields(4, "statement, LINE, KIND, KEY")) return false;
            if (!construct) return fail("a statement before any construct");
            Statement s;
            s.kind = f[2];
            if (!Parse_Line_Number(f[1], s.line)) return fail("'" + f[1] + "' is not a line number");
            if (s.line < construct->head_line || s.line > construct->last_line)
                return fail("line " + f[1] + " is outside its construct '" + construct->name + "' (lines " +
                            std::to_string(construct->head_line) + " to " + std::to_string(construct->last_line) +
                            ")");
            if (s.kind.empty()) return fail("the statement kind is missing");
            if (!take_key(f[3], s.slot)) return false;
            construct->statements.push_back(std::move(s));
            statement = &construct->statements.back();
        } else if (f[0] == "branch") {
            if (!check_fields(4, "branch, LINE, KIND, KEY")) return false;
            if (!statement) return fail("a branch before any statement of its construct");
            Branch b;
            b.kind = f[2];
            int line = 0;
            if (!Parse_Line_Number(f[1], line)) return fail("'" + f[1] + "' is not a line number");
            if (line != statement->line)
                return fail("the branch is on line " + f[1] + ", its statement on line " +
                            std::to_string(statement->line));
            if (b.kind != "when" && b.kind != "else") return fail("'" + b.kind + "' is not a branch kind (when, else)");
            if (f[3] == "-") {
                for (const Branch& other : statement->branches)
                    if (other.slot < 0) return fail("a second branch counted as the rest ('-') of its statement");
            } else if (!take_key(f[3], b.slot)) {
                return false;
            }
            statement->branches.push_back(std::move(b));
        } else if (f[0] == header_word) {
            return fail("a second header (one map per design)");
        } else {
            return fail("'" + f[0] + "' is no record of an exact-mode map (construct, statement or branch)");
        }
    }

    // The slots (see Point_Counts).
    std::vector<int> order(keys.size());
    for (size_t i = 0; i < order.size(); i++) order[i] = static_cast<int>(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    std::vector<int> slot_of(keys.size());
    Point_Counts& points = design->points;
    size_t lines = keys.empty() ? 1 : static_cast<size_t>(keys[order.back()].first) + 1;
    points.known.assign(lines, 0);
    points.slot_k.assign(lines, 1);
    points.line_base.assign(lines + 1, 0);
    points.line_base[0] = static_cast<uint32_t>(lines);
    for (int i : order) {
        const Key& key = keys[i];
        if (key.second == 1) {
            points.known[key.first] = 1;
            slot_of[i] = key.first;
        } else {
            slot_of[i] = static_cast<int>(points.slot_k.size());
            points.slot_k.push_back(static_cast<uint32_t>(key.second));
            points.line_base[key.first + 1] = static_cast<uint32_t>(points.slot_k.size());
        }
    }
    for (size_t line = 1; line < points.line_base.size(); line++)
        points.line_base[line] = std::max(points.line_base[line], points.line_base[line - 1]);
    for (int id : design->constructs) {
        Construct& c = coverage.constructs[id];
        if (c.entry_slot >= 0) c.entry_slot = slot_of[c.entry_slot];
        for (Statement& s : c.statements) {
            s.slot = slot_of[s.slot];
            for (Branch& b : s.branches)
                if (b.slot >= 0) b.slot = slot_of[b.slot];
        }
    }
    return true;
}
