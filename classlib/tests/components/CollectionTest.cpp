#include "Collection.h"
#include "TypInfo.h"

#include <gtest/gtest.h>

namespace {

class TSection : public TCollectionItem {
public:
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TSection, TCollectionItem>("TSection", [](auto& c) {
            c.Int("Width", &TSection::Width, &TSection::SetWidth);
        });
        return info;
    }
    int Width() const { return width_; }
    void SetWidth(int v) {
        width_ = v;
        Changed(false);
    }
    void Assign(TPersistent* Source) override {
        if (auto* s = dynamic_cast<TSection*>(Source)) return SetWidth(s->width_);
        TCollectionItem::Assign(Source);
    }

private:
    int width_ = 0;
};

class TSections : public TCollectionOf<TSection> {
public:
    std::vector<int> updates;  // index of the changed item, -1 for all

protected:
    void Update(TCollectionItem* Item) override { updates.push_back(Item ? Item->Index() : -1); }
};

TEST(Collection, TypedAddAndItemsWithUpdateNotices) {
    TSections s;
    TSection* a = s.Add();
    TSection* b = s.Add();
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Items(1), b);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(a->Collection(), &s);
    s.updates.clear();
    b->SetWidth(5);
    EXPECT_EQ(s.updates, std::vector<int>{1});
    EXPECT_THROW(s.Items(2), EListError);
    EXPECT_EQ(a->ClassName(), "TSection");
    SetOrdProp(a, "Width", 12);
    EXPECT_EQ(a->Width(), 12);
}

TEST(Collection, BeginEndUpdateFoldsChangesIntoOne) {
    TSections s;
    s.BeginUpdate();
    s.Add()->SetWidth(1);
    s.Add()->SetWidth(2);
    s.BeginUpdate();
    s.Items(0)->SetWidth(3);
    s.EndUpdate();
    EXPECT_TRUE(s.updates.empty());
    s.EndUpdate();
    EXPECT_EQ(s.updates, std::vector<int>{-1});
}

TEST(Collection, AssignReplacesItemsThroughTheirAssign) {
    TSections a, b;
    a.Add()->SetWidth(10);
    a.Add()->SetWidth(20);
    b.Add()->SetWidth(99);
    b.updates.clear();
    b.Assign(&a);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(b.Items(0)->Width(), 10);
    EXPECT_EQ(b.Items(1)->Width(), 20);
    EXPECT_EQ(b.updates, std::vector<int>{-1});
}

TEST(Collection, IndexMovesAndDelete) {
    TSections s;
    for (int i = 0; i < 3; ++i) s.Add()->SetWidth(i);
    s.Items(2)->SetIndex(0);
    EXPECT_EQ(s.Items(0)->Width(), 2);
    EXPECT_EQ(s.Items(1)->Width(), 0);
    s.Delete(1);
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.Items(1)->Width(), 1);
}

}  // namespace
