// The exact-mode statement map (corvane --exact -m): after the header, one
// record per line, fields separated by tabs:
//   construct  KIND  NAME  FIRST  LAST  KEY   (KEY '-' for a concurrent statement)
//   statement  LINE  KIND  KEY                (of the construct above)
//   branch     LINE  BLOCK  KIND  ARM  KEY    (an arm of a branching statement of the construct above)
// A KEY is LINE or LINE.K (K from 2), the counting point of the design's
// trace file (exact_lines.h). A branch's KEY may also be an expression of
// keys K1-K2+K3...: the count of K1 less or plus those of the others (keys of
// other records of the map), for an arm counted as the rest.
// BLOCK numbers the branching statements of one line from 0; the arms of a
// block are consecutive records, in the order Branch_Kinds gives.
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

// A block number: 0, 1, ... in at most 9 digits.
bool Parse_Block(const std::string& s, int& block) {
    if (s.empty() || s.size() > 9) return false;
    block = 0;
    for (char ch : s) {
        if (ch < '0' || ch > '9') return false;
        block = block * 10 + (ch - '0');
    }
    return true;
}

// The arms of each kind of branching statement, in order: each arm name
// occurs from min to max times (max -1: any number).
struct Arm_Rule {
    const char* arm;
    int min, max;
};
struct Branch_Kind {
    const char* kind;
    std::vector<Arm_Rule> rules;
    const char* order;  // for messages
};

const std::vector<Branch_Kind>& Branch_Kinds() {
    static const std::vector<Branch_Kind> kinds = {
        {"if", {{"then", 1, 1}, {"elsif", 0, -1}, {"else", 1, 1}}, "then, elsif..., else"},
        {"case", {{"when", 1, -1}}, "when..."},
        {"exit", {{"taken", 1, 1}, {"not_taken", 1, 1}}, "taken, not_taken"},
        {"next", {{"taken", 1, 1}, {"not_taken", 1, 1}}, "taken, not_taken"},
        {"while", {{"true", 1, 1}, {"false", 1, 1}}, "true, false"},
        {"conditional_signal_assign", {{"when", 1, -1}, {"else", 1, 1}}, "when..., else"},
        {"conditional_variable_assign", {{"when", 1, -1}, {"else", 1, 1}}, "when..., else"},
    };
    return kinds;
}

const Branch_Kind* Find_Branch_Kind(const std::string& kind) {
    for (const Branch_Kind& k : Branch_Kinds())
        if (kind == k.kind) return &k;
    return nullptr;
}

// Where the arms of the open block stand in its kind's rules.
struct Arm_Position {
    const Branch_Kind* kind = nullptr;
    size_t rule = 0;
    int seen = 0;  // arms of that rule so far

    // Takes the next arm: false when it is no arm of the kind or out of order.
    bool Take(const std::string& arm) {
        const std::vector<Arm_Rule>& rules = kind->rules;
        for (size_t r = rule; r < rules.size(); r++) {
            int seen_here = r == rule ? seen : 0;
            if (arm == rules[r].arm) {
                if (rules[r].max >= 0 && seen_here >= rules[r].max) return false;
                rule = r;
                seen = seen_here + 1;
                return true;
            }
            if (seen_here < rules[r].min) return false;  // a required arm is skipped
        }
        return false;
    }
    // The first required arm still missing, or null when the block is complete.
    const char* Missing() const {
        const std::vector<Arm_Rule>& rules = kind->rules;
        for (size_t r = rule; r < rules.size(); r++)
            if ((r == rule ? seen : 0) < rules[r].min) return rules[r].arm;
        return nullptr;
    }
};

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
    auto fail_at = [&](int at, const std::string& message) {
        error = path + ":" + std::to_string(at) + ": " + message;
        return false;
    };
    auto fail = [&](const std::string& message) { return fail_at(line_no, message); };
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
    std::map<Key, int> key_index;            // its index into keys
    std::map<std::string, int> name_lines;   // the map line of each construct name
    int construct = -1;                      // index into coverage.constructs
    auto take_key = [&](const std::string& text, int& slot) {
        Key key;
        if (!Parse_Key(text, key)) return fail("'" + text + "' is not a key (LINE or LINE.K, K from 2)");
        auto [at, added] = key_lines.emplace(key, line_no);
        if (!added)
            return fail("the key " + Key_Text(key.first, key.second) + " is already the counting point of line " +
                        std::to_string(at->second));
        slot = static_cast<int>(keys.size());
        key_index.emplace(key, slot);
        keys.push_back(key);
        return true;
    };
    auto check_fields = [&](size_t want, const char* names) {
        if (f.size() == want) return true;
        return fail("a " + f[0] + " record has " + std::to_string(want) + " fields separated by tabs (" + names +
                    "), not " + std::to_string(f.size()));
    };
    auto check_line = [&](const std::string& text, int& line) {
        if (!Parse_Line_Number(text, line)) return fail("'" + text + "' is not a line number");
        const Construct& c = coverage.constructs[construct];
        if (line < c.head_line || line > c.last_line)
            return fail("line " + text + " is outside its construct '" + c.name + "' (lines " +
                        std::to_string(c.head_line) + " to " + std::to_string(c.last_line) + ")");
        return true;
    };

    // The branching statements: the block whose arms are being read, the
    // map line of every block by line and number, the expressions whose
    // keys are looked up once every key is known.
    Arm_Position open;
    int open_line = 0, open_block = -1, last_arm_line = 0;
    std::map<int, std::map<int, int>> block_lines;
    struct Expression {
        int construct;
        size_t block, arm;
        std::vector<Key> keys;
        std::vector<char> signs;  // of each key: '+' for the first
        int map_line;
    };
    std::vector<Expression> expressions;
    auto close_block = [&]() {
        if (open_block < 0) return true;
        const char* missing = open.Missing();
        int block = open_block;
        open_block = -1;
        if (!missing) return true;
        return fail_at(last_arm_line, "the " + std::string(open.kind->kind) + " of line " +
                                          std::to_string(open_line) + ", block " + std::to_string(block) +
                                          ", has no '" + missing + "' arm (its arms: " + open.kind->order + ")");
    };

    for (std::string text; std::getline(in, text);) {
        line_no++;
        f = Fields(text);
        if (f[0] != "branch" && !close_block()) return false;
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
            construct = static_cast<int>(coverage.constructs.size());
            design->constructs.push_back(construct);
            coverage.constructs.push_back(std::move(c));
        } else if (f[0] == "statement") {
            if (!check_fields(4, "statement, LINE, KIND, KEY")) return false;
            if (construct < 0) return fail("a statement before any construct");
            Statement s;
            s.kind = f[2];
            if (!check_line(f[1], s.line)) return false;
            if (s.kind.empty()) return fail("the statement kind is missing");
            if (!take_key(f[3], s.slot)) return false;
            coverage.constructs[construct].statements.push_back(std::move(s));
        } else if (f[0] == "branch") {
            if (!check_fields(6, "branch, LINE, BLOCK, KIND, ARM, KEY")) return false;
            if (construct < 0) return fail("a branch before any construct");
            int line = 0, block = 0;
            if (!check_line(f[1], line)) return false;
            if (!Parse_Block(f[2], block)) return fail("'" + f[2] + "' is not a block number (0, 1, ...)");
            const Branch_Kind* kind = Find_Branch_Kind(f[3]);
            if (!kind)
                return fail("'" + f[3] +
                            "' is not a branch kind (if, case, exit, next, while, conditional_signal_assign, "
                            "conditional_variable_assign)");
            std::vector<Branch_Block>& blocks = coverage.constructs[construct].branches;
            if (open_block < 0 || line != open_line || block != open_block) {
                if (!close_block()) return false;
                auto [at, added] = block_lines[line].emplace(block, line_no);
                if (!added)
                    return fail("block " + f[2] + " of line " + f[1] + " began on line " +
                                std::to_string(at->second) + " (the arms of a block are consecutive records)");
                open = Arm_Position{kind};
                open_line = line;
                open_block = block;
                blocks.emplace_back();
                blocks.back().line = line;
                blocks.back().block = block;
                blocks.back().kind = kind->kind;
            } else if (kind != open.kind) {
                return fail("block " + f[2] + " of line " + f[1] + " is of kind " + open.kind->kind + ", not " + f[3]);
            }
            if (!open.Take(f[4])) {
                bool known = false;
                for (const Arm_Rule& r : kind->rules) known = known || f[4] == r.arm;
                if (!known) return fail("'" + f[4] + "' is not an arm of " + f[3] + " (" + kind->order + ")");
                return fail("the arm '" + f[4] + "' is out of order (the arms of " + f[3] + ": " + kind->order + ")");
            }
            last_arm_line = line_no;
            Arm arm;
            arm.name = f[4];
            size_t op = f[5].find_first_of("-+");
            if (op == std::string::npos) {
                if (!take_key(f[5], arm.slot)) return false;
            } else {
                arm.expression = f[5];
                Expression e{construct, blocks.size() - 1, blocks.back().arms.size(), {}, {}, line_no};
                char sign = '+';
                for (size_t from = 0;; from = op + 1, op = f[5].find_first_of("-+", from)) {
                    Key key;
                    if (!Parse_Key(f[5].substr(from, op == std::string::npos ? op : op - from), key))
                        return fail("'" + f[5] + "' is not a key (LINE or LINE.K, K from 2) or an expression of "
                                                 "keys (K1-K2+K3...)");
                    if (std::find(e.keys.begin(), e.keys.end(), key) != e.keys.end())
                        return fail("the key " + Key_Text(key.first, key.second) + " occurs twice in '" + f[5] +
                                    "'");
                    e.keys.push_back(key);
                    e.signs.push_back(sign);
                    if (op == std::string::npos) break;
                    sign = f[5][op];
                }
                expressions.push_back(std::move(e));
            }
            blocks.back().arms.push_back(std::move(arm));
        } else if (f[0] == header_word) {
            return fail("a second header (one map per design)");
        } else {
            return fail("'" + f[0] + "' is no record of an exact-mode map (construct, statement or branch)");
        }
    }
    if (!close_block()) return false;

    // Blocks are numbered from 0 on every line, without a gap.
    for (const auto& [line, blocks] : block_lines) {
        int want = 0;
        for (const auto& [block, map_line] : blocks) {
            if (block != want)
                return fail_at(map_line, "block " + std::to_string(block) + " of line " + std::to_string(line) +
                                             ", but no block " + std::to_string(want) +
                                             " on that line (blocks are numbered from 0)");
            want++;
        }
    }
    for (const Expression& e : expressions) {
        Arm& arm = coverage.constructs[e.construct].branches[e.block].arms[e.arm];
        for (size_t i = 0; i < e.keys.size(); i++) {
            auto found = key_index.find(e.keys[i]);
            if (found == key_index.end())
                return fail_at(e.map_line, "the key " + Key_Text(e.keys[i].first, e.keys[i].second) + " of '" +
                                               arm.expression + "' is the counting point of no record of the map");
            if (i == 0)
                arm.slot = found->second;
            else
                (e.signs[i] == '+' ? arm.plus : arm.minus).push_back(found->second);
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
        for (Statement& s : c.statements) s.slot = slot_of[s.slot];
        for (Branch_Block& b : c.branches)
            for (Arm& a : b.arms) {
                a.slot = slot_of[a.slot];
                for (int& m : a.plus) m = slot_of[m];
                for (int& m : a.minus) m = slot_of[m];
            }
    }
    return true;
}
