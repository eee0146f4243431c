#include "flow.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace flow {

namespace {

enum Kind { COUNTER, WRITE, JUMP, LEAVE, BRANCHES, LOOP };

struct Node {
    Kind kind;
    int value;         // the counter's or write's number
    bool flag;         // an exit (not a next); a loop that may end at its head
    bool conditional;  // a jump that may also go on
    std::string label;
    std::vector<int> arms;  // sequences: the arms of an if or case, the body of a loop
    // Control always comes out after it, and nothing in it writes: an if,
    // case or loop with a scheme holding no write, jump or return.
    bool clean = false;
};

std::vector<Node> nodes;
std::vector<std::vector<int>> sequences;  // of nodes
std::vector<int> open;                    // open sequences, innermost last

struct Body {
    size_t open_before;  // open sequences when the body began
    bool broken;
};
std::vector<Body> bodies;

void Broken() {
    if (!bodies.empty()) bodies.back().broken = true;
}

void Add(Node node, bool at_front = false) {
    if (open.empty() || bodies.empty() || open.size() <= bodies.back().open_before) {
        Broken();
        return;
    }
    if (node.kind == BRANCHES || (node.kind == LOOP && node.flag)) {
        node.clean = true;
        for (int arm : node.arms)
            for (int id : sequences[static_cast<size_t>(arm)]) {
                const Node& inner = nodes[static_cast<size_t>(id)];
                node.clean = node.clean && (inner.kind == COUNTER || inner.clean);
            }
    }
    nodes.push_back(std::move(node));
    std::vector<int>& sequence = sequences[open.back()];
    int id = static_cast<int>(nodes.size()) - 1;
    if (at_front)
        sequence.insert(sequence.begin(), id);
    else
        sequence.push_back(id);
}

// The topmost n open sequences, taken off in their order; empty when the
// body has fewer open than that besides the one the statement stands in.
std::vector<int> Close_Sequences(size_t n) {
    if (bodies.empty() || open.size() < bodies.back().open_before + n + 1) {
        Broken();
        return {};
    }
    std::vector<int> taken(open.end() - static_cast<long>(n), open.end());
    open.resize(open.size() - n);
    return taken;
}

// The analysis: a set of counters of the body (bit k: its counter first + k)
// that may have changed since the last write, carried along the sequences.
using Set = std::vector<uint64_t>;

struct Analysis {
    int first = 0, last = 0;
    bool ok = true;
    // Loops in loops are gone through again at turns of the outer one's
    // search (a few, as the sets only grow): should that ever pass this many
    // statements, the analysis gives up, and every write looks at all the
    // counters.
    long long budget = 0;
    std::map<int, Ranges> writes;
    struct Loop {
        std::string label;
        Set exits, nexts;
    };
    std::vector<Loop> loops;  // the loops around the statement analysed, innermost last

    Set Empty() const { return Set((static_cast<size_t>(last - first) + 64) / 64, 0); }

    static void Join(Set& into, const Set& from) {
        for (size_t i = 0; i < into.size(); i++) into[i] |= from[i];
    }

    // The ranges of the set joined into those the write already has.
    void Record(int point, const Set& s) {
        Ranges found;
        int n = last - first + 1;
        for (int k = 0; k < n;) {
            if (!(s[static_cast<size_t>(k) / 64] >> (k % 64) & 1)) {
                // A word of none is passed at once.
                k = s[static_cast<size_t>(k) / 64] >> (k % 64) ? k + 1 : (k / 64 + 1) * 64;
                continue;
            }
            int start = k;
            while (k < n && (s[static_cast<size_t>(k) / 64] >> (k % 64) & 1)) k++;
            found.emplace_back(first + start, first + k - 1);
        }
        Ranges& ranges = writes[point];
        ranges.insert(ranges.end(), found.begin(), found.end());
        std::sort(ranges.begin(), ranges.end());
        Ranges merged;
        for (const auto& r : ranges) {
            if (!merged.empty() && r.first <= merged.back().second + 1)
                merged.back().second = std::max(merged.back().second, r.second);
            else
                merged.push_back(r);
        }
        ranges = std::move(merged);
    }

    Loop* Target(const std::string& label) {
        if (loops.empty()) return nullptr;
        if (label.empty()) return &loops.back();
        for (auto it = loops.rbegin(); it != loops.rend(); ++it)
            if (it->label == label) return &*it;
        return nullptr;
    }

    void Sequence(int sequence, Set& changed) {
        for (int id : sequences[static_cast<size_t>(sequence)]) Statement(nodes[static_cast<size_t>(id)], changed);
    }

    void Statement(const Node& node, Set& changed) {
        if (!ok || --budget < 0) {
            ok = false;
            return;
        }
        switch (node.kind) {
        case COUNTER:
            if (node.value < first || node.value > last) {
                ok = false;
                return;
            }
            changed[static_cast<size_t>(node.value - first) / 64] |= uint64_t{1} << ((node.value - first) % 64);
            return;
        case WRITE:
            Record(node.value, changed);
            changed = Empty();
            return;
        case JUMP: {
            Loop* loop = Target(node.label);
            if (!loop) {
                ok = false;
                return;
            }
            Join(node.flag ? loop->exits : loop->nexts, changed);
            if (!node.conditional) changed = Empty();
            return;
        }
        case LEAVE:
            changed = Empty();
            return;
        case BRANCHES: {
            Set after = Empty();
            for (int arm : node.arms) {
                Set in_arm = changed;
                Sequence(arm, in_arm);
                Join(after, in_arm);
            }
            changed = after;
            return;
        }
        case LOOP:
            Loop_Statement(node, changed);
            return;
        }
    }

    // The set at the loop's head grows with what comes back to it until it
    // no longer changes.
    void Loop_Statement(const Node& node, Set& changed) {
        loops.push_back(Loop{node.label, Empty(), Empty()});
        Set head = changed;
        while (ok) {
            Set end = head;
            for (int arm : node.arms) Sequence(arm, end);
            Join(end, loops.back().nexts);
            Join(end, head);
            if (end == head) break;
            head = end;
        }
        changed = node.flag ? head : Empty();
        Join(changed, loops.back().exits);
        loops.pop_back();
    }
};

void Forget_If_Outermost() {
    if (!bodies.empty()) return;
    nodes.clear();
    sequences.clear();
    open.clear();
}

}  // namespace

void Begin_Body() { bodies.push_back(Body{open.size(), false}); }

void Drop_Body() {
    if (bodies.empty()) return;
    open.resize(std::min(open.size(), bodies.back().open_before));
    bodies.pop_back();
    Forget_If_Outermost();
}

bool Open_Sequence() {
    bool body = !bodies.empty() && open.size() == bodies.back().open_before;
    sequences.emplace_back();
    open.push_back(static_cast<int>(sequences.size()) - 1);
    return body;
}

void End_If(int arms, int then_counter, int else_counter, bool has_else) {
    std::vector<int> taken = Close_Sequences(static_cast<size_t>(arms));
    if (taken.empty()) return;
    if (then_counter >= 0) {
        nodes.push_back(Node{COUNTER, then_counter, false, false, "", {}});
        std::vector<int>& first = sequences[static_cast<size_t>(taken.front())];
        first.insert(first.begin(), static_cast<int>(nodes.size()) - 1);
    }
    if (!has_else) {
        // The else the if does not write: a way past its arms, counted or not.
        sequences.emplace_back();
        if (else_counter >= 0) {
            nodes.push_back(Node{COUNTER, else_counter, false, false, "", {}});
            sequences.back().push_back(static_cast<int>(nodes.size()) - 1);
        }
        taken.push_back(static_cast<int>(sequences.size()) - 1);
    }
    Add(Node{BRANCHES, 0, false, false, "", taken});
}

void End_Case(int arms) {
    std::vector<int> taken = Close_Sequences(static_cast<size_t>(arms));
    if (!taken.empty()) Add(Node{BRANCHES, 0, false, false, "", taken});
}

void End_Loop(bool ends_at_head, const std::string& label) {
    std::vector<int> taken = Close_Sequences(1);
    if (!taken.empty()) Add(Node{LOOP, 0, ends_at_head, false, label, taken});
}

void Counter(int id, bool at_front) { Add(Node{COUNTER, id, false, false, "", {}}, at_front); }

namespace {

// The open sequence from_top below the innermost, in the innermost body, or
// null.
const std::vector<int>* Open_Below(size_t from_top) {
    if (bodies.empty() || open.size() <= bodies.back().open_before + from_top) return nullptr;
    return &sequences[static_cast<size_t>(open[open.size() - 1 - from_top])];
}

}  // namespace

int Last_Counter(size_t from_top) {
    const std::vector<int>* sequence = Open_Below(from_top);
    if (!sequence) return -1;
    // Past the statements that control always comes out of, without a write.
    for (auto it = sequence->rbegin(); it != sequence->rend(); ++it) {
        const Node& node = nodes[static_cast<size_t>(*it)];
        if (node.kind == COUNTER) return node.value;
        if (!node.clean) return -1;
    }
    return -1;
}

int First_Counter(size_t from_top) {
    const std::vector<int>* sequence = Open_Below(from_top);
    if (!sequence || sequence->empty()) return -1;
    const Node& first = nodes[static_cast<size_t>(sequence->front())];
    return first.kind == COUNTER ? first.value : -1;
}

void Write(int point) { Add(Node{WRITE, point, false, false, "", {}}); }

void Jump(bool is_exit, const std::string& label, bool conditional) {
    Add(Node{JUMP, 0, is_exit, conditional, label, {}});
}

void Leave() { Add(Node{LEAVE, 0, false, false, "", {}}); }

bool End_Body(int first, int last, bool loops_back, std::vector<std::pair<int, Ranges>>& writes) {
    if (bodies.empty()) return false;
    Body body = bodies.back();
    bool ok = !body.broken && open.size() == body.open_before + 1;
    Analysis a;
    a.first = first;
    a.last = last;
    a.budget = 64 * static_cast<long long>(nodes.size()) + 1000000;
    if (ok && last >= first) {
        int sequence = open.back();
        Set head = a.Empty();
        while (a.ok) {
            Set end = head;
            a.Sequence(sequence, end);
            if (!loops_back) break;
            Analysis::Join(end, head);
            if (end == head) break;
            head = end;
        }
        ok = a.ok;
    }
    open.resize(std::min(open.size(), body.open_before));
    bodies.pop_back();
    Forget_If_Outermost();
    writes.clear();
    if (ok)
        for (auto& w : a.writes) writes.emplace_back(w.first, std::move(w.second));
    return ok;
}

}  // namespace flow
