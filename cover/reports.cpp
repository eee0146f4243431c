#include "reports.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

std::string Percent(long executed, long statements) {
    if (statements == 0) return "-";
    char s[32];
    std::snprintf(s, sizeof s, "%.1f%%", 100.0 * static_cast<double>(executed) / static_cast<double>(statements));
    return s;
}

std::string Rate(long covered, long valid) {
    char s[32];
    std::snprintf(s, sizeof s, "%.4f", valid == 0 ? 1.0 : static_cast<double>(covered) / static_cast<double>(valid));
    return s;
}

std::string Design_File(const Design& d) { return d.source.empty() ? d.name : d.source; }

std::string Note(const Coverage& coverage, const Construct& c) {
    std::vector<std::string> notes;
    if (Last_Call_Only(coverage, c)) notes.push_back("last call");
    if (Reopened_Per_Outer_Call(coverage, c)) notes.push_back("last outer call");
    if (c.declarations > 1) notes.push_back("shared trace file");
    if (c.runs_seen == 0) notes.push_back("no trace");
    std::string s;
    for (const std::string& n : notes) s += (s.empty() ? "" : ", ") + n;
    return s;
}

// The count of every statement line of a construct: two statements that
// begin on one line ran as often as the line ran, the busier one. (In the
// default mode they share one count: the trace holds the line only.)
std::map<int, uint64_t> Construct_Lines(const Construct& c) {
    std::map<int, uint64_t> lines;
    for (const Statement& s : c.statements) {
        uint64_t& count = lines[s.line];
        count = std::max(count, s.count);
    }
    return lines;
}

// The count of every statement line of a design, by line. Exact mode counts
// each statement, so a line ran as often as its busiest statement; the
// default mode's constructs count a line each in their own trace, and the
// line ran as often as they counted it together.
std::map<int, uint64_t> Design_Lines(const Coverage& coverage, const Design& d) {
    std::map<int, uint64_t> lines;
    for (int id : d.constructs)
        for (const auto& [line, count] : Construct_Lines(coverage.constructs[id])) {
            uint64_t& total = lines[line];
            total = coverage.mode == Mode::exact ? std::max(total, count) : total + count;
        }
    return lines;
}

// Whether the lcov file has a function record of the construct: every
// construct of the default mode, those with an entry key in exact mode.
bool Reports_Entries(const Coverage& coverage, const Construct& c) {
    return coverage.mode != Mode::exact || c.entry_slot >= 0;
}

// The branching statements of a design in the order of their line and block.
std::vector<const Branch_Block*> Design_Blocks(const Coverage& coverage, const Design& d) {
    std::vector<const Branch_Block*> blocks;
    for (int id : d.constructs)
        for (const Branch_Block& b : coverage.constructs[id].branches) blocks.push_back(&b);
    std::sort(blocks.begin(), blocks.end(), [](const Branch_Block* a, const Branch_Block* b) {
        return a->line != b->line ? a->line < b->line : a->block < b->block;
    });
    return blocks;
}

// How often a branching statement was evaluated: once per arm taken.
uint64_t Evaluations(const Branch_Block& b) {
    uint64_t n = 0;
    for (const Arm& a : b.arms) n += a.count;
    return n;
}

// Cobertura's percentage of a condition: the whole percent below the rate,
// so that a line with an arm never taken never shows 100%.
std::string Whole_Percent(long taken, long arms) {
    return std::to_string(arms == 0 ? 100 : taken * 100 / arms) + "%";
}

std::string Xml(const std::string& s) {
    std::string r;
    for (char ch : s) {
        switch (ch) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        case '\'': r += "&apos;"; break;
        default: r += ch;
        }
    }
    return r;
}

}  // namespace

std::string Display_Name(const Construct& c) { return c.name.empty() ? "(unnamed)" : c.name; }

Totals Total_Coverage(const Coverage& coverage) {
    Totals t;
    for (const Construct& c : coverage.constructs) {
        t.statements += static_cast<long>(c.statements.size());
        t.executed += Executed_Statements(c);
    }
    if (t.statements > 0) t.percent = 100.0 * static_cast<double>(t.executed) / static_cast<double>(t.statements);
    for (const Construct& c : coverage.constructs) {
        t.branches += Branch_Arms(c);
        t.taken += Taken_Arms(c);
    }
    if (t.branches > 0) t.branch_percent = 100.0 * static_cast<double>(t.taken) / static_cast<double>(t.branches);
    return t;
}

void Write_Summary(std::ostream& out, const Coverage& coverage) {
    // Columns: file, construct, kind (left-aligned), then the numbers
    // (right-aligned): statements, executed, cover and in exact mode
    // branches, taken, cover.
    bool exact = coverage.mode == Mode::exact;
    size_t columns = exact ? 9 : 6;
    struct Row {
        std::vector<std::string> cells;
        std::string note;
    };
    std::vector<Row> rows;
    rows.push_back(
        {{"File", "Construct", "Kind", "Statements", "Executed", "Cover", "Branches", "Taken", "Cover"}, ""});
    for (const Design& d : coverage.designs)
        for (int id : d.constructs) {
            const Construct& c = coverage.constructs[id];
            long n = static_cast<long>(c.statements.size()), e = Executed_Statements(c);
            long b = Branch_Arms(c), t = Taken_Arms(c);
            rows.push_back({{Design_File(d), Display_Name(c), c.kind, std::to_string(n), std::to_string(e),
                             Percent(e, n), std::to_string(b), std::to_string(t), Percent(t, b)},
                            Note(coverage, c)});
        }
    Totals t = Total_Coverage(coverage);
    rows.push_back({{"Total", "", "", std::to_string(t.statements), std::to_string(t.executed),
                     Percent(t.executed, t.statements), std::to_string(t.branches), std::to_string(t.taken),
                     Percent(t.taken, t.branches)},
                    ""});
    std::vector<size_t> w(columns, 0);
    for (const Row& r : rows)
        for (size_t i = 0; i < columns; i++) w[i] = std::max(w[i], r.cells[i].size());
    for (const Row& r : rows) {
        std::string line;
        for (size_t i = 0; i < columns; i++) {
            const std::string& cell = r.cells[i];
            std::string pad(w[i] - cell.size(), ' ');
            line += (i == 0 ? "" : "  ") + (i < 3 ? cell + pad : pad + cell);
        }
        if (!r.note.empty()) line += "  " + r.note;
        out << line << '\n';
    }
    out << "Runs merged: " << coverage.runs << '\n';
}

void Write_Listing(std::ostream& out, const Coverage& coverage, const Design& design,
                   const std::vector<std::string>& source_lines) {
    std::map<int, uint64_t> lines = Design_Lines(coverage, design);
    std::vector<const Branch_Block*> blocks = Design_Blocks(coverage, design);
    size_t next_block = 0;
    char s[64];
    out << "        -:    0:Source:" << design.source << '\n';
    out << "        -:    0:Runs:" << coverage.runs << '\n';
    for (size_t i = 0; i < source_lines.size(); i++) {
        int line = static_cast<int>(i + 1);
        auto found = lines.find(line);
        if (found == lines.end())
            std::snprintf(s, sizeof s, "%9s:%5d:", "-", line);
        else if (found->second == 0)
            std::snprintf(s, sizeof s, "%9s:%5d:", "#####", line);
        else
            std::snprintf(s, sizeof s, "%9llu:%5d:", static_cast<unsigned long long>(found->second), line);
        out << s << source_lines[i] << '\n';
        // gcov -b's lines of the arms, numbered across the line's blocks.
        int arm = 0;
        for (; next_block < blocks.size() && blocks[next_block]->line <= line; next_block++) {
            const Branch_Block& b = *blocks[next_block];
            bool evaluated = Evaluated(b);
            for (const Arm& a : b.arms) {
                if (evaluated)
                    std::snprintf(s, sizeof s, "branch %2d taken %llu", arm++,
                                  static_cast<unsigned long long>(a.count));
                else
                    std::snprintf(s, sizeof s, "branch %2d never executed", arm++);
                out << s << '\n';
            }
        }
    }
}

void Write_Lcov(std::ostream& out, const Coverage& coverage) {
    for (const Design& d : coverage.designs) {
        out << "TN:corvane\n";
        out << "SF:" << d.absolute_source << '\n';
        long functions = 0, hit_functions = 0;
        for (int id : d.constructs) {
            const Construct& c = coverage.constructs[id];
            if (Reports_Entries(coverage, c)) out << "FN:" << c.head_line << ',' << Display_Name(c) << '\n';
        }
        for (int id : d.constructs) {
            const Construct& c = coverage.constructs[id];
            if (!Reports_Entries(coverage, c)) continue;
            functions++;
            if (c.entries > 0) hit_functions++;
            out << "FNDA:" << c.entries << ',' << Display_Name(c) << '\n';
        }
        out << "FNF:" << functions << '\n';
        out << "FNH:" << hit_functions << '\n';
        if (coverage.mode == Mode::exact) {
            // '-': the block was never evaluated, so none of its arms could be taken.
            long arms = 0, taken = 0;
            for (const Branch_Block* b : Design_Blocks(coverage, d)) {
                bool evaluated = Evaluated(*b);
                for (size_t i = 0; i < b->arms.size(); i++) {
                    out << "BRDA:" << b->line << ',' << b->block << ',' << i << ',';
                    if (evaluated)
                        out << b->arms[i].count << '\n';
                    else
                        out << "-\n";
                    arms++;
                    if (b->arms[i].count > 0) taken++;
                }
            }
            out << "BRF:" << arms << '\n';
            out << "BRH:" << taken << '\n';
        }
        std::map<int, uint64_t> lines = Design_Lines(coverage, d);
        long hit = 0;
        for (const auto& [line, count] : lines) {
            out << "DA:" << line << ',' << count << '\n';
            if (count > 0) hit++;
        }
        out << "LF:" << lines.size() << '\n';
        out << "LH:" << hit << '\n';
        out << "end_of_record\n";
    }
}

void Write_Cobertura(std::ostream& out, const Coverage& coverage, const std::string& base_directory,
                     long long timestamp) {
    // The default mode has no branches: its branch rates stay "0" as they
    // always were. Exact mode's are taken over all arms, 1 when none.
    bool exact = coverage.mode == Mode::exact;
    auto branch_rate = [&](long taken, long arms) { return exact ? Rate(taken, arms) : std::string("0"); };
    auto design_branches = [&](const Design& d, long& arms, long& taken) {
        for (int id : d.constructs) {
            arms += Branch_Arms(coverage.constructs[id]);
            taken += Taken_Arms(coverage.constructs[id]);
        }
    };
    long valid = 0, covered = 0, arms = 0, taken = 0;
    for (const Design& d : coverage.designs) {
        for (const auto& [line, count] : Design_Lines(coverage, d)) {
            valid++;
            if (count > 0) covered++;
        }
        design_branches(d, arms, taken);
    }
    out << "<?xml version=\"1.0\" ?>\n";
    out << "<!DOCTYPE coverage SYSTEM \"http://cobertura.sourceforge.net/xml/coverage-04.dtd\">\n";
    out << "<coverage line-rate=\"" << Rate(covered, valid) << "\" branch-rate=\"" << branch_rate(taken, arms)
        << "\" lines-covered=\"" << covered << "\" lines-valid=\"" << valid << "\" branches-covered=\"" << taken
        << "\" branches-valid=\"" << arms << "\" complexity=\"0\""
        << " version=\"corvane_cover\" timestamp=\"" << timestamp << "\">\n";
    out << "  <sources>\n    <source>" << Xml(base_directory) << "</source>\n  </sources>\n";
    out << "  <packages>\n";
    for (const Design& d : coverage.designs) {
        long d_valid = 0, d_covered = 0, d_arms = 0, d_taken = 0;
        for (const auto& [line, count] : Design_Lines(coverage, d)) {
            d_valid++;
            if (count > 0) d_covered++;
        }
        design_branches(d, d_arms, d_taken);
        out << "    <package name=\"" << Xml(Design_File(d)) << "\" line-rate=\"" << Rate(d_covered, d_valid)
            << "\" branch-rate=\"" << branch_rate(d_taken, d_arms) << "\" complexity=\"0\">\n";
        out << "      <classes>\n";
        for (int id : d.constructs) {
            const Construct& c = coverage.constructs[id];
            std::map<int, uint64_t> lines = Construct_Lines(c);
            long c_covered = 0;
            for (const auto& [line, count] : lines)
                if (count > 0) c_covered++;
            out << "        <class name=\"" << Xml(Display_Name(c)) << "\" filename=\"" << Xml(Design_File(d))
                << "\" line-rate=\"" << Rate(c_covered, static_cast<long>(lines.size())) << "\" branch-rate=\""
                << branch_rate(Taken_Arms(c), Branch_Arms(c)) << "\" complexity=\"0\">\n";
            if (exact && c.entry_slot >= 0) {
                // Exact mode counts the entries of processes and subprograms:
                // a method entered at the construct's first line as often as
                // it ran.
                out << "          <methods>\n"
                    << "            <method name=\"" << Xml(Display_Name(c)) << "\" signature=\"\" line-rate=\""
                    << Rate(c.entries > 0 ? 1 : 0, 1) << "\" branch-rate=\"" << branch_rate(0, 0)
                    << "\" complexity=\"0\">\n"
                    << "              <lines>\n"
                    << "                <line number=\"" << c.head_line << "\" hits=\"" << c.entries
                    << "\" branch=\"false\"/>\n"
                    << "              </lines>\n"
                    << "            </method>\n"
                    << "          </methods>\n";
            } else {
                out << "          <methods/>\n";
            }
            // The statement lines, and the lines of the branching
            // statements: a line that holds only a branching statement (an
            // if, a case, a while loop) is no statement line, so it is not
            // one of the line rates' lines; its hits are the evaluations of
            // its busiest branching statement.
            std::map<int, std::vector<const Branch_Block*>> line_blocks;
            for (const Branch_Block& b : c.branches) line_blocks[b.line].push_back(&b);
            for (auto& [line, blocks] : line_blocks) {
                std::sort(blocks.begin(), blocks.end(),
                          [](const Branch_Block* a, const Branch_Block* b) { return a->block < b->block; });
                if (!lines.count(line)) {
                    uint64_t hits = 0;
                    for (const Branch_Block* b : blocks) hits = std::max(hits, Evaluations(*b));
                    lines[line] = hits;
                }
            }
            out << "          <lines>\n";
            for (const auto& [line, count] : lines) {
                out << "            <line number=\"" << line << "\" hits=\"" << count;
                auto found = line_blocks.find(line);
                if (found == line_blocks.end()) {
                    out << "\" branch=\"false\"/>\n";
                    continue;
                }
                long line_arms = 0, line_taken = 0;
                for (const Branch_Block* b : found->second) {
                    line_arms += static_cast<long>(b->arms.size());
                    line_taken += Taken_Arms(*b);
                }
                out << "\" branch=\"true\" condition-coverage=\"" << Whole_Percent(line_taken, line_arms) << " ("
                    << line_taken << "/" << line_arms << ")\">\n"
                    << "              <conditions>\n";
                // One condition per branching statement: a case is a switch,
                // every other kind chooses by conditions, a jump.
                for (const Branch_Block* b : found->second)
                    out << "                <condition number=\"" << b->block << "\" type=\""
                        << (b->kind == "case" ? "switch" : "jump") << "\" coverage=\""
                        << Whole_Percent(Taken_Arms(*b), static_cast<long>(b->arms.size())) << "\"/>\n";
                out << "              </conditions>\n"
                    << "            </line>\n";
            }
            out << "          </lines>\n        </class>\n";
        }
        out << "      </classes>\n    </package>\n";
    }
    out << "  </packages>\n</coverage>\n";
}
