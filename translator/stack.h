// The name stack: the names of the enclosing processes, blocks and
// subprograms, from which each construct's line-trace file is named.
#pragma once

#include <string>

#include "text.h"

struct stack_node {
    char* name;  // without the line feeds that began the token
    stack_node* next;
};

extern stack_node* stack;

stack_node* New_Stack_Node(const Text& name);
void Push_Stack(const Text& name);
// Removes the top name; nothing happens on an empty stack.
void Pop_Stack();
// The names joined by ":", from the outermost to the innermost.
std::string Return_Filename();
