#include "stack.h"

#include <cstdio>
#include <cstdlib>

stack_node* stack = nullptr;

namespace {

// Line numbers 0 to dense_limit - 1 have their node at dense_index[line];
// the table is widened by doubling as larger numbers come, so a trace of a
// design of a million lines costs at most 8 MiB here.
constexpr int dense_limit = 1 << 20;
stack_node** dense_index = nullptr;
int dense_size = 0;

// Every other number (negative, or a million and more) lives in a hash
// table with linear probing, kept at most half full. A null node marks a
// free slot.
struct hash_slot {
    int line;
    stack_node* node;
};
hash_slot* hash_index = nullptr;
unsigned hash_bits = 0;
unsigned hash_used = 0;

[[noreturn]] void Out_Of_Memory() {
    std::fputs("\n\nERROR: Cannot allocate memory for a NEW 'stack_node'...\n", stdout);
    std::exit(-1);
}

unsigned Hash_Of(int line) {
    // Fibonacci hashing: the top bits of the product spread neighbouring
    // numbers over the whole table.
    return (static_cast<unsigned>(line) * 2654435769u) >> (32 - hash_bits);
}

unsigned Hash_Mask() { return (1u << hash_bits) - 1; }

// The slot holding the line number, or the free slot where it belongs.
hash_slot* Hash_Find(int line) {
    unsigned i = Hash_Of(line);
    while (hash_index[i].node != nullptr && hash_index[i].line != line) {
        i = (i + 1) & Hash_Mask();
    }
    return &hash_index[i];
}

void Hash_Grow() {
    hash_slot* old = hash_index;
    unsigned old_size = old == nullptr ? 0 : 1u << hash_bits;
    unsigned bits = old == nullptr ? 10 : hash_bits + 1;
    if (bits > 31) {
        Out_Of_Memory();
    }
    auto* grown = static_cast<hash_slot*>(std::calloc(std::size_t{1} << bits, sizeof(hash_slot)));
    if (grown == nullptr) {
        Out_Of_Memory();
    }
    hash_index = grown;
    hash_bits = bits;
    for (unsigned i = 0; i < old_size; ++i) {
        if (old[i].node != nullptr) {
            *Hash_Find(old[i].line) = old[i];
        }
    }
    std::free(old);
}

// Removes the line's slot and moves later slots of the same probe run back,
// so that no lookup stops early at the hole.
void Hash_Remove(int line) {
    hash_slot* slot = Hash_Find(line);
    if (slot->node == nullptr) {
        return;
    }
    unsigned hole = static_cast<unsigned>(slot - hash_index);
    unsigned i = hole;
    for (;;) {
        i = (i + 1) & Hash_Mask();
        if (hash_index[i].node == nullptr) {
            break;
        }
        unsigned home = Hash_Of(hash_index[i].line);
        // The entry may fill the hole unless its home lies cyclically in
        // (hole, i].
        bool home_after_hole = hole <= i ? (hole < home && home <= i) : (hole < home || home <= i);
        if (!home_after_hole) {
            hash_index[hole] = hash_index[i];
            hole = i;
        }
    }
    hash_index[hole].node = nullptr;
    --hash_used;
}

void Dense_Grow(int line) {
    int size = dense_size == 0 ? 4096 : dense_size;
    while (size <= line) {
        size *= 2;
    }
    auto* grown = static_cast<stack_node**>(std::realloc(dense_index, sizeof(stack_node*) * size));
    if (grown == nullptr) {
        Out_Of_Memory();
    }
    for (int i = dense_size; i < size; ++i) {
        grown[i] = nullptr;
    }
    dense_index = grown;
    dense_size = size;
}

bool Is_Dense(int line) { return line >= 0 && line < dense_limit; }

void Enter_In_Index(stack_node* node) {
    if (Is_Dense(node->line)) {
        if (node->line >= dense_size) {
            Dense_Grow(node->line);
        }
        dense_index[node->line] = node;
        return;
    }
    if (hash_index == nullptr || 2 * (hash_used + 1) > (1u << hash_bits)) {
        Hash_Grow();
    }
    *Hash_Find(node->line) = hash_slot{node->line, node};
    ++hash_used;
}

void Release_Index() {
    std::free(dense_index);
    dense_index = nullptr;
    dense_size = 0;
    std::free(hash_index);
    hash_index = nullptr;
    hash_bits = 0;
    hash_used = 0;
}

}  // namespace

stack_node* New_Stack_Node(int line) {
    auto* node = static_cast<stack_node*>(std::malloc(sizeof(stack_node)));
    if (node == nullptr) {
        Out_Of_Memory();
    }
    node->line = line;
    node->occurrences = 1;
    node->next = nullptr;
    return node;
}

stack_node* Search_For_Line_Number(int line) {
    if (Is_Dense(line)) {
        return line < dense_size ? dense_index[line] : nullptr;
    }
    return hash_index == nullptr ? nullptr : Hash_Find(line)->node;
}

void Push_Stack(int line) {
    stack_node* node = Search_For_Line_Number(line);
    if (node != nullptr) {
        ++node->occurrences;
        return;
    }
    node = New_Stack_Node(line);
    Enter_In_Index(node);
    node->next = stack;
    stack = node;
}

bool Pop_Stack(int& line, std::int64_t& occurrences) {
    stack_node* first = stack;
    if (first == nullptr) {
        return false;
    }
    line = first->line;
    occurrences = first->occurrences;
    if (Is_Dense(line)) {
        dense_index[line] = nullptr;
    } else {
        Hash_Remove(line);
    }
    stack = first->next;
    std::free(first);
    if (stack == nullptr) {
        Release_Index();
    }
    return true;
}
