#include "stack.h"

#include <cstdio>
#include <cstdlib>

stack_node* stack = nullptr;

namespace {

// The nodes of line numbers 0 to dense_limit - 1 (the usual source lines)
// have fixed places in pages of page_size nodes, made when a number of the
// page is first counted: the node of such a number is found by arithmetic,
// and nodes of neighbouring numbers share cache lines. A place whose
// occurrences are 0 holds no node.
constexpr int dense_limit = 1 << 20;
constexpr int page_bits = 6;
constexpr int page_size = 1 << page_bits;
stack_node* dense_pages[dense_limit / page_size];

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

bool Is_Dense(int line) { return line >= 0 && line < dense_limit; }

// The place of a small line number's node; the page is made if need be.
stack_node* Dense_Place(int line) {
    stack_node*& page = dense_pages[line >> page_bits];
    if (page == nullptr) {
        page = static_cast<stack_node*>(std::calloc(page_size, sizeof(stack_node)));
        if (page == nullptr) {
            Out_Of_Memory();
        }
    }
    return &page[line & (page_size - 1)];
}

void Release_Index() {
    for (stack_node*& page : dense_pages) {
        std::free(page);
        page = nullptr;
    }
    std::free(hash_index);
    hash_index = nullptr;
    hash_bits = 0;
    hash_used = 0;
}

}  // namespace

stack_node* New_Stack_Node(int line) {
    stack_node* node;
    if (Is_Dense(line)) {
        node = Dense_Place(line);
    } else {
        node = static_cast<stack_node*>(std::malloc(sizeof(stack_node)));
        if (node == nullptr) {
            Out_Of_Memory();
        }
        if (hash_index == nullptr || 2 * (hash_used + 1) > (1u << hash_bits)) {
            Hash_Grow();
        }
        *Hash_Find(line) = hash_slot{line, node};
        ++hash_used;
    }
    node->line = line;
    node->occurrences = 1;
    node->next = nullptr;
    return node;
}

stack_node* Search_For_Line_Number(int line) {
    if (Is_Dense(line)) {
        stack_node* page = dense_pages[line >> page_bits];
        if (page == nullptr || page[line & (page_size - 1)].occurrences == 0) {
            return nullptr;
        }
        return &page[line & (page_size - 1)];
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
    stack = first->next;
    if (Is_Dense(line)) {
        // The place stays; its page goes with the last node.
        first->occurrences = 0;
    } else {
        Hash_Remove(line);
        std::free(first);
    }
    if (stack == nullptr) {
        Release_Index();
    }
    return true;
}

void Push_Stack_Lines(const int* lines, std::size_t count) {
    // How far ahead the node of a number is fetched.
    constexpr std::size_t ahead = 16;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + ahead < count) {
            int later = lines[i + ahead];
            if (Is_Dense(later) && dense_pages[later >> page_bits] != nullptr) {
                __builtin_prefetch(&dense_pages[later >> page_bits][later & (page_size - 1)]);
            }
        }
        // The usual case, a number already counted, without the call.
        int line = lines[i];
        if (Is_Dense(line) && dense_pages[line >> page_bits] != nullptr) {
            stack_node* node = &dense_pages[line >> page_bits][line & (page_size - 1)];
            if (node->occurrences != 0) {
                ++node->occurrences;
                continue;
            }
        }
        Push_Stack(line);
    }
}
