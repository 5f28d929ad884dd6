#include "Exceptions.h"
#include "Streams.h"
#include "Strings.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const TStrings& s) {
    std::vector<std::string> v;
    for (int i = 0; i < s.Count(); ++i) v.push_back(s.Strings(i));
    return v;
}

using V = std::vector<std::string>;

TEST(StringList, AddInsertDeleteClear) {
    TStringList l;
    EXPECT_EQ(l.Add("b"), 0);
    EXPECT_EQ(l.Add("d"), 1);
    l.Insert(0, "a");
    l.Insert(2, "c");
    l.Insert(4, "e");
    EXPECT_EQ(Lines(l), (V{"a", "b", "c", "d", "e"}));
    l.Delete(1);
    l.SetStrings(0, "A");
    EXPECT_EQ(Lines(l), (V{"A", "c", "d", "e"}));
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, BadIndexesRaiseTheListErrorWithTheIndex) {
    TStringList l;
    l.Add("only");
    const struct {
        const char* name;
        void (*call)(TStringList&);
        const char* message;
    } cases[] = {
        {"read past end", [](TStringList& s) { s.Strings(1); }, "List index out of bounds (1)"},
        {"read negative", [](TStringList& s) { s.Strings(-1); }, "List index out of bounds (-1)"},
        {"write past end", [](TStringList& s) { s.SetStrings(1, "x"); }, "List index out of bounds (1)"},
        {"insert past end", [](TStringList& s) { s.Insert(2, "x"); }, "List index out of bounds (2)"},
        {"delete past end", [](TStringList& s) { s.Delete(1); }, "List index out of bounds (1)"},
        {"object past end", [](TStringList& s) { s.Objects(5); }, "List index out of bounds (5)"},
    };
    for (const auto& c : cases) {
        try {
            c.call(l);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EListError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
    }
    EXPECT_EQ(Lines(l), (V{"only"}));
}

TEST(StringList, ObjectsTravelWithTheirLines) {
    TStringList l;
    TObject a, b;
    l.AddObject("a", &a);
    l.Add("x");
    l.InsertObject(0, "b", &b);
    EXPECT_EQ(l.Objects(0), &b);
    EXPECT_EQ(l.Objects(1), &a);
    EXPECT_EQ(l.Objects(2), nullptr);
    l.SetStrings(1, "renamed");
    EXPECT_EQ(l.Objects(1), &a);
    EXPECT_EQ(l.IndexOfObject(&a), 1);
}

class Tracked : public TObject {
public:
    explicit Tracked(int& n) : count(n) { ++count; }
    ~Tracked() override { --count; }
    int& count;
};

TEST(StringList, OwningListFreesItsObjects) {
    int alive = 0;
    {
        TStringList l(true);
        l.AddObject("a", new Tracked(alive));
        l.AddObject("b", new Tracked(alive));
        l.AddObject("c", new Tracked(alive));
        l.Delete(0);
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 0);
}

TEST(StringList, LookupsIgnoreCaseAndTakeTheFirstMatch) {
    TStringList l;
    l.SetText("Alpha\r\nskin=Blue.skn\r\nalpha\r\nSKIN=second\r\nnoequals\r\n=empty name\r\n");
    EXPECT_EQ(l.IndexOf("ALPHA"), 0);
    EXPECT_EQ(l.IndexOf("beta"), -1);
    EXPECT_EQ(l.IndexOfName("Skin"), 1);
    EXPECT_EQ(l.Values("SKIN"), "Blue.skn");
    EXPECT_EQ(l.Values("noequals"), "");
    EXPECT_EQ(l.Names(1), "skin");
    EXPECT_EQ(l.Names(4), "");
    EXPECT_EQ(l.Values(""), "empty name");
    l.SetValues("skin", "Green.skn");
    EXPECT_EQ(l.Strings(1), "skin=Green.skn");
    l.SetValues("new", "1");
    EXPECT_EQ(l.Strings(l.Count() - 1), "new=1");
    l.SetValues("SKIN", "");
    EXPECT_EQ(l.Values("skin"), "second");
}

TEST(StringList, TextSplitsAtCrLfOrCrLfAndEndsEveryLineWithCrLf) {
    const struct {
        std::string text;
        V lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"\r\n", {""}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("x\0y\r\n", 5), {std::string("x\0y", 3)}},
    };
    for (const auto& c : cases) {
        TStringList l;
        l.Add("old");
        l.SetText(c.text);
        EXPECT_EQ(Lines(l), c.lines) << "text " << c.text;
    }
    TStringList l;
    l.Add("one");
    l.Add("");
    l.Add("three");
    EXPECT_EQ(l.Text(), "one\r\n\r\nthree\r\n");
}

TEST(StringList, StreamsReadFromThePositionAndWriteCrLf) {
    TMemoryStream s;
    s.WriteBuffer("skip|x\ny", 8);
    s.SetPosition(5);
    TStringList l;
    l.LoadFromStream(&s);
    EXPECT_EQ(Lines(l), (V{"x", "y"}));
    TMemoryStream out;
    out.WriteBuffer(">", 1);
    l.SaveToStream(&out);
    EXPECT_EQ(std::string(static_cast<const char*>(out.Memory()), static_cast<std::size_t>(out.Size())),
              ">x\r\ny\r\n");
}

class Watcher : public TObject {
public:
    void Changed(TObject* Sender) {
        ++changes;
        sender = Sender;
    }
    void Changing(TObject*) { ++changings; }
    int changes = 0, changings = 0;
    TObject* sender = nullptr;
};

TEST(StringList, OnChangeFiresPerChangeAndOnceForAnUpdateBlock) {
    TStringList l;
    Watcher w;
    l.OnChange = TNotifyEvent::Bind<&Watcher::Changed>(&w);
    l.OnChanging = TNotifyEvent::Bind<&Watcher::Changing>(&w);
    l.Add("a");
    l.Insert(0, "b");
    l.SetStrings(0, "c");
    l.Delete(0);
    EXPECT_EQ(w.changes, 4);
    EXPECT_EQ(w.changings, 4);
    EXPECT_EQ(w.sender, &l);

    w.changes = w.changings = 0;
    l.BeginUpdate();
    l.BeginUpdate();
    l.Add("x");
    l.SetText("1\r\n2\r\n3");
    l.EndUpdate();
    EXPECT_EQ(w.changes, 0);
    l.EndUpdate();
    EXPECT_EQ(w.changes, 1);
    EXPECT_EQ(w.changings, 1);

    w.changes = 0;
    l.SetText("p\r\nq");  // one notice for the whole text
    EXPECT_EQ(w.changes, 1);
    l.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(w.changes, 1);
}

TEST(StringList, AssignCopiesLinesAndObjectsAndRefusesOtherClasses) {
    TStringList a, b;
    TObject o;
    a.AddObject("one", &o);
    a.Add("two");
    b.Add("old");
    Watcher w;
    b.OnChange = TNotifyEvent::Bind<&Watcher::Changed>(&w);
    b.Assign(&a);
    EXPECT_EQ(Lines(b), (V{"one", "two"}));
    EXPECT_EQ(b.Objects(0), &o);
    EXPECT_EQ(w.changes, 1);
    b.Assign(&b);
    EXPECT_EQ(Lines(b), (V{"one", "two"}));
    TPersistent other;
    EXPECT_THROW(b.Assign(&other), EConvertError);
}

}  // namespace
