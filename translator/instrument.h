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
// The statement whose Line_Trace_Statement was just made, with its count in
// front of its first token in exact mode (first_line: that token's line);
// the statement as it is otherwise.
Text Counted_Statement(int first_line, Text statement);
// The first word of an exit, next, null, procedure call or return statement,
// consumed: behind its line feeds, indented, with the statement's trace in
// front of it.
Text Traced_Opening(const char* kind, Text first_word);
// An assertion's condition (line: the line of "assert", severity: its
// severity clause or empty). In exact mode a concurrent one is counted, and
// a sequential one whose severity may end the simulation writes the counts.
Text Assertion_Condition(Text condition, int line, const Text& severity);
// A report statement's severity clause, read before its count.
void Report_Severity(const Text& severity);
// Branches in exact mode (the texts as they are otherwise): the body of an
// elsif or else arm of an if, or of a case alternative, with its count.
Text If_Arm(const char* arm, Text body);
Text Case_Arm(Text body);
// The end of an if: then_body gets its count, and the text returned (an else
// and its count when else_part is empty) goes where else_part stands.
Text End_Of_If(Text& then_body, const Text& else_part);
void End_Of_Case();
void End_Of_If_Generate();
// A case-generate (2008) took one of the scanner's case keywords: it has no
// arms, and no end case closes it.
void End_Of_Case_Generate();
// The condition of an exit or next (kind) or of a while, whose arms exact
// mode counts; line is the statement's first line.
Text Two_Way_Condition(const char* kind, Text condition, int line);
// The end of an exit or next statement (its loop label or empty): the text
// to put after it.
Text End_Of_Jump(const char* kind, const Text& label);
// Loops: the scheme has been read (plain: none); at the end, the body and
// the label, and the text to put after the loop.
void Loop_Scheme(bool plain);
Text End_Of_Loop(Text& body, const Text& label);
// A sequence of statements begins.
void Open_Sequence();
// A condition of a conditional assignment in sequential code (2008) and
// its word when, counted in exact mode; the end of the statement, after its
// count (kind: the kind of its branches in the map).
Text Sequential_Condition(Text condition, const Text& when_word);
void End_Of_Conditional_Assignment(const char* kind);
// Concurrent signal assignments in exact mode (as they are otherwise):
// target_line is the line of the target, options the text of "guarded" or
// "transport". The condition of a "when", the first one or a later one:
Text Concurrent_Condition(Text condition, bool first, int target_line, const Text& options);
// The last waveform: the whole of an assignment without "when", or the one
// behind the final "else".
Text Concurrent_Waveform(Text waveform, bool unconditional, int target_line, const Text& options);
// The condition of a last waveform (VHDL-93, no final else): counted as a
// "when", and the executions that no "when" took as the assignment's else.
Text Concurrent_Final_Condition(Text condition, bool first, int target_line, const Text& options);
void End_Of_Concurrent_Assignment();
// The label of the concurrent assertion or signal assignment just ended.
void Label_Concurrent_Statement(const Text& label);
// A sequential statement with a label (VHDL-93), both consumed: in exact
// mode its count goes in front of the label, so that the label stays the
// statement's.
Text Labelled_Statement(Text label, Text statement);
// The word "begin" of a process or subprogram body that has just ended,
// in exact mode behind the declaration of the body's counters and followed
// by the count of its starts or calls. body_end: the text to put after the
// body's statements (writes_at_end: a subprogram, or a process with a
// sensitivity list).
Text Body_Start(Text begin_word, Text& body_end, bool writes_at_end);

// "-m": where the statement map goes; empty when no map is wanted.
extern std::string map_file_name;
// "-a": subprograms keep one trace over all their calls.
extern bool accumulation_mode;
// "--exact": one trace file per design file, the counts in front of the
// statements (exact.h).
extern bool exact_mode;
// Called once the options are read: the map and the accumulation mode need
// the constructs recorded; without them nothing is recorded.
void Start_Instrumentation();

enum Construct_Kind { PROCESS_CONSTRUCT, PROCEDURE_CONSTRUCT, FUNCTION_CONSTRUCT };

// Bracket the processes and subprograms, from their head to their end;
// head_line is the source line of the head, for the statement map; own_name
// is the label or designator (empty for an unlabelled process).
void Enter_Sequential_Code(Construct_Kind kind, int head_line, const Text& own_name);
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
