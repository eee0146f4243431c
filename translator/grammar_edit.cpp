// grammar_edit: writes a grammar made of a base grammar and edit files, at
// build time. The VHDL-93 grammar is vhdl.y with the edits of vhdl93.edits:
// its actions stay where vhdl.y defines them, and the edit file holds only
// what 93 adds or changes. The VHDL-2008 grammar is vhdl.y with the edits of
// vhdl93.edits and then those of vhdl08.edits, applied to the 93 grammar.
//
//   grammar_edit BASE.y EDITS [EDITS...] OUT.y
//
// The base grammar is laid out as vhdl.y is: declarations, "%%", the rules
// with one production per line (": RHS  /* N */" or "| RHS  /* N */", N its
// number, an action on the lines below), each nonterminal closed by a line
// ";", then "%%" and the epilogue. The edit file holds, besides comment
// lines (#) and blank lines:
//
//   replace "OLD" "NEW"           every OLD of the declarations becomes NEW (one at least)
//   declare after "LINE"          the lines up to "end" go after the declaration LINE
//   substitute N K OLD NEW        the K-th symbol of production N, which must be
//                                 OLD, becomes NEW
//   extend NONTERMINAL            the lines up to "end" are further alternatives
//   rules                         the lines up to "end" are new nonterminals
//
// The edit files apply in their order, each to the grammar the ones before
// it made. Every edit must apply where it says, and every production number
// must stay unique: an edit that no longer fits the grammar it edits stops
// the build.
// Exit status 0 when OUT.y is written, 1 with a message otherwise.
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Failure {
    std::string message;
};

[[noreturn]] void Fail(const std::string& where, const std::string& message) { throw Failure{where + ": " + message}; }

std::vector<std::string> Read_Lines(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw Failure{path + ": cannot be read"};
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// The words of s, a quoted word ("...", with \" and \\ inside) taken as one.
std::vector<std::string> Words(const std::string& s, const std::string& where) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ' ' || s[i] == '\t') {
            i++;
        } else if (s[i] == '"') {
            std::string w;
            for (i++; i < s.size() && s[i] != '"'; i++) {
                if (s[i] == '\\' && i + 1 < s.size()) i++;
                w += s[i];
            }
            if (i == s.size()) Fail(where, "a quoted word is not closed");
            i++;
            words.push_back(w);
        } else {
            size_t b = i;
            while (i < s.size() && s[i] != ' ' && s[i] != '\t') i++;
            words.push_back(s.substr(b, i - b));
        }
    }
    return words;
}

// The grammar in its three sections.
struct Grammar {
    std::vector<std::string> declarations, rules, epilogue;
};

Grammar Split(const std::vector<std::string>& lines, const std::string& path) {
    Grammar g;
    int section = 0;
    for (const std::string& line : lines) {
        if (line == "%%" && section < 2) {
            section++;
            continue;
        }
        (section == 0 ? g.declarations : section == 1 ? g.rules : g.epilogue).push_back(line);
    }
    if (section != 2) Fail(path, "the grammar has not the two lines %% of declarations, rules and epilogue");
    return g;
}

// A production line of the rules: its right-hand side and its number.
const std::regex production_line(R"(^(\s+[:|]\s+)(.*?)(\s*)/\* ([0-9]+)(.*)\*/\s*$)");

int Number_Of(const std::string& line) {
    std::smatch m;
    return std::regex_match(line, m, production_line) ? std::stoi(m[4]) : 0;
}

void Substitute(Grammar& g, const std::vector<std::string>& w, const std::string& where) {
    if (w.size() != 5) Fail(where, "substitute takes a production number, a position, the old and the new symbol");
    int number = std::stoi(w[1]);
    size_t position = std::stoul(w[2]);
    for (std::string& line : g.rules) {
        std::smatch m;
        if (!std::regex_match(line, m, production_line) || std::stoi(m[4]) != number) continue;
        std::istringstream rhs(m[2].str());
        std::vector<std::string> symbols;
        for (std::string s; rhs >> s;) symbols.push_back(s);
        if (position < 1 || position > symbols.size() || symbols[position - 1] != w[3])
            Fail(where, "symbol " + w[2] + " of production " + w[1] + " is not " + w[3] + " (" + m[2].str() + ")");
        symbols[position - 1] = w[4];
        std::string joined;
        for (const std::string& s : symbols) joined += (joined.empty() ? "" : " ") + s;
        line = m[1].str() + joined + "  /* " + m[4].str() + m[5].str() + "*/";
        return;
    }
    Fail(where, "no production " + w[1]);
}

void Extend(Grammar& g, const std::string& nonterminal, const std::vector<std::string>& block, const std::string& where) {
    for (size_t i = 0; i < g.rules.size(); i++) {
        if (g.rules[i] != nonterminal) continue;
        for (size_t j = i + 1; j < g.rules.size(); j++) {
            if (Trim(g.rules[j]) == ";") {
                g.rules.insert(g.rules.begin() + static_cast<long>(j), block.begin(), block.end());
                return;
            }
        }
        Fail(where, "the nonterminal " + nonterminal + " is not closed by a line ;");
    }
    Fail(where, "no nonterminal " + nonterminal + " in the base grammar (new ones go under rules)");
}

void Declare_After(Grammar& g, const std::string& anchor, const std::vector<std::string>& block,
                   const std::string& where) {
    size_t found = g.declarations.size(), count = 0;
    for (size_t i = 0; i < g.declarations.size(); i++)
        if (Trim(g.declarations[i]) == anchor) found = i, count++;
    if (count != 1) Fail(where, "the declaration line \"" + anchor + "\" occurs " + std::to_string(count) + " times");
    g.declarations.insert(g.declarations.begin() + static_cast<long>(found) + 1, block.begin(), block.end());
}

void Replace(Grammar& g, const std::string& from, const std::string& to, const std::string& where) {
    if (from.empty()) Fail(where, "replace needs a text to replace");
    int count = 0;
    for (std::string& line : g.declarations) {
        for (size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size())) {
            line.replace(at, from.size(), to);
            count++;
        }
    }
    if (count == 0) Fail(where, "\"" + from + "\" is not in the declarations");
}

void Apply(Grammar& g, const std::vector<std::string>& edits, const std::string& path) {
    for (size_t i = 0; i < edits.size(); i++) {
        std::string where = path + ":" + std::to_string(i + 1);
        std::string line = Trim(edits[i]);
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> w = Words(line, where);
        // The lines of a block, up to a line "end".
        auto block = [&]() {
            std::vector<std::string> lines;
            for (i++; i < edits.size() && edits[i] != "end"; i++) lines.push_back(edits[i]);
            if (i == edits.size()) Fail(where, w[0] + " is not closed by a line end");
            return lines;
        };
        if (w[0] == "replace" && w.size() == 3) {
            Replace(g, w[1], w[2], where);
        } else if (w[0] == "declare" && w.size() == 3 && w[1] == "after") {
            Declare_After(g, w[2], block(), where);
        } else if (w[0] == "substitute") {
            Substitute(g, w, where);
        } else if (w[0] == "extend" && w.size() == 2) {
            Extend(g, w[1], block(), where);
        } else if (w[0] == "rules" && w.size() == 1) {
            std::vector<std::string> lines = block();
            g.rules.insert(g.rules.end(), lines.begin(), lines.end());
        } else {
            Fail(where, "not an edit: " + line);
        }
    }
    std::map<int, int> seen;
    for (const std::string& line : g.rules)
        if (int n = Number_Of(line); n > 0 && seen[n]++ > 0)
            Fail(path, "production number " + std::to_string(n) + " is given twice");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: grammar_edit BASE.y EDITS [EDITS...] OUT.y\n");
        return 1;
    }
    const char* output = argv[argc - 1];
    try {
        Grammar g = Split(Read_Lines(argv[1]), argv[1]);
        std::string sources = argv[1];
        for (int i = 2; i < argc - 1; i++) {
            Apply(g, Read_Lines(argv[i]), argv[i]);
            sources += std::string(i == argc - 2 ? " and " : ", ") + argv[i];
        }
        std::ofstream out(output);
        out << "/* Generated at build time from " << sources << " by grammar_edit: edit those, not this file. */\n";
        for (const std::string& line : g.declarations) out << line << '\n';
        out << "%%\n";
        for (const std::string& line : g.rules) out << line << '\n';
        out << "%%\n";
        for (const std::string& line : g.epilogue) out << line << '\n';
        out.close();
        if (!out) throw Failure{std::string(output) + ": cannot be written"};
    } catch (const Failure& f) {
        std::fprintf(stderr, "grammar_edit: %s\n", f.message.c_str());
        std::remove(output);
        return 1;
    }
    return 0;
}
