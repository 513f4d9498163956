#include "common/list_helpers.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/common/common_fixture.h"

namespace {

using common_test::HelperTest;
using Entries = std::vector<std::string>;

class ListHelpers : public HelperTest {};

TEST_F(ListHelpers, RemoveAdjacentDuplicatesShrinksRunsOnly) {
    struct Case {
        Entries in, out;
    };
    for (const auto& [in, out] : {
             Case{{"", "", "a", "a", "b", "", "b"}, {"a", "b", "", "b"}},
             Case{{"a", "A", "a"}, {"a", "A", "a"}},  // exact: case counts
             Case{{"x", "y", "x"}, {"x", "y", "x"}},
             Case{{"w", "w", "w"}, {"w"}},
             Case{{""}, {}},
         }) {
        fill(in);
        RemoveAdjacentDuplicates(list());
        EXPECT_EQ(entries(), out);
    }
}

TEST_F(ListHelpers, RemoveListItemRemovesOneMatchSearchingEntryZeroLast) {
    struct Case {
        Entries in;
        std::string text;
        Entries out;
    };
    for (const auto& [in, text, out] : {
             Case{{"Apple", "pear"}, "aPPLE", {"pear"}},
             Case{{"w", "a", "b", "c", "d", "w"}, "w", {"w", "a", "b", "c", "d"}},
             Case{{"w", "a"}, "w", {"a"}},
             Case{{"a", "b", "b"}, "b", {"a", "b"}},
             Case{{"a", "b"}, "z", {"a", "b"}},
             Case{{"apple"}, "app", {"apple"}},  // whole entries only
             Case{{}, "a", {}},
         }) {
        fill(in);
        RemoveListItem(list(), text);
        EXPECT_EQ(entries(), out) << text;
    }
}

TEST_F(ListHelpers, SetListIndexReportsWhetherTheIndexIsSelected) {
    struct Case {
        int index;
        bool result;
        int selected;
    };
    for (auto [index, result, selected] :
         {Case{1, true, 1}, {0, true, 0}, {3, false, 2}, {-1, true, -1}, {-2, false, 2}}) {
        fill({"a", "b", "c"});
        list().ListIndex = 2;
        EXPECT_EQ(SetListIndex(list(), index), result) << index;
        EXPECT_EQ(list().ListIndex, selected) << index;
    }
}

TEST_F(ListHelpers, FindListItemFindsTheFirstEntryBeginningWithTheText) {
    fill({"bobby - 3", "bob - 5", "Al - 1"});
    EXPECT_EQ(FindListItem(list(), "bob"), 0);
    EXPECT_EQ(FindListItem(list(), "bob - "), 1);
    EXPECT_EQ(FindListItem(list(), "al"), 2);
    EXPECT_EQ(FindListItem(list(), "zed"), -1);
    fill({});
    EXPECT_EQ(FindListItem(list(), "bob"), -1);
}

TEST_F(ListHelpers, ShuffleLeavesShortListsAlone) {
    for (const Entries& in : {Entries{}, Entries{"only"}}) {
        fill(in);
        ShuffleList(list(), 3);
        EXPECT_EQ(entries(), in);
    }
}

TEST_F(ListHelpers, ShuffleOfTwoEntriesSwapsThemOncePerPass) {
    for (int start = 0; start < 20; ++start) {
        // A different clock for each run gives a different seed.
        events().reset(loop::Options{.clock_start_seconds = 3600.0 + start * 1.37});
        fill({"first", "second"});
        ShuffleList(list(), 3);
        EXPECT_EQ(entries(), (Entries{"second", "first"}));
        ShuffleList(list(), 2);
        EXPECT_EQ(entries(), (Entries{"second", "first"}));
    }
}

TEST_F(ListHelpers, ShuffleKeepsEveryEntryAndMovesEntryZeroEachPass) {
    Entries in;
    for (int k = 0; k < 50; ++k) in.push_back("w" + std::to_string(k));
    for (int run = 0; run < 10; ++run) {
        events().reset(loop::Options{.clock_start_seconds = 100.0 + run});
        fill(in);
        auto rounds_before = events().rounds();
        ShuffleList(list(), 1);
        Entries out = entries();
        EXPECT_NE(out[0], in[0]);
        EXPECT_EQ(events().rounds() - rounds_before, in.size());  // events after every swap
        std::sort(out.begin(), out.end());
        Entries sorted_in = in;
        std::sort(sorted_in.begin(), sorted_in.end());
        EXPECT_EQ(out, sorted_in);
    }
}

// Events that run between swaps change the list; no text may be lost or copied, and the
// shuffle must still end.
TEST_F(ListHelpers, ShuffleSurvivesHandlersThatChangeTheList) {
    struct Case {
        const char* what;
        int change;  // entries removed (negative) or added per round
    };
    for (auto [what, change] : {Case{"removing", -1}, {"adding", 1}, {"removing fast", -3}}) {
        fill({"a", "b", "c", "d", "e", "f", "g", "h"});
        int added = 0;
        int rounds = 0;
        std::function<void()> meddle = [&] {
            if (++rounds > 40) return;
            for (int k = 0; k < std::abs(change); ++k) {
                if (change < 0)
                    list().RemoveItem(list().ListCount() - 1);
                else
                    list().AddItem("new" + std::to_string(added++));
            }
            events().post(meddle);
        };
        events().post(meddle);
        ShuffleList(list(), 3);
        std::map<std::string, int> seen;
        for (const auto& entry : entries()) ++seen[entry];
        for (const auto& [entry, times] : seen) {
            EXPECT_FALSE(entry.empty()) << what;
            EXPECT_EQ(times, 1) << what << ": " << entry;
        }
        if (change > 0) {
            EXPECT_EQ(list().ListCount(), 8 + added) << what;
        }
        events().reset(loop::Options{});
    }
}

TEST_F(ListHelpers, ShuffleSeedsTheGeneratorFromTheClock) {
    auto first_draw_after_shuffle = [&](double clock) {
        events().reset(loop::Options{.clock_start_seconds = clock});
        fill({"a"});
        loop::Rnd();  // whatever was drawn before does not matter
        ShuffleList(list(), 1);
        return loop::Rnd();
    };
    EXPECT_EQ(first_draw_after_shuffle(500), first_draw_after_shuffle(500));
    EXPECT_NE(first_draw_after_shuffle(500), first_draw_after_shuffle(9000));
}

TEST(SortStrings, SortsByByteValue) {
    struct Case {
        Entries in, out;
    };
    for (const auto& [in, out] : {
             Case{{}, {}},
             Case{{"one"}, {"one"}},
             Case{{"banana", "Apple", "cherry", "Zebra", "apple"},
                  {"Apple", "Zebra", "apple", "banana", "cherry"}},
             Case{{"abc", "a", "ab", ""}, {"", "a", "ab", "abc"}},
             Case{{"b", "a", "b", "a", "b"}, {"a", "a", "b", "b", "b"}},
             Case{{"\xE9t\xE9", "zoo", "Zoo", "\x80"}, {"Zoo", "zoo", "\x80", "\xE9t\xE9"}},
             Case{{"same", "same", "same"}, {"same", "same", "same"}},
         }) {
        Entries arr = in;
        SortStrings(arr);
        EXPECT_EQ(arr, out);
    }
}

bool UnsignedLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

TEST(SortStrings, AgreesWithAReferenceSortOnRandomArrays) {
    std::mt19937 random(7);
    const std::string alphabet = "aAbZ \xE9\x01";
    for (int run = 0; run < 500; ++run) {
        Entries arr(random() % 30 + 1);
        for (auto& s : arr) {
            s.resize(random() % 4);
            for (char& c : s) c = alphabet[random() % alphabet.size()];
        }
        Entries expected = arr;
        std::sort(expected.begin(), expected.end(), UnsignedLess);
        SortStrings(arr);
        ASSERT_EQ(arr, expected) << run;
    }
}

TEST(SortStrings, QuickSortStringsSortsOnlyItsRange) {
    Entries arr = {"z", "d", "c", "b", "a", "0"};
    QuickSortStrings(arr, 1, 3);
    EXPECT_EQ(arr, (Entries{"z", "b", "c", "d", "a", "0"}));

    Entries no_bound_above = {"m", "b", "a"};
    QuickSortStrings(no_bound_above, 0, 2);
    EXPECT_EQ(no_bound_above, (Entries{"a", "b", "m"}));

    Entries beyond = {"c", "a", "b"};
    QuickSortStrings(beyond, -5, 99);
    EXPECT_EQ(beyond, (Entries{"a", "b", "c"}));
}

// Runs `work` on a thread with a small stack, so that deep recursion fails loudly.
void OnSmallStack(void (*work)(void*), void* argument) {
    struct Call {
        void (*work)(void*);
        void* argument;
    } call{work, argument};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1 << 20);
    pthread_t thread;
    auto run = [](void* p) -> void* {
        auto* c = static_cast<Call*>(p);
        c->work(c->argument);
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, &call), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

TEST(SortStrings, LongOrderedListsSortOnASmallStack) {
    constexpr int kCount = 200000;
    Entries ascending;
    for (int k = 0; k < kCount; ++k) {
        std::string digits = std::to_string(k);
        ascending.push_back(std::string(6 - digits.size(), '0') + digits);
    }
    Entries descending(ascending.rbegin(), ascending.rend());
    Entries organ_pipe(ascending.begin(), ascending.begin() + kCount / 2);
    organ_pipe.insert(organ_pipe.end(), descending.begin() + kCount / 2, descending.end());
    Entries organ_pipe_sorted;
    for (int k = 0; k < kCount / 2; ++k)
        organ_pipe_sorted.insert(organ_pipe_sorted.end(), 2, ascending[k]);
    Entries equal(kCount, "same");

    struct Case {
        const Entries& in;
        const Entries& out;
    };
    for (auto [in, out] : {Case{ascending, ascending},
                           {descending, ascending},
                           {organ_pipe, organ_pipe_sorted},
                           {equal, equal}}) {
        Entries arr = in;
        OnSmallStack([](void* p) { SortStrings(*static_cast<Entries*>(p)); }, &arr);
        EXPECT_TRUE(arr == out);
    }
}

}  // namespace
