// Exact mode (--exact): one trace file per design file, written by a small
// package that the output declares on its first line and whose body follows
// the design. Each process and subprogram call counts its statements and
// branches in a variable of its own (corvane_c, one element a counter) and
// writes the counts that changed, once, in front of each point after which
// the simulation may stop before it runs again: a wait, a procedure call, a
// return, the end of a subprogram or of a process with a sensitivity list,
// and an assertion or report that may end the simulation. Concurrent
// statements write at each execution.
//
// A counting point is named by its key: the source line it stands on, and
// when it is not the first point of that line, its ordinal on it ("42",
// "42.2"). A write is a line of counters, each its keys joined by commas
// and ":COUNT" unless it counted 1 (a write of few counters that each
// counted 0 or 1 writes a line made beforehand, with one call); a
// concurrent statement writes its key alone.
#pragma once

#include <string>

#include "instrument.h"
#include "text.h"

extern bool exact_mode;

// The package's name made from the -f name: "corvane_" and the name in lower
// case. False when that is no VHDL identifier, or the trace path cannot be a
// VHDL string; error then says why.
bool Exact_Names_Valid(std::string& error);

// The package: the text of the output's first line; its body, with the
// tables of the counters, follows the design.
std::string Exact_Package();
std::string Exact_Package_Body();
// The use clause that opens each design unit, so that its counts reach the
// package through a name the design cannot hide.
std::string Exact_Use_Clause();

// Constructs: processes and subprograms from head to end; a concurrent
// statement from its first counting point to its reduction.
void Exact_Open(Construct_Kind kind, int head_line, const std::string& own_name);
// The end of the innermost process or subprogram: path is the name stack as
// joined at its end, which holds its own name when it pushed one.
void Exact_Close(const std::string& path, bool named);
// A subprogram declaration without a body is no construct.
void Exact_Drop();

// The count of a new counting point on line, to put in front of the
// statement ("corvane_c (7) := corvane_c (7) + 1; "), followed by a write of
// the changed counts when the statement may suspend or end the simulation;
// kind names the statement in the map. Outside processes and subprograms
// nothing is counted.
Text Exact_Count_Text(const char* kind, int line);
// The length of the text that Exact_Count_Text put in front of statement,
// 0 when it begins with none.
size_t Exact_Count_Length(const Text& statement);
// The severity clause of a sequential assertion or report statement, read
// before its count: a severity that may end the simulation asks for a
// write in front of the statement.
void Exact_Severity(const Text& severity);
// A statement sequence opens; the body's own gets the count of its starts.
void Exact_Open_Sequence();
// The end of the closed construct's body: the declaration of its counters
// and the count of its starts or calls after begin; body_end gets the write
// at its end when it has one (a subprogram, a process with a sensitivity list).
Text Exact_Body_Start(Text begin_word, Text& body_end, bool writes_at_end);

// Branches: every arm of an if (then, each elsif, else written or not) and
// of a case counts when it is taken, with the line of its if or case. The
// arm's body with its count in front; an elsif's or else's at its own end:
Text Exact_If_Arm(const char* arm, Text body);
// At the end of the if: the then arm's body gets its count, and an if
// without else gets one ("else" and its count) to put before "end if".
Text Exact_End_Of_If(Text& then_body, bool has_else);
Text Exact_Case_Arm(Text body);
void Exact_End_Of_Case();
// An if-generate took one of the scanner's if keywords: it has no arms.
void Exact_End_Of_If_Generate();
// The condition of an exit or next (kind), or of a while: left as it is,
// the arms are counted by the statement's end and the loop's.
Text Exact_Two_Way(const char* kind, Text condition, int line);
// An exit or next has ended (label: its loop label, or empty): the count of
// its not-taken arm follows it when it has a condition.
Text Exact_End_Of_Jump(const char* kind, const Text& label);
// A loop's scheme has been read (plain: none); at its end, its label: a
// while loop counts its true arm first in body, and the text returned, put
// after the loop, counts its completions.
void Exact_Loop_Scheme(bool plain);
Text Exact_End_Of_Loop(Text& body, const Text& label);

// A condition of a conditional assignment in sequential code (2008), the
// line its "when" stands on: counted when it holds, by a write at once. At
// the end of the statement (kind: its branches' kind in the map), the else,
// written or not, counts the executions that took no when.
Text Exact_Sequential_Condition(Text condition, int line);
void Exact_End_Of_Conditional_Assignment(const char* kind);

// Concurrent statements. A signal assignment: the condition of its k-th
// "when" (first: k = 1), or the whole waveform of an unconditional one.
Text Exact_Condition(Text condition, int line, bool first, bool guarded);
Text Exact_Unconditional(Text waveform, int line, bool guarded);
void Exact_Final_Else(int line);
// A concurrent assertion's condition.
Text Exact_Assertion_Condition(Text condition, int line);
// The end of the concurrent statement; a label renames it.
void Exact_Close_Concurrent(const char* kind, const char* default_name);
void Exact_Label_Concurrent(const Text& label);

bool Exact_Write_Map(const std::string& path);
