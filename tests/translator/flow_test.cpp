// The flow of a body, as the translator reports it, against the counters
// each write must look at. A body is written as a list of events, one a
// word:
//   (      a sequence opens          c3   counter 3
//   w1     write 1                   x / xc / xL   exit (conditional, to loop L)
//   n / nc next (conditional)        r    return
//   if2,T,E  an if of 2 written arms (T: the then counter or -; E: - when it
//            writes its else, else the counter of the else it does not
//            write, or x when that else has none)
//   case3    a case of 3 arms        loop / for / loopL / forL  the end of a
//            plain loop or one that may end at its head, labelled L
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "flow.h"

namespace {

using Writes = std::vector<std::pair<int, flow::Ranges>>;

struct Body {
    const char* name;
    const char* events;
    int first, last;
    bool loops_back;
    bool ok;
    Writes writes;
};

int Number(const std::string& s) { return s == "-" || s == "x" ? -1 : std::stoi(s); }

// The events of a body, as the translator reports them, into the open body.
void Report(const char* events) {
    std::istringstream in(events);
    std::string e;
    while (in >> e) {
        if (e == "(") {
            flow::Open_Sequence();
        } else if (e[0] == 'c' && e.compare(0, 4, "case") != 0) {
            flow::Counter(std::stoi(e.substr(1)));
        } else if (e[0] == 'w') {
            flow::Write(std::stoi(e.substr(1)));
        } else if (e[0] == 'x' || e[0] == 'n') {
            bool conditional = e.size() > 1 && e[1] == 'c';
            flow::Jump(e[0] == 'x', e.substr(conditional ? 2 : 1), conditional);
        } else if (e == "r") {
            flow::Leave();
        } else if (e.compare(0, 2, "if") == 0) {
            std::istringstream parts(e.substr(2));
            std::string arms, then_counter, else_counter;
            std::getline(parts, arms, ',');
            std::getline(parts, then_counter, ',');
            std::getline(parts, else_counter, ',');
            flow::End_If(std::stoi(arms), Number(then_counter), else_counter == "x" ? -1 : Number(else_counter),
                         else_counter == "-");
        } else if (e.compare(0, 4, "case") == 0) {
            flow::End_Case(std::stoi(e.substr(4)));
        } else if (e.compare(0, 4, "loop") == 0) {
            flow::End_Loop(false, e.substr(4));
        } else if (e.compare(0, 3, "for") == 0) {
            flow::End_Loop(true, e.substr(3));
        } else {
            ADD_FAILURE() << "unknown event " << e;
        }
    }
}

bool Run_Body(const Body& b, Writes& writes) {
    flow::Begin_Body();
    Report(b.events);
    return flow::End_Body(b.first, b.last, b.loops_back, writes);
}

TEST(Flow, EachWriteLooksAtTheCountersChangedSinceTheWritesBeforeIt) {
    const std::vector<Body> bodies = {
        {"straight, a write resets", "( c0 w0 c1 w1", 0, 1, false, true, {{0, {{0, 0}}}, {1, {{1, 1}}}}},
        {"a process goes back to its start after its end", "( c0 c1 w0 c2", 0, 2, true, true, {{0, {{0, 2}}}}},
        {"a subprogram does not", "( c0 c1 w0 c2 w1", 0, 2, false, true, {{0, {{0, 1}}}, {1, {{2, 2}}}}},
        // The write in the loop sees the counters after it from the turns before.
        {"a write in a loop", "( c0 ( c1 w0 c2 for c3 w1", 0, 3, false, true,
         {{0, {{0, 2}}}, {1, {{0, 0}, {2, 3}}}}},
        {"a write in one arm of an if", "( c0 ( c1 w0 ( c2 if2,-,- c3 w1", 0, 3, false, true,
         {{0, {{0, 1}}}, {1, {{0, 0}, {2, 3}}}}},
        {"the counters of the then arm and of an else the if does not write",
         "( c0 ( w0 ( c2 w1 if2,1,3 w2", 0, 3, false, true,
         {{0, {{0, 1}}}, {1, {{0, 0}, {2, 2}}}, {2, {{0, 0}, {3, 3}}}}},
        // c0 reaches the write after the if also past its arms, through the
        // else it does not write, counted or not.
        {"an else the if does not write, without a count", "( c0 ( c1 w0 if1,-,x w1", 0, 1, false, true,
         {{0, {{0, 1}}}, {1, {{0, 0}}}}},
        {"a case: every arm", "( ( c0 ( c1 w0 ( c2 case3 w1", 0, 2, false, true,
         {{0, {{1, 1}}}, {1, {{0, 0}, {2, 2}}}}},
        // A plain loop ends by its exit only: after it come the counters
        // changed on the way to the exit, from every turn.
        {"the exit of a plain loop", "( c0 ( c1 xc c2 loop c3 w0", 0, 3, false, true, {{0, {{0, 3}}}}},
        // c1 never runs, but it is taken as coming back to the loop's head:
        // a write may look at more than it needs, never at less.
        {"an unconditional exit", "( ( c0 x c1 loop w0", 0, 1, false, true, {{0, {{0, 1}}}}},
        {"a labelled exit leaves the outer loop", "( ( ( c0 xcouter c1 for c2 loopouter w0", 0, 2, false, true,
         {{0, {{0, 2}}}}},
        {"next goes back to the loop's head", "( c0 ( c1 w0 c2 nc c3 for w1", 0, 3, false, true,
         {{0, {{0, 3}}}, {1, {{0, 0}, {2, 3}}}}},
        {"a return leaves the body", "( c0 w0 r c1 w1", 0, 1, false, true, {{0, {{0, 0}}}, {1, {{1, 1}}}}},
        {"a write no path reaches looks at nothing", "( c0 w0 r w1", 0, 0, false, true, {{0, {{0, 0}}}, {1, {}}}},
        // What did not add up: the writes must look at every counter.
        {"an if with more arms than sequences", "( c0 ( if3,-,- w0", 0, 0, false, false, {}},
        {"an exit outside any loop", "( c0 x w0", 0, 0, false, false, {}},
        {"an exit to a label no loop has", "( ( c0 xcnone for w0", 0, 0, false, false, {}},
        {"a counter of another body", "( c0 c7 w0", 0, 0, false, false, {}},
        {"a sequence left open", "( c0 ( w0", 0, 0, false, false, {}},
    };
    for (const Body& b : bodies) {
        Writes writes;
        EXPECT_EQ(Run_Body(b, writes), b.ok) << b.name;
        EXPECT_EQ(writes, b.writes) << b.name;
    }
}

// Bodies nest: a subprogram declared in a process ends before the process's
// own statements begin, and a declaration without body leaves nothing.
TEST(Flow, BodiesNest) {
    flow::Begin_Body();  // the process
    flow::Begin_Body();  // a declaration
    flow::Drop_Body();
    flow::Begin_Body();  // a procedure
    flow::Open_Sequence();
    flow::Counter(0);
    flow::Write(0);
    Writes inner;
    EXPECT_TRUE(flow::End_Body(0, 0, false, inner));
    EXPECT_EQ(inner, (Writes{{0, {{0, 0}}}}));
    flow::Open_Sequence();
    flow::Counter(1);
    flow::Write(1);
    Writes outer;
    EXPECT_TRUE(flow::End_Body(1, 1, true, outer));
    EXPECT_EQ(outer, (Writes{{1, {{1, 1}}}}));
}

}  // namespace

// Loops nested 40 deep, a counter in each: the sets of the loops' heads
// grow to all the counters in a few turns, so the inner loops are gone
// through again a few times only, and the write after them sees every one.
std::string Nested_Loops(int depth) {
    std::string events = "(";
    for (int d = 0; d < depth; d++) events += " ( c" + std::to_string(d);
    for (int d = 0; d < depth; d++) events += " for";
    return events + " w0";
}

TEST(Flow, LoopsNestedDeep) {
    Writes writes;
    std::string events = Nested_Loops(40);
    EXPECT_TRUE(Run_Body(Body{"forty", events.c_str(), 0, 39, true, true, {}}, writes));
    EXPECT_EQ(writes, (Writes{{0, {{0, 39}}}}));
}

// The counter a statement joins: the last of its sequence, past ifs, cases
// and loops with a scheme that hold no write, jump or return (control comes
// out after them as often as it went in); -1 where it needs its own.
TEST(Flow, TheCounterAStatementJoins) {
    const std::vector<std::pair<const char*, int>> sequences = {
        {"( c0", 0},
        {"( c0 w0", -1},
        {"( c0 ( c1 ( c2 if2,-,-", 0},
        {"( c0 ( c1 ( c2 if2,-,- ( c3 case1", 0},
        {"( c0 ( c1 for", 0},
        {"( c0 ( c1 ( c2 if2,-,- for", 0},
        {"( c0 ( c1 w0 ( c2 if2,-,-", -1},
        {"( c0 ( c1 xc for", -1},
        {"( c0 ( c1 ( r if2,-,-", -1},
        {"( c0 ( c1 loop", -1},
        {"( ( c1 ( c2 if2,-,-", -1},
        {"( c0 ( c1 for c2", 2},
    };
    for (const auto& s : sequences) {
        flow::Begin_Body();
        Report(s.first);
        EXPECT_EQ(flow::Last_Counter(), s.second) << s.first;
        Writes writes;
        flow::End_Body(0, 9, false, writes);
    }
}
