#include "exact.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>
#include <vector>

#include "scanner.h"
#include "stack.h"
#include "standard.h"

bool exact_mode = false;

namespace {

std::string package_name;  // corvane_ and the -f name in lower case

struct Key {
    int line;
    int ordinal;  // 1 for the first point of its line
};

std::string Key_String(Key k) {
    std::string s = std::to_string(k.line);
    if (k.ordinal > 1) s += "." + std::to_string(k.ordinal);
    return s;
}



std::unordered_map<int, int> points_on_line;

Key New_Key(int line) {
    if (line <= 0) line = current_line_number;
    return Key{line, ++points_on_line[line]};
}

const char* Construct_Kind_Name(Construct_Kind kind) {
    switch (kind) {
    case PROCESS_CONSTRUCT: return "process";
    case PROCEDURE_CONSTRUCT: return "procedure";
    case FUNCTION_CONSTRUCT: return "function";
    }
    return "";
}

// A line of the map under its construct: a statement, or an arm of a
// branching statement (block: which branching statement of its line).
struct Record {
    bool branch;
    int line;
    std::string kind;
    std::string key;
    std::string arm;
    int block = 0;
};

// An arm whose branching statement has not ended yet.
struct Arm {
    std::string name;
    std::string key;
};

std::unordered_map<int, int> blocks_on_line;

struct Construct {
    std::string kind;
    std::string own_name;  // an unlabelled process or an operator: named by its line
    std::string name;
    int first_line, last_line = 0;
    std::string key = "-";
    bool dropped = false;
    std::vector<Record> records;
};

std::vector<Construct> constructs;
std::vector<int> open_sequential;  // innermost last
int open_concurrent = -1;
int last_closed = -1;
int last_concurrent = -1;

int Current_Construct() {
    if (!open_sequential.empty()) return open_sequential.back();
    if (open_concurrent < 0) {
        constructs.push_back(Construct{});
        open_concurrent = static_cast<int>(constructs.size()) - 1;
        constructs.back().first_line = 0;
    }
    return open_concurrent;
}

// The statement's key, recorded in the map under its construct.
Key Count_Point(const char* kind, int line) {
    Key k = New_Key(line);
    Construct& c = constructs[Current_Construct()];
    if (c.first_line == 0) c.first_line = k.line;
    c.records.push_back(Record{false, k.line, kind, Key_String(k), "", 0});
    return k;
}

// The arms of a branching statement on line, in their order, as the map's
// next block of that line.
void Record_Branches(const char* kind, int line, const std::vector<Arm>& arms) {
    Construct& c = constructs[Current_Construct()];
    if (c.first_line == 0) c.first_line = line;
    int block = blocks_on_line[line]++;
    for (const Arm& a : arms) c.records.push_back(Record{true, line, kind, a.key, a.name, block});
}

// The arms of the if and case statements that are still open, by their depth
// of nesting (the scanner's count of the keywords not yet closed).
std::vector<std::vector<Arm>> open_if_arms, open_case_arms;

std::vector<Arm>& Open_Arms(std::vector<std::vector<Arm>>& open, size_t depth) {
    if (open.size() < depth) open.resize(depth);
    return open[depth - 1];
}

// "corvane_x_ran (L, K": a call of the package on a key, left open for
// further arguments. The procedure hit also takes the first point of a line
// as "hit (L)"; the functions always take both numbers.
std::string Open_Call(const char* subprogram, Key k) {
    std::string s = package_name + "_" + subprogram + " (" + std::to_string(k.line);
    if (k.ordinal > 1 || subprogram[0] != 'h') s += ", " + std::to_string(k.ordinal);
    return s;
}

std::string On_One_Line(const Text& t) {
    std::string s = Text_String(t);
    std::replace(s.begin(), s.end(), '\n', ' ');
    size_t start = s.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : s.substr(start);
}

// A VHDL string literal of s; false when s holds a character that no
// string literal can (a control character).
bool String_Literal(const std::string& s, std::string& literal) {
    literal = "\"";
    for (char ch : s) {
        if (static_cast<unsigned char>(ch) < 32 || ch == 127) return false;
        literal += ch;
        if (ch == '"') literal += ch;
    }
    literal += '"';
    return true;
}

std::string Trace_Path() { return directory_name + "/" + filename_name + "::exact.corvane"; }

}  // namespace

bool Exact_Names_Valid(std::string& error) {
    const std::string& f = filename_name;
    bool ok = !f.empty() && f.front() != '_' && f.back() != '_' && f.find("__") == std::string::npos;
    for (char ch : f)
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_'))
            ok = false;
    if (!ok) {
        error = "the -f name '" + f +
                "' cannot be made a VHDL identifier: in exact mode the package of the counts is named "
                "corvane_NAME, so NAME must be letters, digits and single underscores, beginning and ending "
                "with a letter or digit";
        return false;
    }
    std::string literal;
    if (!String_Literal(Trace_Path(), literal)) {
        error = "the trace path '" + Trace_Path() + "' holds a control character, which no VHDL string can";
        return false;
    }
    package_name = "corvane_";
    for (char ch : f) package_name += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    return true;
}

namespace {

// The package of the counts: $ stands for the package's name, # for the
// trace path, {impure} for the word that declares the functions that write
// the trace and {open} for the words that open the trace file, in the
// design's VHDL (87: none and "is out"; 93: "impure" and "open write_mode
// is"). writeline leaves an empty line behind, which is given back at once:
// the simulation's memory does not grow with the number of statements it
// counts. Its subprograms carry the package's name too, so that no name of
// the design, and no other unit made visible with "use work.all", hides or
// clashes with them.
const char* const package_template =
    "use std.textio.all; package $ is"
    " procedure $_hit (l : integer); procedure $_hit (l, k : integer);"
    " {impure}function $_ran (l, k : integer) return boolean;"
    " {impure}function $_ran (l, k : integer; c : boolean) return boolean;"
    " {impure}function $_arm (l, k : integer; c : boolean) return boolean;"
    " {impure}function $_two (l, k1, k2 : integer; c : boolean) return boolean; end $;"
    " package body $ is file trace : text {open} #;"
    " procedure $_hit (l, k : integer) is variable s : line; begin write (s, l);"
    " if k > 1 then write (s, '.'); write (s, k); end if; writeline (trace, s); deallocate (s); end $_hit;"
    " procedure $_hit (l : integer) is variable s : line; begin write (s, l); writeline (trace, s);"
    " deallocate (s); end $_hit;"
    " {impure}function $_ran (l, k : integer) return boolean is begin $_hit (l, k); return true; end $_ran;"
    " {impure}function $_ran (l, k : integer; c : boolean) return boolean is begin $_hit (l, k); return c; end $_ran;"
    " {impure}function $_arm (l, k : integer; c : boolean) return boolean is"
    " begin if c then $_hit (l, k); end if; return c; end $_arm;"
    " {impure}function $_two (l, k1, k2 : integer; c : boolean) return boolean is"
    " begin if c then $_hit (l, k1); else $_hit (l, k2); end if; return c; end $_two; end $; ";

}  // namespace

std::string Exact_Package() {
    bool vhdl93 = standard != Standard::VHDL87;
    std::string path;
    String_Literal(Trace_Path(), path);
    const std::pair<const char*, std::string> words[] = {
        {"$", package_name},
        {"#", path},
        {"{impure}", vhdl93 ? "impure " : ""},
        {"{open}", vhdl93 ? "open write_mode is" : "is out"},
    };
    std::string text;
    for (const char* c = package_template; *c;) {
        bool replaced = false;
        for (const auto& w : words) {
            size_t n = std::strlen(w.first);
            if (std::strncmp(c, w.first, n) == 0) {
                text += w.second;
                c += n;
                replaced = true;
                break;
            }
        }
        if (!replaced) text += *c++;
    }
    return text;
}

std::string Exact_Use_Clause() { return "use work." + package_name + ".all; "; }

void Exact_Open(Construct_Kind kind, int head_line, const std::string& own_name) {
    Construct c;
    c.kind = Construct_Kind_Name(kind);
    c.own_name = own_name;
    c.first_line = head_line;
    constructs.push_back(c);
    open_sequential.push_back(static_cast<int>(constructs.size()) - 1);
}

void Exact_Close(const std::string& path, bool named) {
    if (open_sequential.empty()) return;
    last_closed = open_sequential.back();
    open_sequential.pop_back();
    Construct& c = constructs[last_closed];
    c.last_line = current_line_number;
    if (named) {
        c.name = path;
    } else {
        // An unlabelled process or an operator function: its line tells it apart.
        c.name = path.empty() ? "" : path + ":";
        c.name += c.own_name + "@" + std::to_string(c.first_line);
    }
}

void Exact_Drop() {
    if (last_closed >= 0) constructs[last_closed].dropped = true;
}

Text Exact_Count_Text(const char* kind, int line) {
    if (open_sequential.empty()) return Empty_Text();
    return Make_String(Open_Call("hit", Count_Point(kind, line)) + "); ");
}

size_t Exact_Count_Length(const Text& statement) {
    const std::string head = package_name + "_hit (";
    // The longest count: the head, two numbers and ", ", then ");".
    std::string start = Text_Prefix(statement, head.size() + 48);
    if (start.compare(0, head.size(), head) != 0) return 0;
    size_t end = start.find("); ", head.size());
    return end == std::string::npos ? 0 : end + 3;
}

namespace {

// " corvane_x_hit (L, K);": the count of an arm, behind the word that opens it.
Text Arm_Count(Key k) { return Make_String(" " + Open_Call("hit", k) + ");"); }

// The line of the if or case whose arm is being reduced: the innermost one
// whose opening keyword the scanner has seen (its closing one not yet).
int Open_Keyword_Line(const std::vector<int>& lines) { return lines.empty() ? current_line_number : lines.back(); }

}  // namespace

Text Exact_If_Arm(const char* arm, Text body) {
    int line = Open_Keyword_Line(if_keyword_lines);
    Key k = New_Key(line);
    Open_Arms(open_if_arms, if_keyword_lines.size()).push_back(Arm{arm, Key_String(k)});
    return Format("%s%s", Arm_Count(k), body);
}

Text Exact_End_Of_If(Text& then_body, bool has_else) {
    // The closing "end if" has put its own keyword on top of the opening one.
    size_t depth = if_keyword_lines.size() - 1;
    int line = if_keyword_lines[depth - 1];
    std::vector<Arm> arms;
    Key then_key = New_Key(line);
    arms.push_back(Arm{"then", Key_String(then_key)});
    std::vector<Arm>& later = Open_Arms(open_if_arms, depth);
    arms.insert(arms.end(), later.begin(), later.end());
    later.clear();
    Text implicit_else = Empty_Text();
    if (!has_else) {
        Key k = New_Key(line);
        arms.push_back(Arm{"else", Key_String(k)});
        implicit_else = Format(" else%s", Arm_Count(k));
    }
    Record_Branches("if", line, arms);
    then_body = Format("%s%s", Arm_Count(then_key), then_body);
    if_keyword_lines.resize(depth - 1);
    return implicit_else;
}

Text Exact_Case_Arm(Text body) {
    int line = Open_Keyword_Line(case_keyword_lines);
    Key k = New_Key(line);
    Open_Arms(open_case_arms, case_keyword_lines.size()).push_back(Arm{"when", Key_String(k)});
    return Format("%s%s", Arm_Count(k), body);
}

void Exact_End_Of_Case() {
    size_t depth = case_keyword_lines.size() - 1;
    std::vector<Arm>& arms = Open_Arms(open_case_arms, depth);
    Record_Branches("case", case_keyword_lines[depth - 1], arms);
    arms.clear();
    case_keyword_lines.resize(depth - 1);
}

void Exact_End_Of_If_Generate() {
    if (!if_keyword_lines.empty()) if_keyword_lines.pop_back();
}

Text Exact_Two_Way(const char* kind, const char* yes, const char* no, Text condition, int line) {
    Key taken = New_Key(line), not_taken = New_Key(line);
    Record_Branches(kind, line, {Arm{yes, Key_String(taken)}, Arm{no, Key_String(not_taken)}});
    std::string head = package_name + "_two (" + std::to_string(line) + ", " + std::to_string(taken.ordinal) + ", " +
                       std::to_string(not_taken.ordinal) + ", ";
    return Format("%s%s)", Make_String(head), condition);
}

Text Exact_Body_Start(Text begin_word) {
    Construct& c = constructs[last_closed];
    Key k = New_Key(Line_Of(begin_word));
    c.key = Key_String(k);
    return Format("%s %s;", begin_word, Make_String(Open_Call("hit", k) + ")"));
}

namespace {

// The "when" arms of the conditional signal assignment being reduced, and the
// key that counts its executions.
std::vector<Arm> assignment_arms;
std::string assignment_key;

}  // namespace

Text Exact_Condition(Text condition, int line, bool first, bool guarded) {
    if (!first) {
        Key arm = New_Key(line);
        assignment_arms.push_back(Arm{"when", Key_String(arm)});
        return Format("%s%s)", Make_String(Open_Call("arm", arm) + ", "), condition);
    }
    // The first condition is evaluated at every execution: it also counts the statement.
    Key run = Count_Point(guarded ? "guarded_conditional_signal_assign" : "conditional_signal_assign", line);
    Key arm = New_Key(line);
    assignment_key = Key_String(run);
    assignment_arms.assign(1, Arm{"when", Key_String(arm)});
    std::string head = Open_Call("arm", arm) + ", " + Open_Call("ran", run) + ", ";
    return Format("%s%s))", Make_String(head), condition);
}

void Exact_Final_Else(int line) {
    // The final else runs at every execution that no "when" took.
    std::string rest = assignment_key;
    for (const Arm& a : assignment_arms) rest += "-" + a.key;
    assignment_arms.push_back(Arm{"else", rest});
    Record_Branches("conditional_signal_assign", line, assignment_arms);
    assignment_arms.clear();
}

Text Exact_Unconditional(Text waveform, int line, bool guarded) {
    Key k = Count_Point(guarded ? "guarded_signal_assign" : "signal_assign", line);
    std::string copy = On_One_Line(waveform);
    return Format("%s when %s else %s", waveform, Make_String(Open_Call("ran", k) + ")"), Make_String(copy));
}

Text Exact_Assertion_Condition(Text condition, int line) {
    Key k = Count_Point("assertion", line);
    Exact_Close_Concurrent("concurrent_assertion", "assert");
    return Format("%s%s)", Make_String(Open_Call("ran", k) + ", "), condition);
}

void Exact_Close_Concurrent(const char* kind, const char* default_name) {
    int id = Current_Construct();
    Construct& c = constructs[id];
    c.kind = kind;
    c.last_line = current_line_number;
    std::string path = Return_Filename();
    c.name = (path.empty() ? "" : path + ":") + default_name + "@" + std::to_string(c.first_line);
    open_concurrent = -1;
    last_concurrent = id;
}

void Exact_Label_Concurrent(const Text& label) {
    if (last_concurrent < 0) return;
    Construct& c = constructs[last_concurrent];
    std::string path = Return_Filename();
    std::string name = Text_String(label);
    name.erase(0, name.find_first_not_of('\n'));
    c.name = (path.empty() ? "" : path + ":") + name;
    if (Line_Of(label) > 0) c.first_line = Line_Of(label);
    last_concurrent = -1;
}

bool Exact_Write_Map(const std::string& path) {
    // Overloaded subprograms share a name: each is told apart by its head line.
    std::map<std::string, int> uses;
    for (const Construct& c : constructs)
        if (!c.dropped) uses[c.name]++;
    std::map<std::string, int> taken;
    FILE* map = std::fopen(path.c_str(), "w");
    if (!map) return false;
    std::fprintf(map, "corvane-exact-map\t%s\t%s\n", filename_name.c_str(), Trace_Path().c_str());
    for (const Construct& c : constructs) {
        if (c.dropped) continue;
        std::string name = c.name;
        if (uses[name] > 1 && name.find('@') == std::string::npos) name += "@" + std::to_string(c.first_line);
        if (taken[name]++ > 0) name += "#" + std::to_string(taken[name]);
        std::fprintf(map, "construct\t%s\t%s\t%d\t%d\t%s\n", c.kind.c_str(), name.c_str(), c.first_line, c.last_line,
                     c.key.c_str());
        for (const Record& r : c.records) {
            if (r.branch)
                std::fprintf(map, "branch\t%d\t%d\t%s\t%s\t%s\n", r.line, r.block, r.kind.c_str(), r.arm.c_str(),
                             r.key.c_str());
            else
                std::fprintf(map, "statement\t%d\t%s\t%s\n", r.line, r.kind.c_str(), r.key.c_str());
        }
    }
    bool ok = std::fflush(map) == 0 && !std::ferror(map);
    return std::fclose(map) == 0 && ok;
}
