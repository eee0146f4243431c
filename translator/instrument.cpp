#include "instrument.h"

#include <cstdio>
#include <vector>

#include "driver.h"
#include "scanner.h"
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

void Start_Instrumentation() { recording = !map_file_name.empty() || accumulation_mode; }

Text Trace_File_Declaration() {
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

void Enter_Sequential_Code(Construct_Kind kind, int head_line) {
    sequential_depth++;
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
    if (head_flags & NAME_PUSHED) Pop_Stack();
    Leave_Sequential_Code();
}

void End_Of_Declaration(unsigned head_flags) {
    End_Of_Construct(head_flags);
    if (!recording) return;
    // A declaration holds no statement, so only its own place can follow it.
    if (!map_entries.empty() && map_entries.back().construct == last_closed && map_entries.back().kind == nullptr)
        map_entries.pop_back();
    constructs[last_closed].placed = false;
}

bool Write_Statement_Map(const std::string& path) {
    FILE* map = std::fopen(path.c_str(), "w");
    if (!map) return false;
    for (const Map_Entry& e : map_entries) {
        const Construct& c = constructs[e.construct];
        std::fprintf(map, "%s\t%d\t%s\n", c.trace_file.c_str(), e.line, e.kind ? e.kind : Construct_Kind_Name(c));
    }
    bool ok = std::fflush(map) == 0 && !std::ferror(map);
    return std::fclose(map) == 0 && ok;
}

Text Join_Design_Unit(Text design_file, Text design_unit) {
    if (!(design_unit.flags & PRIMARY_UNIT)) return Format("%s%s", design_file, design_unit);
    Text line_feeds = Take_Linefeeds(design_unit);
    return Format("%s%s%s%s", design_file, line_feeds, Text_Ref{"USE STD.TEXTIO.ALL;", 19}, design_unit);
}

void Print_Design(const Text& design) {
    std::fputs("USE STD.TEXTIO.ALL;", stdout);
    Write_Text(stdout, design);
}
