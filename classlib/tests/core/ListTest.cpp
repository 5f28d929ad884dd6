#include "Exceptions.h"
#include "List.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

int values[5] = {30, 10, 20, 10, 0};

std::vector<int> Contents(const TList& l) {
    std::vector<int> v;
    for (int i = 0; i < l.Count(); ++i) v.push_back(*static_cast<int*>(l.Items(i)));
    return v;
}

int ByValue(void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); }

TEST(List, EditsKeepInsertionOrder) {
    TList l;
    for (int& v : values) l.Add(&v);
    l.Delete(4);
    l.Move(0, 2);
    EXPECT_EQ(Contents(l), (std::vector<int>{10, 20, 30, 10}));
    l.Insert(4, &values[4]);
    l.Exchange(0, 4);
    EXPECT_EQ(Contents(l), (std::vector<int>{0, 20, 30, 10, 10}));
    EXPECT_EQ(l.IndexOf(&values[3]), 3);
    EXPECT_EQ(l.Remove(&values[0]), 2);
    EXPECT_EQ(l.IndexOf(&values[0]), -1);
}

TEST(List, SortIsStable) {
    TList l;
    for (int& v : values) l.Add(&v);
    l.Sort(ByValue);
    EXPECT_EQ(Contents(l), (std::vector<int>{0, 10, 10, 20, 30}));
    EXPECT_EQ(l.Items(1), &values[1]);
    EXPECT_EQ(l.Items(2), &values[3]);
}

TEST(List, BadIndexesRaiseTheListError) {
    TList l;
    l.Add(&values[0]);
    try {
        l.Items(1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (1)");
    }
    EXPECT_THROW(l.Delete(-1), EListError);
    EXPECT_THROW(l.Move(0, 1), EListError);
    EXPECT_THROW(l.Insert(2, nullptr), EListError);
    EXPECT_THROW(TList().Last(), EListError);
}

}  // namespace
