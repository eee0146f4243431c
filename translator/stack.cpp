#include "stack.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

stack_node* stack = nullptr;

stack_node* New_Stack_Node(const Text& name) {
    stack_node* node = static_cast<stack_node*>(std::malloc(sizeof(stack_node)));
    std::string s = Text_String(name);
    size_t lf = s.find_first_not_of('\n');
    s.erase(0, lf == std::string::npos ? s.size() : lf);
    char* copy = node ? static_cast<char*>(std::malloc(s.size() + 1)) : nullptr;
    if (!copy) {
        std::fputs("\n\nERROR: Cannot allocate memory for a NEW 'stack_node'...\n", stdout);
        std::exit(255);
    }
    std::memcpy(copy, s.c_str(), s.size() + 1);
    node->name = copy;
    node->next = nullptr;
    return node;
}

void Push_Stack(const Text& name) {
    stack_node* node = New_Stack_Node(name);
    node->next = stack;
    stack = node;
}

void Pop_Stack() {
    if (!stack) return;
    stack_node* top = stack;
    stack = top->next;
    std::free(top->name);
    std::free(top);
}

std::string Return_Filename() {
    std::vector<const stack_node*> nodes;
    for (const stack_node* n = stack; n; n = n->next) nodes.push_back(n);
    std::string joined;
    for (size_t i = nodes.size(); i-- > 0;) {
        joined += nodes[i]->name;
        if (i) joined += ':';
    }
    return joined;
}
