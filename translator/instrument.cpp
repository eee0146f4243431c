#include "instrument.h"

#include <cstdio>
#include <vector>

#include "driver.h"
#include "exact.h"
#include "scanner.h"
#include "scope.h"
#include "stack.h"

std::string directory_name = "/tmp/";
std::string filename_name = "test";
std::string function_name;
std::string map_file_name;
bool accumulation_mode = false;

namespace {

int sequential_depth = 0;

// What the statement map and the accumulation mode need to know about each
// process and subprogram. Nothing of this is kept unless -m or -a was given,
// so the plain translation pays one test per statement and construct.
struct Construct {
    std::string trace_file;  // as declared in the output, known at the construct's end
    int head_line;
    Construct_Kind kind;
    bool accumulates;  // its trace file is declared in the enclosing region
    bool placed;       // its declaration has its place among the map entries
};

// One line of the map: a line-trace statement, or (kind null) the
// trace-file declaration of a construct.
struct Map_Entry {
    int construct;
    int line;
    const char* kind;
};

bool recording = false;
std::vector<Construct> constructs;
std::vector<int> open_constructs;  // innermost last
std::vector<Map_Entry> map_entries;
int last_closed = -1;

// The output holds the constructs' declarations and statements in the order
// in which the parser reduces the statements, with one shift: a process or a
// plain subprogram declares its file after its declarations, which may hold
// whole subprograms, and before its own statements. So its declaration takes
// its place at its first own statement, or at its end if it has none; an
// accumulating subprogram's declaration stands in front of it and takes its
// place at its head.
void Place(int id) {
    if (constructs[id].placed) return;
    constructs[id].placed = true;
    map_entries.push_back({id, constructs[id].head_line, nullptr});
}

std::string Trace_File_Name() {
    std::string s = directory_name;
    s += '/';
    s += filename_name;
    s += "::";
    s += function_name;
    s += ".partition.corvane";
    return s;
}

// The VHDL name of an accumulating subprogram's file: numbered, so that the
// subprograms of one region never share it, and unlike outfile1 it is not
// hidden by a nested subprogram.
std::string File_Identifier(int id) { return "corvane_trace_" + std::to_string(id + 1); }

const char* Construct_Kind_Name(const Construct& c) {
    switch (c.kind) {
    case PROCESS_CONSTRUCT: return "process";
    case PROCEDURE_CONSTRUCT: return c.accumulates ? "procedure_all_calls" : "procedure";
    case FUNCTION_CONSTRUCT: return c.accumulates ? "function_all_calls" : "function";
    }
    return "";
}

}  // namespace

const char* pending_kind = "";

void Start_Instrumentation() { recording = !exact_mode && (!map_file_name.empty() || accumulation_mode); }

Text Trace_File_Declaration() {
    if (exact_mode) return Empty_Text();
    if (recording) {
        Construct& c = constructs[last_closed];
        c.trace_file = Trace_File_Name();
        if (c.accumulates) return Make_String(" variable out_line : LINE; variable line_number : integer;");
        Place(last_closed);
    }
    std::string s = " FILE outfile1 : TEXT IS OUT \"";
    s += directory_name;
    s += '/';
    s += filename_name;
    s += "::";
    s += function_name;
    s += ".partition.corvane\"; variable out_line : LINE; variable line_number : integer;";
    return Make_String(s);
}

bool Accumulates_Calls() { return recording && constructs[last_closed].accumulates; }

Text Enclosing_Trace_File_Declaration() {
    const Construct& c = constructs[last_closed];
    return Make_String("FILE " + File_Identifier(last_closed) + " : TEXT IS OUT \"" + c.trace_file + "\"; ");
}

Text Line_Trace_Statement(const char* kind) {
    if (sequential_depth == 0) return Empty_Text();
    if (exact_mode) {
        pending_kind = kind;
        return Empty_Text();
    }
    char s[160];
    int n;
    if (!recording) {
        n = std::snprintf(s, sizeof s,
                          "line_number := %d; WRITE(out_line,line_number); WRITELINE(outfile1,out_line);",
                          current_line_number);
    } else {
        int id = open_constructs.back();
        if (!map_file_name.empty()) {
            Place(id);
            map_entries.push_back({id, current_line_number, kind});
        }
        if (constructs[id].accumulates)
            n = std::snprintf(s, sizeof s,
                              "line_number := %d; WRITE(out_line,line_number); WRITELINE(%s,out_line);",
                              current_line_number, File_Identifier(id).c_str());
        else
            n = std::snprintf(s, sizeof s,
                              "line_number := %d; WRITE(out_line,line_number); WRITELINE(outfile1,out_line);",
                              current_line_number);
    }
    return Make_String(s, static_cast<size_t>(n));
}

Text Counted_Statement(int first_line, Text statement) {
    if (!exact_mode || sequential_depth == 0) return statement;
    Text layout = Take_Prefix(statement, Leading_Layout(statement));
    return Format("%s%s%s", layout, Exact_Count_Text(pending_kind, first_line), statement);
}

Text Traced_Opening(const char* kind, Text first_word) {
    int line = Line_Of(first_word);
    Text line_feeds = Take_Linefeeds(first_word);
    Text trace = exact_mode ? Exact_Count_Text(kind, line) : Line_Trace_Statement(kind);
    return Format("%s%s%s%s", line_feeds, scope_text, trace, first_word);
}

Text Assertion_Condition(Text condition, int line, const Text& severity) {
    if (!exact_mode) return condition;
    if (sequential_depth == 0) return Exact_Assertion_Condition(condition, line);
    Exact_Severity(severity);
    return condition;
}
void Report_Severity(const Text& severity) {
    if (exact_mode) Exact_Severity(severity);
}

namespace {

// The options begin with the word guarded (a delay mechanism may follow,
// whose expression may hold any name).
bool Guarded(const Text& options) {
    std::string s = Text_String(options);
    size_t start = s.find_first_not_of(" \t\n");
    if (start == std::string::npos || s.compare(start, 7, "guarded") != 0) return false;
    char next = start + 7 < s.size() ? s[start + 7] : ' ';
    return !((next >= 'a' && next <= 'z') || (next >= '0' && next <= '9') || next == '_');
}

}  // namespace

Text Concurrent_Condition(Text condition, bool first, int target_line, const Text& options) {
    return exact_mode ? Exact_Condition(condition, target_line, first, Guarded(options)) : condition;
}

Text Concurrent_Waveform(Text waveform, bool unconditional, int target_line, const Text& options) {
    if (!exact_mode) return waveform;
    if (unconditional) return Exact_Unconditional(waveform, target_line, Guarded(options));
    Exact_Final_Else(target_line);
    return waveform;
}

Text If_Arm(const char* arm, Text body) { return exact_mode ? Exact_If_Arm(arm, body) : body; }

Text Case_Arm(Text body) { return exact_mode ? Exact_Case_Arm(body) : body; }

Text End_Of_If(Text& then_body, const Text& else_part) {
    return exact_mode ? Exact_End_Of_If(then_body, else_part.len > 0) : Empty_Text();
}

void End_Of_Case() {
    if (exact_mode) Exact_End_Of_Case();
}

void End_Of_If_Generate() {
    if (exact_mode) Exact_End_Of_If_Generate();
}

void End_Of_Case_Generate() {
    if (record_keyword_lines && !case_keyword_lines.empty()) case_keyword_lines.pop_back();
}

Text Two_Way_Condition(const char* kind, Text condition, int line) {
    return exact_mode ? Exact_Two_Way(kind, condition, line) : condition;
}
Text End_Of_Jump(const char* kind, const Text& label) {
    return exact_mode ? Exact_End_Of_Jump(kind, label) : Empty_Text();
}
void Loop_Scheme(bool plain) {
    if (exact_mode) Exact_Loop_Scheme(plain);
}
Text End_Of_Loop(Text& body, const Text& label) { return exact_mode ? Exact_End_Of_Loop(body, label) : Empty_Text(); }
void Open_Sequence() {
    if (exact_mode) Exact_Open_Sequence();
}

Text Sequential_Condition(Text condition, const Text& when_word) {
    return exact_mode ? Exact_Sequential_Condition(condition, Line_Of(when_word)) : condition;
}
void End_Of_Conditional_Assignment(const char* kind) {
    if (exact_mode) Exact_End_Of_Conditional_Assignment(kind);
}
Text Concurrent_Final_Condition(Text condition, bool first, int target_line, const Text& options) {
    Text counted = Concurrent_Condition(condition, first, target_line, options);
    if (exact_mode) Exact_Final_Else(target_line);
    return counted;
}

void End_Of_Concurrent_Assignment() {
    if (exact_mode) Exact_Close_Concurrent("concurrent_assignment", "assign");
}

void Label_Concurrent_Statement(const Text& label) {
    if (exact_mode) Exact_Label_Concurrent(label);
}

Text Labelled_Statement(Text label, Text statement) {
    Text layout = Take_Prefix(statement, Leading_Layout(statement));
    Text count = Take_Prefix(statement, exact_mode ? Exact_Count_Length(statement) : 0);
    Text line_feeds = Take_Linefeeds(label);
    return Format("%s%s%s%s:%s%s", line_feeds, scope_text, count, label, layout, statement);
}

Text Body_Start(Text begin_word, Text& body_end, bool writes_at_end) {
    body_end = Empty_Text();
    return exact_mode ? Exact_Body_Start(begin_word, body_end, writes_at_end) : begin_word;
}

void Enter_Sequential_Code(Construct_Kind kind, int head_line, const Text& own_name) {
    sequential_depth++;
    if (exact_mode) {
        std::string name = Text_String(own_name);
        name.erase(0, name.find_first_not_of('\n'));
        Exact_Open(kind, head_line, name.empty() ? "process" : name);
    }
    if (!recording) return;
    bool accumulates = accumulation_mode && kind != PROCESS_CONSTRUCT;
    constructs.push_back({std::string(), head_line, kind, accumulates, false});
    int id = static_cast<int>(constructs.size()) - 1;
    open_constructs.push_back(id);
    if (accumulates && !map_file_name.empty()) Place(id);
}

void Leave_Sequential_Code() {
    sequential_depth--;
    if (!recording || open_constructs.empty()) return;
    last_closed = open_constructs.back();
    open_constructs.pop_back();
}

void End_Of_Construct(unsigned head_flags) {
    if (exact_mode) Exact_Close(function_name, head_flags & NAME_PUSHED);
    if (head_flags & NAME_PUSHED) Pop_Stack();
    Leave_Sequential_Code();
}

void End_Of_Declaration(unsigned head_flags) {
    End_Of_Construct(head_flags);
    if (exact_mode) Exact_Drop();
    if (!recording) return;
    // A declaration holds no statement, so only its own place can follow it.
    if (!map_entries.empty() && map_entries.back().construct == last_closed && map_entries.back().kind == nullptr)
        map_entries.pop_back();
    constructs[last_closed].placed = false;
}

bool Write_Statement_Map(const std::string& path) {
    if (exact_mode) return Exact_Write_Map(path);
    FILE* map = std::fopen(path.c_str(), "w");
    if (!map) return false;
    for (const Map_Entry& e : map_entries) {
        const Construct& c = constructs[e.construct];
        std::fprintf(map, "%s\t%d\t%s\n", c.trace_file.c_str(), e.line, e.kind ? e.kind : Construct_Kind_Name(c));
    }
    bool ok = std::fflush(map) == 0 && !std::ferror(map);
    return std::fclose(map) == 0 && ok;
}

namespace {

// The clause in front of a design unit: the text I/O package in front of the
// primary units, or the package of the counts in front of every unit but a
// context declaration (2008), whose context clause must stay empty.
std::string Unit_Clause(unsigned unit_flags) {
    if (unit_flags & CONTEXT_UNIT) return "";
    if (exact_mode) return Exact_Use_Clause();
    return unit_flags & PRIMARY_UNIT ? "USE STD.TEXTIO.ALL;" : "";
}

}  // namespace

// A design file that begins with a context declaration keeps the flag, so
// that Print_Design puts no clause in front of it.
Text Join_Design_Unit(Text design_file, Text design_unit) {
    std::string clause = Unit_Clause(design_unit.flags);
    bool begins_with_context = design_file.flags & CONTEXT_UNIT;
    Text joined;
    if (clause.empty()) {
        joined = Format("%s%s", design_file, design_unit);
    } else {
        Text line_feeds = Take_Linefeeds(design_unit);
        joined = Format("%s%s%s%s", design_file, line_feeds, Make_String(clause), design_unit);
    }
    if (begins_with_context) Set_Flags(joined, CONTEXT_UNIT);
    return joined;
}

void Print_Design(Text& design) {
    if (exact_mode) {
        // The package on the first line, then the first unit after its
        // leading line feeds, opened by its use clause.
        std::fputs(Exact_Package().c_str(), stdout);
        Text line_feeds = Take_Linefeeds(design);
        Write_Text(stdout, line_feeds);
        Release(line_feeds);
        if (!(design.flags & CONTEXT_UNIT)) std::fputs(Exact_Use_Clause().c_str(), stdout);
        Write_Text(stdout, design);
        // The package body on the lines after the design's last.
        std::fputs(("\n" + Exact_Package_Body()).c_str(), stdout);
        return;
    }
    std::fputs("USE STD.TEXTIO.ALL;", stdout);
    Write_Text(stdout, design);
}
