// The profiling text inserted into processes and subprogram bodies.
#pragma once

#include <string>

#include "text.h"

// Parts of the line-trace file names: "-d", "-f", and the construct's name.
extern std::string directory_name;
extern std::string filename_name;
extern std::string function_name;

// The declaration of the construct's line-trace file, named from
// directory_name, filename_name and function_name.
Text Trace_File_Declaration();

// The statement that writes current_line_number into the line-trace file;
// kind names the statement in the statement map (signal_assign, wait, ...).
// Outside processes and subprogram bodies (a concurrent assertion or
// procedure call) nothing is counted and the text is empty.
Text Line_Trace_Statement(const char* kind);

// "-m": where the statement map goes; empty when no map is wanted.
extern std::string map_file_name;
// "-a": subprograms keep one trace over all their calls.
extern bool accumulation_mode;
// Called once the options are read: the map and the accumulation mode need
// the constructs recorded; without them nothing is recorded.
void Start_Instrumentation();

enum Construct_Kind { PROCESS_CONSTRUCT, PROCEDURE_CONSTRUCT, FUNCTION_CONSTRUCT };

// Bracket the processes and subprograms, from their head to their end;
// head_line is the source line of the head, for the statement map.
void Enter_Sequential_Code(Construct_Kind kind, int head_line);
void Leave_Sequential_Code();

// The end of a process or subprogram: its name leaves the name stack if its
// head pushed one (an unlabelled process or an operator function pushed none).
void End_Of_Construct(unsigned head_flags);
// The end of a subprogram declaration without a body: it has no trace file.
void End_Of_Declaration(unsigned head_flags);

// True when the subprogram body that has just ended keeps its trace file in
// the enclosing declarative part (accumulation mode). Trace_File_Declaration
// then gives only its two variables, and Enclosing_Trace_File_Declaration the
// file, which the enclosing region opens once when it is elaborated instead
// of the subprogram at every call.
bool Accumulates_Calls();
Text Enclosing_Trace_File_Declaration();

// Writes the statement map of the design just printed: one line per
// trace-file declaration and per line-trace statement, in the order of the
// output. False when the file cannot be written.
bool Write_Statement_Map(const std::string& path);

// Rule 3: a design unit after the first whose library unit is a primary unit
// gets its own "USE STD.TEXTIO.ALL;", after its leading line feeds, since a
// use clause reaches only the unit it stands in front of.
Text Join_Design_Unit(Text design_file, Text design_unit);
