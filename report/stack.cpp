#include "stack.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <sys/mman.h>

stack_node* stack = nullptr;

namespace {

// The nodes of line numbers 0 to dense_limit - 1 (the usual source lines)
// have fixed places in one region of memory, and their counting is done in
// a second region of 32-bit tallies, one per number: counting a line touches
// 4 bytes of a compact array instead of its node, so that numbers spread
// over a wide range stay in the caches. Both regions are reserved when the
// first such number is counted, filled in by the system only where touched,
// and ask for large pages, so that address translation does not wait at
// every line either.
//
// A tally of 0 means the number has no node. Otherwise the number's count is
// the node's occurrences plus its tally minus 1; Sync_Tally folds the tally
// into the node, so that a node given out by Search_For_Line_Number or taken
// by Pop_Stack holds the whole count, and a tally about to overflow is
// folded in the same way.
constexpr int dense_limit = 1 << 20;
constexpr std::size_t dense_bytes = sizeof(stack_node) * dense_limit;
constexpr std::size_t tally_bytes = sizeof(std::uint32_t) * dense_limit;
stack_node* dense_nodes = nullptr;
std::uint32_t* tallies = nullptr;

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

// The line numbers of the list from its last node to its first: the list
// is only ever added to and taken from at the front, so this is the order
// in which its nodes were added. It tells Pop_Stack which nodes come next,
// so that their fetches can start early instead of waiting on each next
// pointer in turn.
int* order = nullptr;
std::size_t order_size = 0;
std::size_t order_capacity = 0;

void Order_Append(int line) {
    if (order_size == order_capacity) {
        std::size_t capacity = order_capacity == 0 ? 1024 : 2 * order_capacity;
        int* grown = static_cast<int*>(std::realloc(order, capacity * sizeof(int)));
        if (grown == nullptr) {
            Out_Of_Memory();
        }
        order = grown;
        order_capacity = capacity;
    }
    order[order_size++] = line;
}

void* Reserve_Region(std::size_t bytes) {
    void* region = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) {
        Out_Of_Memory();
    }
#ifdef MADV_HUGEPAGE
    madvise(region, bytes, MADV_HUGEPAGE);
#endif
    return region;
}

// The place of a small line number's node; the regions are made if need be.
stack_node* Dense_Place(int line) {
    if (dense_nodes == nullptr) {
        dense_nodes = static_cast<stack_node*>(Reserve_Region(dense_bytes));
        tallies = static_cast<std::uint32_t*>(Reserve_Region(tally_bytes));
    }
    return &dense_nodes[line];
}

void Sync_Tally(int line) {
    dense_nodes[line].occurrences += tallies[line] - 1;
    tallies[line] = 1;
}

void Release_Index() {
    if (dense_nodes != nullptr) {
        munmap(dense_nodes, dense_bytes);
        munmap(tallies, tally_bytes);
        dense_nodes = nullptr;
        tallies = nullptr;
    }
    std::free(hash_index);
    hash_index = nullptr;
    hash_bits = 0;
    hash_used = 0;
    std::free(order);
    order = nullptr;
    order_size = 0;
    order_capacity = 0;
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
    if (Is_Dense(line)) {
        tallies[line] = 1;
    }
    return node;
}

stack_node* Search_For_Line_Number(int line) {
    if (Is_Dense(line)) {
        if (dense_nodes == nullptr || tallies[line] == 0) {
            return nullptr;
        }
        Sync_Tally(line);
        return &dense_nodes[line];
    }
    return hash_index == nullptr ? nullptr : Hash_Find(line)->node;
}

void Push_Stack(int line) { Add_Stack(line, 1); }

void Add_Stack(int line, std::int64_t count) {
    stack_node* node = Search_For_Line_Number(line);
    if (node != nullptr) {
        // Counts of exact-mode traces may be large: held at the limit of 64
        // bits rather than wrapping.
        node->occurrences = node->occurrences > INT64_MAX - count ? INT64_MAX : node->occurrences + count;
        return;
    }
    node = New_Stack_Node(line);
    node->occurrences = count;
    node->next = stack;
    stack = node;
    Order_Append(line);
}

bool Pop_Stack(int& line, std::int64_t& occurrences) {
    stack_node* first = stack;
    if (first == nullptr) {
        return false;
    }
    line = first->line;
    stack = first->next;
    // The node taken now is the last one added; the one a few places
    // before it in the order is taken a few calls from now.
    constexpr std::size_t ahead = 16;
    if (order_size > 0) {
        --order_size;
        if (order_size >= ahead) {
            int later = order[order_size - ahead];
            if (Is_Dense(later)) {
                __builtin_prefetch(&dense_nodes[later]);
                __builtin_prefetch(&tallies[later]);
            }
        }
    }
    if (Is_Dense(line)) {
        Sync_Tally(line);
        occurrences = first->occurrences;
        // The place stays; the regions go with the last node.
        tallies[line] = 0;
    } else {
        occurrences = first->occurrences;
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
            if (Is_Dense(later) && tallies != nullptr) {
                __builtin_prefetch(&tallies[later]);
            }
        }
        // The usual case, a number already counted, without the call.
        int line = lines[i];
        if (Is_Dense(line) && tallies != nullptr) {
            std::uint32_t tally = tallies[line];
            if (tally - 1 < UINT32_MAX - 1) {  // a node, and room in its tally
                tallies[line] = tally + 1;
                continue;
            }
        }
        Push_Stack(line);
    }
}
