// The flow of control through the body of a process or subprogram, as far as
// the counters that the body keeps in memory need it. The parser reports the
// body's counters, writes and jumps in the order it reduces them, and its
// statement sequences as they open and close; when the body ends, each write
// learns which counters may have changed since the last write before it, on
// any path. A write then looks at those counters only, not at every counter
// of a large process.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace flow {

// Brackets one body, from its construct's head to its end; bodies nest
// (a subprogram declared in a process). Drop_Body: a declaration without body.
void Begin_Body();
void Drop_Body();

// A statement sequence opens (its statements follow), and the compound
// statements that close their sequences: the arms of an if or case (the
// topmost "arms" sequences, in their order) and the body of a loop.
// True when the sequence is the body's own.
bool Open_Sequence();
// then_counter, when not -1, counts the first arm; without has_else, the
// else that the if does not write is an arm of its own after the written
// ones, counted by else_counter unless it is -1.
void End_If(int arms, int then_counter, int else_counter, bool has_else);
void End_Case(int arms);
// A loop whose condition is tested at its head (for, while) may end there;
// a plain loop ends only by an exit. label: the loop's label, lower case, or "".
void End_Loop(bool ends_at_head, const std::string& label);

// The points of the innermost open sequence. A counter, by its number; at_front:
// it counts the arm or body whose sequence has just closed, before its first statement.
void Counter(int id, bool at_front = false);
// A write of the changed counters, by its number: they are zero after it.
void Write(int point);
// The counter that an open sequence ends with (from_top: the sequence that
// many open below the innermost), or -1: a statement after it runs exactly
// as often. Ifs, cases and loops with a scheme after the counter do not
// count, when they hold no write, jump or return: control comes out after
// them as often as it went in. And the counter that an open sequence
// begins with, or -1: it runs exactly as often as the sequence starts.
int Last_Counter(size_t from_top = 0);
int First_Counter(size_t from_top);
// An exit or next statement (label "" for the innermost loop); conditional:
// it may also go on to the next statement.
void Jump(bool is_exit, const std::string& label, bool conditional);
// A return: control leaves the body (its write comes first).
void Leave();

// The end of the innermost body, whose sequence is the one on top; the
// counters it owns are numbered first to last, and loops_back says that
// control goes back to its start after its end (a process). Gives each of
// its writes the ranges of counters it must look at; false when the body's
// structure did not add up, and every write must then look at all of them.
using Ranges = std::vector<std::pair<int, int>>;
bool End_Body(int first, int last, bool loops_back, std::vector<std::pair<int, Ranges>>& writes);

}  // namespace flow
