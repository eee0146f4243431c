// The count list of corvane_viru on its own.
#include "stack.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <vector>

namespace {

std::vector<std::pair<int, std::int64_t>> Pop_All() {
    std::vector<std::pair<int, std::int64_t>> entries;
    int line;
    std::int64_t occurrences;
    while (Pop_Stack(line, occurrences)) {
        entries.push_back({line, occurrences});
    }
    return entries;
}

// size distinct numbers, scattered over the whole range of int; every
// fourth is one of the small ones that have pages.
std::vector<int> Scattered_Lines(int size) {
    std::vector<int> lines;
    std::set<int> seen;
    std::minstd_rand random(size);
    while (static_cast<int>(lines.size()) < size) {
        int line = static_cast<int>(random() * 2 + random() % 2) ^ INT_MIN;
        if (lines.size() % 4 == 0) {
            line = static_cast<int>(random() % (1 << 20));
        }
        if (seen.insert(line).second) {
            lines.push_back(line);
        }
    }
    return lines;
}

TEST(CountList, FindsWhatRemainsAfterPops) {
    // Growing the hash table moves its entries, so that numbers popped
    // first can lie on the probe runs of numbers that remain: every one of
    // those must still be found with its count.
    for (int size = 10; size < 4000; size += 13) {
        std::vector<int> lines = Scattered_Lines(size);
        for (int line : lines) {
            Push_Stack(line);
            Push_Stack(line);
        }
        Push_Stack(lines[0]);
        int line;
        std::int64_t occurrences;
        const int kept = size / 3;
        for (int i = size - 1; i >= kept; --i) {
            ASSERT_TRUE(Pop_Stack(line, occurrences));
            EXPECT_EQ(line, lines[i]);
            EXPECT_EQ(Search_For_Line_Number(line), nullptr) << line;
        }
        for (int i = 0; i < kept; ++i) {
            stack_node* node = Search_For_Line_Number(lines[i]);
            ASSERT_NE(node, nullptr) << size << ": " << lines[i];
            EXPECT_EQ(node->occurrences, i == 0 ? 3 : 2) << lines[i];
        }
        EXPECT_EQ(Pop_All().size(), static_cast<std::size_t>(kept));
        EXPECT_FALSE(Pop_Stack(line, occurrences));
    }
}

TEST(CountList, NumberCountedAgainAfterItsPop) {
    for (int line : {7, -7, 1 << 20}) {
        Push_Stack(line);
        Push_Stack(line);
        Push_Stack(5);
        std::vector<std::pair<int, std::int64_t>> first = {{5, 1}, {line, 2}};
        EXPECT_EQ(Pop_All(), first);
        Push_Stack(line);
        std::vector<std::pair<int, std::int64_t>> again = {{line, 1}};
        EXPECT_EQ(Pop_All(), again);
    }
}

TEST(CountList, PopsInterleavedWithNewNumbers) {
    // Pops that stop half way, then numbers added again (popped ones among
    // them): the list must keep taking the newest first throughout, with
    // the fetching ahead following it.
    for (int i = 0; i < 100; ++i) {
        Push_Stack(3 * i);
    }
    int line;
    std::int64_t occurrences;
    for (int i = 99; i >= 60; --i) {
        ASSERT_TRUE(Pop_Stack(line, occurrences));
        EXPECT_EQ(line, 3 * i);
    }
    for (int i = 50; i < 90; ++i) {
        Push_Stack(3 * i);  // 150 to 177 are counted again, 180 to 267 are new
    }
    std::vector<std::pair<int, std::int64_t>> expected;
    for (int i = 89; i >= 60; --i) {
        expected.push_back({3 * i, 1});
    }
    for (int i = 59; i >= 0; --i) {
        expected.push_back({3 * i, i >= 50 ? 2 : 1});
    }
    EXPECT_EQ(Pop_All(), expected);
}

TEST(CountList, CountsPastTheRangeOfInt) {
    Push_Stack(3);
    Search_For_Line_Number(3)->occurrences = INT_MAX;
    Push_Stack(3);
    std::vector<std::pair<int, std::int64_t>> expected = {{3, std::int64_t{INT_MAX} + 1}};
    EXPECT_EQ(Pop_All(), expected);
}

TEST(CountList, BatchCountsLikeSinglePushes) {
    // Long enough for the fetching ahead to reach nodes made in the batch.
    std::vector<int> lines;
    for (int i = 0; i < 1000; ++i) {
        lines.push_back((i * 37) % 50 - 10);
    }
    Push_Stack_Lines(lines.data(), lines.size());
    std::vector<std::pair<int, std::int64_t>> batched = Pop_All();
    for (int line : lines) {
        Push_Stack(line);
    }
    EXPECT_EQ(batched, Pop_All());
    EXPECT_EQ(batched.size(), 50u);
}

}  // namespace
