// The data set's cursor (BOF and EOF in the classic sense), editing and
// inserting with post and cancel, its errors, and what the data links hear
// through a data source, including sources and sets freed under them.
#include "DataSet.h"
#include "MemoryDataSet.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using V = std::vector<std::string>;

struct RecordingLink : TDataLink {
    V Heard;
    void ActiveChanged() override { Heard.push_back(Active() ? "active" : "inactive"); }
    void DataSetChanged() override { Heard.push_back("data"); }
    void EditingChanged() override { Heard.push_back(Editing() ? "editing" : "browsing"); }
};

TOwned<TMemoryDataSet> Filled(int Count) {
    auto set = CreateOwned<TMemoryDataSet>();
    for (int i = 0; i < Count; ++i) set->Add(std::string(1, static_cast<char>('a' + i)));
    set->Open();
    return set;
}

std::string ErrorOf(const std::function<void()>& F) {
    try {
        F();
    } catch (const EDatabaseError& e) {
        return e.Message();
    }
    return "";
}

TEST(DataSet, CursorFlagsAlongMoves) {
    struct Case {
        int Records;
        std::function<void(TDataSet&)> Move;
        int RecNo;
        bool Bof, Eof;
    };
    const Case cases[] = {
        {0, [](TDataSet&) {}, -1, true, true},
        {0, [](TDataSet& d) { d.Next(); }, -1, true, true},
        {0, [](TDataSet& d) { d.Last(); }, -1, true, true},
        {3, [](TDataSet&) {}, 0, true, false},
        {3, [](TDataSet& d) { d.Next(); }, 1, false, false},
        {3, [](TDataSet& d) { d.Next(); d.Prior(); }, 0, false, false},
        {3, [](TDataSet& d) { d.Next(); d.Prior(); d.Prior(); }, 0, true, false},
        {3, [](TDataSet& d) { d.Last(); }, 2, false, true},
        {3, [](TDataSet& d) { d.Next(); d.Next(); }, 2, false, false},
        {3, [](TDataSet& d) { d.Next(); d.Next(); d.Next(); }, 2, false, true},
        {3, [](TDataSet& d) { d.Last(); d.First(); }, 0, true, false},
        {1, [](TDataSet&) {}, 0, true, false},
        {1, [](TDataSet& d) { d.Last(); }, 0, false, true},
    };
    for (const Case& c : cases) {
        auto set = Filled(c.Records);
        c.Move(*set);
        EXPECT_EQ(set->RecNo(), c.RecNo) << c.Records << " records";
        EXPECT_EQ(set->Bof(), c.Bof) << c.Records << " records, at " << set->RecNo();
        EXPECT_EQ(set->Eof(), c.Eof) << c.Records << " records, at " << set->RecNo();
    }
}

TEST(DataSet, EditAndInsertWithPostAndCancel) {
    auto set = Filled(3);
    set->Next();
    set->Edit();
    EXPECT_EQ(set->State(), dsEdit);
    set->SetValue("B");
    set->Cancel();
    EXPECT_EQ(set->Rows(), (V{"a", "b", "c"}));
    set->Edit();
    set->SetValue("B");
    set->Post();
    EXPECT_EQ(set->State(), dsBrowse);
    EXPECT_EQ(set->Rows(), (V{"a", "B", "c"}));

    // A new record goes before the cursor's one and stays there on post.
    set->Insert();
    EXPECT_EQ(set->State(), dsInsert);
    EXPECT_FALSE(set->Bof() || set->Eof());
    set->SetValue("new");
    set->Post();
    EXPECT_EQ(set->Rows(), (V{"a", "new", "B", "c"}));
    EXPECT_EQ(set->Value(), "new");
    set->Insert();
    set->Cancel();
    EXPECT_EQ(set->Rows(), (V{"a", "new", "B", "c"}));
    EXPECT_EQ(set->RecNo(), 1);

    // A move posts pending values.
    set->Edit();
    set->SetValue("moved");
    set->Next();
    EXPECT_EQ(set->State(), dsBrowse);
    EXPECT_EQ(set->Rows()[1], "moved");
    EXPECT_EQ(set->Value(), "B");
}

TEST(DataSet, DeleteKeepsTheCursorInRange) {
    auto set = Filled(3);
    set->Last();
    set->Delete();
    EXPECT_EQ(set->Rows(), (V{"a", "b"}));
    EXPECT_EQ(set->Value(), "b");
    set->Delete();
    set->Delete();
    EXPECT_TRUE(set->Bof() && set->Eof());
    EXPECT_EQ(ErrorOf([&] { set->Delete(); }), "Cannot perform this operation on an empty dataset");
}

TEST(DataSet, ErrorsOfClosedAndReadOnlySets) {
    auto set = Filled(2);
    set->ReadOnly = true;
    for (auto op : {&TDataSet::Edit, &TDataSet::Insert, &TDataSet::Delete})
        EXPECT_EQ(ErrorOf([&] { ((*set).*op)(); }), "Cannot modify a read-only dataset");
    EXPECT_EQ(set->Rows(), (V{"a", "b"}));
    EXPECT_EQ(ErrorOf([&] { set->SetValue("x"); }), "Dataset not in edit or insert mode");
    set->Close();
    EXPECT_EQ(ErrorOf([&] { set->First(); }), "Cannot perform this operation on a closed dataset");
    EXPECT_EQ(ErrorOf([&] { set->Refresh(); }), "Cannot perform this operation on a closed dataset");
}

TEST(DataSet, LinksHearActivationDataAndEditing) {
    auto set = CreateOwned<TMemoryDataSet>();
    set->Add("a");
    set->Add("b");
    auto source = CreateOwned<TDataSource>();
    RecordingLink link;
    link.SetDataSource(source.get());
    source->SetDataSet(set.get());
    EXPECT_TRUE(link.Heard.empty());
    set->Open();
    set->Next();
    set->Edit();
    set->Post();
    set->Insert();
    set->Cancel();
    set->Refresh();
    EXPECT_EQ(set->RefreshCount(), 1);
    set->Close();
    EXPECT_EQ(link.Heard, (V{"active", "data", "editing", "browsing", "data", "editing", "data", "browsing", "data",
                             "data", "inactive"}));

    // Joining an open set is an activation; leaving it, the end of one.
    set->Open();
    RecordingLink late;
    late.SetDataSource(source.get());
    EXPECT_EQ(late.Heard, (V{"active"}));
    late.SetDataSource(nullptr);
    EXPECT_EQ(late.Heard, (V{"active", "inactive"}));
    set->Next();
    EXPECT_EQ(late.Heard.size(), 2u);
}

TEST(DataSet, FreedSourceOrSetLeavesLinksInactive) {
    auto set = Filled(1);
    {
        auto source = CreateOwned<TDataSource>();
        source->SetDataSet(set.get());
        RecordingLink link;
        link.SetDataSource(source.get());
        ASSERT_TRUE(link.Active());
        source.reset();
        EXPECT_EQ(link.DataSource(), nullptr);
        EXPECT_FALSE(link.Active());
        set->Next();  // nobody left to tell
    }
    auto source = CreateOwned<TDataSource>();
    source->SetDataSet(set.get());
    RecordingLink link;
    link.SetDataSource(source.get());
    set.reset();
    EXPECT_EQ(source->DataSet(), nullptr);
    EXPECT_EQ(source->State(), dsInactive);
    EXPECT_EQ(link.Heard, (V{"active", "inactive"}));
}

}  // namespace
