#include "exact.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>
#include <vector>

#include "flow.h"
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
    int counter = -1;  // the counter its key joined (an if's arm)
    int base = -1;     // an else counted by difference: the run before its if
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
    int first_counter = -1, last_counter = -1;  // the counters it keeps in memory
    int start_counter = -1;                     // the count of its starts or calls
    std::vector<int> writes;                    // its writes of them
    bool has_loop = false;                      // its body holds a loop statement
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

// The counters that processes and subprograms keep in memory, numbered over
// the whole design file, each with the keys it counts (joined by commas:
// the statements of a run that always runs whole share one counter, and so
// do an arm or body and the run it begins with); and the writes of the
// changed ones, each with the ranges of counters it looks at.
std::vector<std::string> counter_keys;
std::vector<flow::Ranges> write_ranges;
// The writes made in the design's text from the number their counters make
// (each counted 0 or 1), with a line made beforehand for each number; and
// the characters those lines take.
std::vector<bool> inline_writes;
size_t inline_lines_length = 0;

// Counters that the design's text never adds to: the else of an if that
// follows a counted run in its sequence ran as often as that run (base) less
// the if's other arms (minus). A write works them out before it writes.
struct Derived {
    int counter, base;
    std::vector<int> minus;
};
std::vector<Derived> derived;
std::vector<bool> is_derived;  // by counter

void Add_Derived(Derived d) {
    if (is_derived.size() <= static_cast<size_t>(d.counter)) is_derived.resize(static_cast<size_t>(d.counter) + 1);
    is_derived[static_cast<size_t>(d.counter)] = true;
    derived.push_back(std::move(d));
}

bool Is_Derived(int counter) { return static_cast<size_t>(counter) < is_derived.size() && is_derived[static_cast<size_t>(counter)]; }

// A counter of the construct for the key, counted in the flow of its body
// (at_front: before the first statement of the sequence that has just closed).
int Allocate_Counter(int construct, const std::string& keys) {
    int id = static_cast<int>(counter_keys.size());
    counter_keys.push_back(keys);
    Construct& c = constructs[construct];
    if (c.first_counter < 0) c.first_counter = id;
    c.last_counter = id;
    return id;
}

int Allocate_Counter(int construct, Key k) { return Allocate_Counter(construct, Key_String(k)); }

int New_Counter(int construct, Key k, bool at_front = false) {
    int id = Allocate_Counter(construct, k);
    flow::Counter(id, at_front);
    return id;
}

// The key joins the keys of a counter that runs exactly as often.
void Join(int counter, Key k) { counter_keys[static_cast<size_t>(counter)] += "," + Key_String(k); }

int Allocate_Write(int construct) {
    int point = static_cast<int>(write_ranges.size());
    write_ranges.emplace_back();
    constructs[construct].writes.push_back(point);
    return point;
}

int New_Write(int construct) {
    int point = Allocate_Write(construct);
    flow::Write(point);
    return point;
}

// The process or subprogram whose body is being read, or -1.
int Current_Body() { return open_sequential.empty() ? -1 : open_sequential.back(); }

// "corvane_c (7)": a counter, in the variable of its body.
std::string Counter_Text(int id) { return "corvane_c (" + std::to_string(id) + ")"; }

// "corvane_c (7) := corvane_c (7) + 1;": the counter's increment.
std::string Increment(int id) {
    std::string c = Counter_Text(id);
    return c + " := " + c + " + 1;";
}

std::string Write_Call(int point) { return package_name + "_put (corvane_c, " + std::to_string(point) + ");"; }

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
// further arguments.
std::string Open_Call(const char* subprogram, Key k) {
    return package_name + "_" + subprogram + " (" + std::to_string(k.line) + ", " + std::to_string(k.ordinal);
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

// The package of the counts, declared on the output's first line, its body
// after the design: $ stands for the package's name, {impure} for the word
// that declares the functions that write the trace and {open} for the words
// that open the trace file, in the design's VHDL (87: none and "is out"; 93:
// "impure" and "open write_mode is"), # for the trace path and @ for the
// tables of the counters; in 2008 {ieee} opens std_logic_1164, and
// {conditions} and {condition bodies} stand for the functions that take a
// condition of type std_ulogic or bit. Its subprograms carry the package's name, so that
// no name of the design, and no other unit made visible with "use
// work.all", hides or clashes with them.
//
// Processes and subprograms count in a variable corvane_c of type $_counts,
// one element a counter, and write the counters that may have changed with
// $_put, which resets them. A write is one line of counters separated by
// spaces, each its keys joined by commas, and ":COUNT" unless it counted 1,
// each written at once. The concurrent statements write a key a line, at
// every execution, through the functions that take their place in
// expressions.
const char* const package_template =
    "{ieee}use std.textio.all; package $ is"
    " type $_counts is array (integer range <>) of integer;"
    " procedure $_put (c : inout $_counts; f : integer); procedure $_line (f, a : integer; b, c, d, e : integer := 0);"
    " {impure}function $_ran (l, k : integer) return boolean;"
    " {impure}function $_ran (l, k : integer; c : boolean) return boolean;"
    " {impure}function $_arm (l, k : integer; c : boolean) return boolean;{conditions}"
    " end $; ";

const char* const body_template =
    "package body $ is file trace : text {open} #;\n"
    "type table is array (natural range <>) of integer; constant newline : string := (1 => LF);\n"
    "function lined (s : string) return string is variable r : string (1 to s'length) := s; begin"
    " for i in r'range loop if r (i) = '/' then r (i) := LF; end if; end loop; return r; end lined;\n@"
    "function image (v : integer) return string is variable b : string (1 to 10); variable n : integer := 10;"
    " variable x : integer := v; begin loop b (n) := character'val (48 + x mod 10); x := x / 10; exit when x = 0;"
    " n := n - 1; end loop; return b (n to 10); end image;\n"
    "procedure $_put (c : inout $_counts; f : integer) is variable s : integer := 1;"
    " variable n : integer := 0; variable b : integer := 1; variable at : integer := subsets (f); begin"
    " for e in dfirsts (f) to dfirsts (f + 1) - 1 loop c (dcounters (e)) := c (dbases (e));"
    " for m in dmfirsts (e) to dmfirsts (e + 1) - 1 loop c (dcounters (e)) := c (dcounters (e)) - c (dminus (m));"
    " end loop; end loop;"
    " if at >= 0 then for r in firsts (f) to firsts (f + 1) - 1 loop for i in lows (r) to highs (r) loop"
    " if c (i) = 1 then n := n + b; elsif c (i) /= 0 then at := -1; end if; b := b + b; end loop; end loop; end if;"
    " if at >= 0 then if n /= 0 then write (trace, lines (starts (at + n) to starts (at + n + 1) - 1));"
    " for r in firsts (f) to firsts (f + 1) - 1 loop for i in lows (r) to highs (r) loop c (i) := 0;"
    " end loop; end loop; end if; return; end if;"
    " for r in firsts (f) to firsts (f + 1) - 1 loop for i in lows (r) to highs (r) loop if c (i) /= 0 then"
    " if c (i) = 1 then write (trace, keys (key_ends (i) + 1 + s to key_ends (i + 1) - 1)); else"
    " write (trace, keys (key_ends (i) + 1 + s to key_ends (i + 1))); write (trace, image (c (i))); end if;"
    " s := 0; c (i) := 0; end if; end loop; end loop; if s = 0 then write (trace, newline); end if; end $_put;\n"
    "procedure $_line (f, a : integer; b, c, d, e : integer := 0) is variable at : integer := subsets (f);"
    " variable n : integer := at + a + 2 * b + 4 * c + 8 * d + 16 * e; begin if n /= at then"
    " write (trace, lines (starts (n) to starts (n + 1) - 1)); end if; end $_line;\n"
    "procedure hit (l, k : integer) is begin if k > 1 then write (trace, image (l) & '.' & image (k) & LF);"
    " else write (trace, image (l) & LF); end if; end hit;"
    " {impure}function $_ran (l, k : integer) return boolean is begin hit (l, k); return true; end $_ran;"
    " {impure}function $_ran (l, k : integer; c : boolean) return boolean is begin hit (l, k); return c; end $_ran;"
    " {impure}function $_arm (l, k : integer; c : boolean) return boolean is"
    " begin if c then hit (l, k); end if; return c; end $_arm;{condition bodies} end $;\n";

// A constant of the package body: its items a line of the output per 40,
// and after them one or two that no index reaches, so that the aggregate
// has two at least.
std::string Table(const char* name, const std::vector<int>& items) {
    std::string s = std::string("constant ") + name + " : table := (";
    for (size_t i = 0; i < items.size(); i++) {
        s += std::to_string(items[i]) + ", ";
        if (i % 40 == 39) s += "\n";
    }
    return s + (items.empty() ? "0, 0);\n" : "0);\n");
}

// The text with $ replaced by the package's name.
std::string Fill_Name(const std::string& text) {
    std::string filled;
    for (char ch : text) filled += ch == '$' ? package_name : std::string(1, ch);
    return filled;
}

// A write of few counters writes, when each counted 0 or 1 since the last
// write (a process woken by a clock, most often), a line made beforehand,
// with one call of write: the line of each set of its counters. At most
// this many counters ($_line takes that many), and lines of this many
// characters in all.
constexpr size_t line_set_counters = 5;
constexpr size_t line_set_budget = 200000;

// The counters that write f looks at, in its order.
std::vector<int> Write_Counters(size_t f) {
    std::vector<int> counters;
    for (const auto& r : write_ranges[f])
        for (int i = r.first; i <= r.second; i++) counters.push_back(i);
    return counters;
}

// The length of the lines made beforehand for a write of these counters, 0
// when it has too many or none.
size_t Lines_Length(const std::vector<int>& counters) {
    size_t count = counters.size(), size = 0;
    if (count == 0 || count > line_set_counters) return 0;
    for (int i : counters) size += counter_keys[static_cast<size_t>(i)].size() + 1;
    return size << (count - 1);
}

// The lines made beforehand: the text of lines ("/" stands for a line
// feed); the N-th line from starts (N) to starts (N + 1) - 1; the lines of a
// write f begin at subsets (f), -1 when it has none, one for each number
// its counters make (the K-th that it looks at adds 2 ** K when it counted
// 1), an empty one for 0.
std::string Line_Sets() {
    std::string lines = "\"\"";
    std::vector<int> subsets, starts;
    size_t length = 0;
    size_t others = 0;  // the length of the lines of the writes that choose theirs in $_put
    for (size_t f = 0; f < write_ranges.size(); f++) {
        std::vector<int> counters = Write_Counters(f);
        size_t size = Lines_Length(counters);
        bool made = f < inline_writes.size() && inline_writes[f];
        if (!made && (size == 0 || others + size > line_set_budget - inline_lines_length)) {
            subsets.push_back(-1);
            continue;
        }
        if (!made) others += size;
        size_t count = counters.size();
        subsets.push_back(static_cast<int>(starts.size()));
        for (size_t n = 0; n < (size_t{1} << count); n++) {
            starts.push_back(static_cast<int>(length) + 1);
            std::string line;
            for (size_t k = 0; k < count; k++)
                if (n & (size_t{1} << k)) line += (line.empty() ? "" : " ") + counter_keys[static_cast<size_t>(counters[k])];
            if (!line.empty()) line += "/";
            if (starts.size() % 40 == 1) lines += " &\n\"\"";
            lines.insert(lines.size() - 1, line);
            length += line.size();
        }
    }
    starts.push_back(static_cast<int>(length) + 1);
    return "constant lines : string := lined (" + lines + ");\n" + Table("subsets", subsets) + Table("starts", starts);
}

// The counters that a write works out before it writes: those of write f
// are dcounters (e), e from dfirsts (f) to dfirsts (f + 1) - 1, in their
// order (one may be the base of a later one), each dbases (e) less the
// counters dminus (m), m from dmfirsts (e) to dmfirsts (e + 1) - 1.
std::string Derived_Tables() {
    std::vector<int> dfirsts{0}, dcounters, dbases, dmfirsts{0}, dminus;
    std::vector<Derived> sorted = derived;
    auto before = [](const Derived& a, const Derived& b) { return a.counter < b.counter; };
    std::sort(sorted.begin(), sorted.end(), before);
    for (size_t f = 0; f < write_ranges.size(); f++) {
        // A write's ranges are in ascending order, and so are the derived.
        for (const auto& r : write_ranges[f]) {
            auto d = std::lower_bound(sorted.begin(), sorted.end(), Derived{r.first, 0, {}}, before);
            for (; d != sorted.end() && d->counter <= r.second; ++d) {
                dcounters.push_back(d->counter);
                dbases.push_back(d->base);
                dminus.insert(dminus.end(), d->minus.begin(), d->minus.end());
                dmfirsts.push_back(static_cast<int>(dminus.size()));
            }
        }
        dfirsts.push_back(static_cast<int>(dcounters.size()));
    }
    return Table("dfirsts", dfirsts) + Table("dcounters", dcounters) + Table("dbases", dbases) +
           Table("dmfirsts", dmfirsts) + Table("dminus", dminus);
}

// The tables: keys holds the keys of every counter behind a space and
// before a colon, key_ends where each ends in it (a write leaves out the
// space in front of the first counter of its line, and the colon of a
// counter that counted 1); a write f looks at the ranges firsts (f) to
// firsts (f + 1) - 1, each the counters lows (r) to highs (r).
std::string Tables() {
    std::string keys = "constant keys : string := \"\"";
    std::vector<int> key_ends{0}, firsts{0}, lows, highs;
    for (size_t i = 0; i < counter_keys.size(); i++) {
        std::string key = " " + counter_keys[i] + ":";
        if (i % 40 == 0) keys += " &\n\"\"";
        keys.insert(keys.size() - 1, key);
        key_ends.push_back(key_ends.back() + static_cast<int>(key.size()));
    }
    for (const flow::Ranges& ranges : write_ranges) {
        for (const auto& r : ranges) {
            lows.push_back(r.first);
            highs.push_back(r.second);
        }
        firsts.push_back(static_cast<int>(lows.size()));
    }
    return keys + ";\n" + Table("key_ends", key_ends) + Table("firsts", firsts) + Table("lows", lows) +
           Table("highs", highs) + Line_Sets() + Derived_Tables();
}

std::string Fill(const char* text_template) {
    bool vhdl93 = standard != Standard::VHDL87;
    std::string path;
    String_Literal(Trace_Path(), path);
    std::string text;
    // 2008 takes a bit or std_ulogic for a condition (the ?? operator
    // applied to it): the functions that take a condition take those too.
    bool vhdl08 = standard == Standard::VHDL08;
    std::string conditions, condition_bodies;
    for (const char* type : {"std_ulogic", "bit"}) {
        conditions += std::string(" impure function $_ran (l, k : integer; c : ") + type + ") return boolean;" +
                      " impure function $_arm (l, k : integer; c : " + type + ") return boolean;";
        condition_bodies += std::string(" impure function $_ran (l, k : integer; c : ") + type +
                            ") return boolean is begin return $_ran (l, k, ?? c); end $_ran;" +
                            " impure function $_arm (l, k : integer; c : " + type +
                            ") return boolean is begin return $_arm (l, k, ?? c); end $_arm;";
    }
    const std::pair<const char*, std::string> words[] = {
        {"{impure}", vhdl93 ? "impure " : ""},
        {"{open}", vhdl93 ? "open write_mode is" : "is out"},
        {"{ieee}", vhdl08 ? "library ieee; use ieee.std_logic_1164.all; " : ""},
        {"{conditions}", vhdl08 ? Fill_Name(conditions) : ""},
        {"{condition bodies}", vhdl08 ? Fill_Name(condition_bodies) : ""},
    };
    for (const char* c = text_template; *c;) {
        if (*c == '$' || *c == '#' || *c == '@') {
            text += *c == '$' ? package_name : *c == '#' ? path : Tables();
            c++;
            continue;
        }
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

}  // namespace

std::string Exact_Package() { return Fill(package_template); }

std::string Exact_Package_Body() { return Fill(body_template); }

std::string Exact_Use_Clause() { return "use work." + package_name + ".all; "; }

void Exact_Open(Construct_Kind kind, int head_line, const std::string& own_name) {
    Construct c;
    c.kind = Construct_Kind_Name(kind);
    c.own_name = own_name;
    c.first_line = head_line;
    constructs.push_back(c);
    open_sequential.push_back(static_cast<int>(constructs.size()) - 1);
    flow::Begin_Body();
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
    flow::Drop_Body();
}

namespace {

// The assertion or report statement being read may end the simulation:
// the changed counts are written in front of it.
bool write_first = false;

// The key of the last statement counted, and the text in front of it.
Key last_count_key{0, 0};
std::string last_prefix;

bool Is(const char* kind, const char* name) { return std::strcmp(kind, name) == 0; }

}  // namespace

Text Exact_Count_Text(const char* kind, int line) {
    int body = Current_Body();
    if (body < 0) return Empty_Text();
    Key k = Count_Point(kind, line);
    last_count_key = k;
    // A statement that follows a counted one in its sequence, with nothing
    // between them that may suspend, jump or branch, runs as often as it.
    std::string text;
    int run = flow::Last_Counter();
    if (run >= 0)
        Join(run, k);
    else
        text = Increment(New_Counter(body, k)) + " ";
    // The simulation may stop during a wait or a call, or after a return
    // before the subprogram is called again: the changed counts go first.
    if (Is(kind, "wait") || Is(kind, "procedure_call") || Is(kind, "return") || write_first)
        text += Write_Call(New_Write(body)) + " ";
    if (Is(kind, "return")) flow::Leave();
    write_first = false;
    last_prefix = text;
    return Make_String(text);
}

size_t Exact_Count_Length(const Text& statement) {
    if (last_prefix.empty()) return 0;
    return Text_Prefix(statement, last_prefix.size()) == last_prefix ? last_prefix.size() : 0;
}

namespace {

// The words of a text in lower case, without blanks and the characters of
// dropped: "severity failure" or " L1:" read as "severityfailure", "l1".
std::string Folded(const Text& t, const char* dropped = "") {
    std::string s;
    for (char ch : Text_String(t))
        if (ch != ' ' && ch != '\t' && ch != '\n' && ch != '\r' && !std::strchr(dropped, ch))
            s += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    return s;
}

// Whether the severity clause (" severity EXPR" or empty) may end the
// simulation: note, warning and error (an assertion's default) do not.
bool May_End(const Text& clause) {
    std::string s = Folded(clause);
    if (s.compare(0, 8, "severity") == 0) s.erase(0, 8);
    return !(s.empty() || s == "note" || s == "warning" || s == "error");
}

}  // namespace

// A failing assertion of severity failure ends the simulation; the write
// goes in front of the statement rather than into its condition, whose call
// of a function would change a simulator's report of the failure.
void Exact_Severity(const Text& severity) {
    if (Current_Body() >= 0 && May_End(severity)) write_first = true;
}

namespace {

// " corvane_c (7) := corvane_c (7) + 1;": the count of an arm, behind the
// word that opens it.
Text Arm_Count(int counter) { return Make_String(" " + Increment(counter)); }

// The arm or body whose sequence has just closed (from_top: that many open
// below the innermost) starts: counted by the run it begins with, if any,
// or by a count of its own in front of body.
Text Arm_Start(Key k, size_t from_top, Text body, int* counter = nullptr) {
    int c = Current_Body();
    if (c < 0) return body;
    int run = flow::First_Counter(from_top);
    if (run >= 0) {
        Join(run, k);
        if (counter) *counter = run;
        return body;
    }
    int id = New_Counter(c, k, true);
    if (counter) *counter = id;
    return Format("%s%s", Arm_Count(id), body);
}

// The else arm (key k) of an if that follows the counted run base, its body
// on top of the sequences: it joins the counter that its body begins with,
// whose increment in front of the body goes, or a counter of its own that
// nothing adds to; *counter gets it. False, with nothing changed, when the
// increment is not where it should be.
bool Derived_Else(Key k, Text& body, int* counter) {
    int c = Current_Body();
    int run = flow::First_Counter(0);
    if (run < 0) {
        *counter = New_Counter(c, k, true);
        return true;
    }
    size_t layout = Leading_Layout(body);
    std::string increment = Increment(run) + " ";
    std::string front = Text_Prefix(body, layout + increment.size());
    if (front.compare(layout, std::string::npos, increment) != 0) return false;
    Text layout_text = Take_Prefix(body, layout);
    Text gone = Take_Prefix(body, increment.size());
    Release(gone);
    body = Format("%s%s", layout_text, body);
    Join(run, k);
    *counter = run;
    return true;
}

// The line of the if or case whose arm is being reduced: the innermost one
// whose opening keyword the scanner has seen (its closing one not yet).
int Open_Keyword_Line(const std::vector<int>& lines) { return lines.empty() ? current_line_number : lines.back(); }

// A label as the source writes it ("name" or "name:", line feeds in front),
// in lower case; "" for none.
std::string Label_Name(const Text& label) { return Folded(label, ":"); }

// The loops being read, innermost last: the line of a while loop's head (0
// for the others) and whether the loop may end at its head.
struct Open_Loop {
    int while_line;
    bool ends_at_head;
};
std::vector<Open_Loop> open_loops;
int while_line = 0;  // of the while scheme just read

// The exits read and not yet matched with the loop they leave: a label, or
// the depth of the loop they stand in; and their taken count as terms to
// subtract from the loop's completions ("-19", "-19+19.2").
struct Exit {
    std::string label;
    size_t depth;
    std::string taken;
};
std::vector<Exit> open_exits;
bool conditional_jump = false;  // the exit or next being read has a condition

}  // namespace

Text Exact_If_Arm(const char* arm, Text body) {
    int line = Open_Keyword_Line(if_keyword_lines);
    Key k = New_Key(line);
    std::vector<Arm>& arms = Open_Arms(open_if_arms, if_keyword_lines.size());
    Arm a{arm, Key_String(k)};
    // An else after a counted run is that run less the if's other arms (the
    // then arm's, the elsifs' and its own sequences are open on top).
    if (Is(arm, "else") && Current_Body() >= 0) {
        int before = flow::Last_Counter(arms.size() + 2);
        if (before >= 0 && Derived_Else(k, body, &a.counter)) {
            a.base = before;
            arms.push_back(a);
            return body;
        }
    }
    body = Arm_Start(k, 0, body, &a.counter);
    arms.push_back(a);
    return body;
}

Text Exact_End_Of_If(Text& then_body, bool has_else) {
    // The closing "end if" has put its own keyword on top of the opening one.
    size_t depth = if_keyword_lines.size() - 1;
    int line = if_keyword_lines[depth - 1];
    int c = Current_Body();
    std::vector<Arm> arms;
    Key then_key = New_Key(line);
    arms.push_back(Arm{"then", Key_String(then_key)});
    std::vector<Arm>& later = Open_Arms(open_if_arms, depth);
    int written = 1 + static_cast<int>(later.size());
    arms.insert(arms.end(), later.begin(), later.end());
    later.clear();
    if_keyword_lines.resize(depth - 1);
    if (c < 0) return Empty_Text();
    // The then arm is the first of the arms' sequences, the last on top.
    int then_counter = -1, else_counter = -1;
    int run = flow::First_Counter(static_cast<size_t>(written - 1));
    if (run >= 0)
        Join(run, then_key);
    else
        then_counter = Allocate_Counter(c, then_key);
    if (has_else && arms.back().base >= 0) {
        Derived d{arms.back().counter, arms.back().base, {run >= 0 ? run : then_counter}};
        for (size_t i = 1; i + 1 < arms.size(); i++) d.minus.push_back(arms[i].counter);
        Add_Derived(std::move(d));
    }
    Text implicit_else = Empty_Text();
    // The if runs as often as the counter before it in its sequence, if
    // any: an else it does not write is then those runs less its arms'
    // ("@N": the first key of counter N, in the map), and needs no count.
    int before = has_else ? -1 : flow::Last_Counter(static_cast<size_t>(written));
    if (before >= 0) {
        std::string rest = "@" + std::to_string(before);
        for (const Arm& a : arms) rest += "-" + a.key;
        arms.push_back(Arm{"else", rest});
    } else if (!has_else) {
        Key k = New_Key(line);
        arms.push_back(Arm{"else", Key_String(k)});
        else_counter = Allocate_Counter(c, k);
        implicit_else = Format(" else%s", Arm_Count(else_counter));
    }
    flow::End_If(written, then_counter, else_counter, has_else);
    Record_Branches("if", line, arms);
    if (then_counter >= 0) then_body = Format("%s%s", Arm_Count(then_counter), then_body);
    return implicit_else;
}

Text Exact_Case_Arm(Text body) {
    int line = Open_Keyword_Line(case_keyword_lines);
    Key k = New_Key(line);
    Open_Arms(open_case_arms, case_keyword_lines.size()).push_back(Arm{"when", Key_String(k)});
    return Arm_Start(k, 0, body);
}

void Exact_End_Of_Case() {
    size_t depth = case_keyword_lines.size() - 1;
    std::vector<Arm>& arms = Open_Arms(open_case_arms, depth);
    if (Current_Body() >= 0) {
        flow::End_Case(static_cast<int>(arms.size()));
        Record_Branches("case", case_keyword_lines[depth - 1], arms);
    }
    arms.clear();
    case_keyword_lines.resize(depth - 1);
}

void Exact_End_Of_If_Generate() {
    if (!if_keyword_lines.empty()) if_keyword_lines.pop_back();
}

Text Exact_Two_Way(const char* kind, Text condition, int line) {
    // The arms are counted by the statements' own counters (exit, next) or by
    // the loop's (while): the condition stays as it is.
    if (Is(kind, "while"))
        while_line = line;
    else
        conditional_jump = true;
    return condition;
}

void Exact_Loop_Scheme(bool plain) {
    if (Current_Body() >= 0) constructs[static_cast<size_t>(Current_Body())].has_loop = true;
    open_loops.push_back(Open_Loop{plain ? 0 : while_line, !plain});
    while_line = 0;
}

Text Exact_End_Of_Loop(Text& body, const Text& label_text) {
    if (open_loops.empty()) return Empty_Text();
    Open_Loop loop = open_loops.back();
    open_loops.pop_back();
    std::string label = Label_Name(label_text);
    // The exits that leave this loop: by its label, or unlabelled at its depth.
    std::string exits;
    size_t depth = open_loops.size() + 1;
    for (size_t i = 0; i < open_exits.size();) {
        const Exit& e = open_exits[i];
        if (e.label.empty() ? e.depth == depth : e.label == label) {
            exits += e.taken;
            open_exits.erase(open_exits.begin() + static_cast<long>(i));
        } else {
            i++;
        }
    }
    int c = Current_Body();
    if (c < 0) return Empty_Text();
    if (loop.while_line == 0) {
        flow::End_Loop(loop.ends_at_head, label);
        return Empty_Text();
    }
    // A while loop: its condition was true each time the body starts, and
    // false each time the loop ends but by an exit.
    Key yes = New_Key(loop.while_line);
    body = Arm_Start(yes, 0, body);
    flow::End_Loop(true, label);
    Key done = New_Key(loop.while_line);
    int done_counter = New_Counter(c, done);
    Record_Branches("while", loop.while_line, {Arm{"true", Key_String(yes)}, Arm{"false", Key_String(done) + exits}});
    return Arm_Count(done_counter);
}

Text Exact_End_Of_Jump(const char* kind, const Text& label_text) {
    bool conditional = conditional_jump;
    conditional_jump = false;
    int c = Current_Body();
    if (c < 0) return Empty_Text();
    std::string label = Label_Name(label_text);
    bool is_exit = Is(kind, "exit");
    flow::Jump(is_exit, label, conditional);
    std::string statement = Key_String(last_count_key);
    std::string taken = "-" + statement;
    Text after = Empty_Text();
    if (conditional) {
        // Counted when it goes on: taken are the other executions.
        Key no = New_Key(last_count_key.line);
        after = Arm_Count(New_Counter(c, no));
        Record_Branches(kind, last_count_key.line,
                        {Arm{"taken", statement + "-" + Key_String(no)}, Arm{"not_taken", Key_String(no)}});
        taken += "+" + Key_String(no);
    }
    if (is_exit) open_exits.push_back(Exit{label, open_loops.size(), taken});
    return after;
}

namespace {

// The "when" arms of the sequential conditional assignment being read, the
// last condition first.
std::vector<Arm> sequential_arms;

}  // namespace

Text Exact_Sequential_Condition(Text condition, int line) {
    if (Current_Body() < 0) return condition;
    Key k = New_Key(line);
    sequential_arms.push_back(Arm{"when", Key_String(k)});
    return Format("%s%s)", Make_String(Open_Call("arm", k) + ", "), condition);
}

void Exact_End_Of_Conditional_Assignment(const char* kind) {
    if (Current_Body() < 0 || sequential_arms.empty()) return;
    // The else, written or not, runs at every execution that no when took.
    std::vector<Arm> arms(sequential_arms.rbegin(), sequential_arms.rend());
    std::string rest = Key_String(last_count_key);
    for (const Arm& a : arms) rest += "-" + a.key;
    arms.push_back(Arm{"else", rest});
    Record_Branches(kind, last_count_key.line, arms);
    sequential_arms.clear();
}

void Exact_Open_Sequence() {
    bool body = flow::Open_Sequence();
    int c = Current_Body();
    if (!body || c < 0) return;
    // The count of the body's starts or calls opens its sequence: the
    // statements of the run it begins with join it, and so may an if's
    // else. Its key, on the line of begin, is known at the body's end.
    int start = Allocate_Counter(c, std::string());
    flow::Counter(start);
    constructs[static_cast<size_t>(c)].start_counter = start;
}

namespace {

// The write at the end of a body (a subprogram, or a process with a
// sensitivity list) with no loop: no counter it looks at can have counted
// more than 1 since the last write, so the design's text passes them,
// without an operator that the design could redefine, to $_line, which
// writes the line made beforehand for the number they make, and sets them
// back to 0 itself: "corvane_x_line (4, corvane_c (7), corvane_c (8));
// corvane_c (7) := 0; corvane_c (8) := 0;". Other end writes are written by
// $_put.
std::string End_Write(int construct, int point, bool flow_known) {
    const Construct& c = constructs[static_cast<size_t>(construct)];
    std::vector<int> counters = Write_Counters(static_cast<size_t>(point));
    size_t size = Lines_Length(counters);
    bool plain = true;
    for (int i : counters) plain = plain && !Is_Derived(i);
    if (!flow_known || c.has_loop || !plain || size == 0 || inline_lines_length + size > line_set_budget)
        return Write_Call(point);
    inline_writes.resize(write_ranges.size());
    inline_writes[static_cast<size_t>(point)] = true;
    inline_lines_length += size;
    std::string arguments, reset;
    for (int i : counters) {
        std::string counter = Counter_Text(i);
        arguments += ", " + counter;
        reset += " " + counter + " := 0;";
    }
    return package_name + "_line (" + std::to_string(point) + arguments + ");" + reset;
}

}  // namespace

Text Exact_Body_Start(Text begin_word, Text& body_end, bool writes_at_end) {
    Key k = New_Key(Line_Of(begin_word));
    constructs[last_closed].key = Key_String(k);
    // The counter that opened the body's sequence takes its key, in front
    // of the keys that joined it.
    int start = constructs[last_closed].start_counter;
    if (start < 0)
        start = New_Counter(last_closed, k, true);
    else
        counter_keys[static_cast<size_t>(start)] = Key_String(k) + counter_keys[static_cast<size_t>(start)];
    body_end = Empty_Text();
    int end_write = writes_at_end ? New_Write(last_closed) : -1;
    Construct& c = constructs[last_closed];
    std::vector<std::pair<int, flow::Ranges>> found;
    bool ok = flow::End_Body(c.first_counter, c.last_counter, c.kind == "process", found);
    // Without the body's structure, each write looks at all its counters.
    for (int w : c.writes) write_ranges[static_cast<size_t>(w)] = ok ? flow::Ranges{} : flow::Ranges{{c.first_counter, c.last_counter}};
    for (auto& f : found) write_ranges[static_cast<size_t>(f.first)] = std::move(f.second);
    if (end_write >= 0) body_end = Make_String(" " + End_Write(last_closed, end_write, ok));
    open_exits.clear();
    std::string declaration = "variable corvane_c : " + package_name + "_counts (" + std::to_string(c.first_counter) +
                              " to " + std::to_string(c.last_counter) + ") := (others => 0); ";
    Text line_feeds = Take_Linefeeds(begin_word);
    return Format("%s%s%s %s", line_feeds, Make_String(declaration), begin_word, Make_String(Increment(start)));
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

namespace {

// A key expression with "@N" in it: N the number of a counter, whose first
// key stands there.
std::string Counter_Keys_Resolved(const std::string& key) {
    size_t at = key.find('@');
    if (at == std::string::npos) return key;
    size_t end = key.find_first_not_of("0123456789", at + 1);
    if (end == std::string::npos) end = key.size();
    const std::string& keys = counter_keys[std::stoul(key.substr(at + 1, end - at - 1))];
    return key.substr(0, at) + keys.substr(0, keys.find(',')) + Counter_Keys_Resolved(key.substr(end));
}

}  // namespace

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
                             Counter_Keys_Resolved(r.key).c_str());
            else
                std::fprintf(map, "statement\t%d\t%s\t%s\n", r.line, r.kind.c_str(), r.key.c_str());
        }
    }
    bool ok = std::fflush(map) == 0 && !std::ferror(map);
    return std::fclose(map) == 0 && ok;
}
