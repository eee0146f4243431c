// The count list of corvane_viru: one node per distinct line number, the
// number seen last for the first time at the front.
//
// The list alone would make every lookup a walk from the front, so a node
// is also found from its number directly: the nodes of numbers from 0 to
// just over a million (the usual source lines) have fixed places in a region
// the system fills in where it is touched, and are counted in a compact
// array of tallies beside it; every other number is entered in a hash table.
// Both grow with the distinct line numbers, never with the length of the
// trace.
#pragma once

#include <cstddef>
#include <cstdint>

struct stack_node {
    int line;
    // 64 bits: one statement of a long simulation runs more than INT_MAX
    // times.
    std::int64_t occurrences;
    stack_node* next;
};

extern stack_node* stack;

// A node with that line, occurrences 1 and no next, for a number that has
// no node yet; Search_For_Line_Number finds it from now on. When the memory
// runs out, the allocation message is written and the run ends with status
// 255.
stack_node* New_Stack_Node(int line);

// The node of that line number; null if there is none.
stack_node* Search_For_Line_Number(int line);

// Counts one occurrence of the line number.
void Push_Stack(int line);

// Counts count occurrences of the line number at once (count at least 1).
void Add_Stack(int line, std::int64_t count);

// Push_Stack of each number in turn. The index entries of the numbers a few
// places ahead are fetched early, so that with many distinct numbers the
// cache misses of several lookups overlap instead of following each other.
void Push_Stack_Lines(const int* lines, std::size_t count);

// Takes the first node off the list and releases it. Returns false, leaving
// both out-parameters as they were, when the list is empty; no line number
// is set aside to mark the end.
bool Pop_Stack(int& line, std::int64_t& occurrences);
