// The count list of corvane_viru: one node per distinct line number, the
// number seen last for the first time at the front.
//
// The list alone would make every lookup a walk from the front, so each
// node is also entered in an index from line number to node: small
// non-negative numbers (the usual source lines) in a dense table, all other
// numbers in an open-addressing hash table. Both grow with the number of
// distinct line numbers, never with the length of the trace.
#pragma once

#include <cstdint>

struct stack_node {
    int line;
    // 64 bits: one statement of a long simulation runs more than INT_MAX
    // times.
    std::int64_t occurrences;
    stack_node* next;
};

extern stack_node* stack;

// A node with that line, occurrences 1 and no next. When the memory runs
// out, the allocation message is written and the run ends with status 255.
stack_node* New_Stack_Node(int line);

// The node of that line number; null if there is none.
stack_node* Search_For_Line_Number(int line);

// Counts one occurrence of the line number.
void Push_Stack(int line);

// Takes the first node off the list and releases it. Returns false, leaving
// both out-parameters as they were, when the list is empty; no line number
// is set aside to mark the end.
bool Pop_Stack(int& line, std::int64_t& occurrences);
