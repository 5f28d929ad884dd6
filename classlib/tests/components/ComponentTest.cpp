#include "ClassInfo.h"
#include "Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>* journal = nullptr;

void Log(const std::string& s) {
    if (journal) journal->push_back(s);
}

// Records every notice it hears, with the state of the component concerned.
class TWatcher : public TComponent {
public:
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info = DescribeClass<TWatcher, TComponent>("TWatcher", [](auto&) {});
        return info;
    }
    std::string Label() const { return Name().empty() ? "?" : Name(); }
    virtual std::string Kind() const { return "watcher"; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        auto* w = dynamic_cast<TWatcher*>(AComponent);
        Log(Label() + (Operation == opInsert ? " +" : " -") + (w ? w->Label() + "(" + w->Kind() + ")" : "x"));
        TComponent::Notification(AComponent, Operation);
    }
};

// A class whose construction step calls a virtual that a descendant overrides.
class TBase : public TWatcher {
public:
    void Init() override {
        TWatcher::Init();
        made = MakePart();
    }
    virtual std::string MakePart() { return "base part"; }
    std::string made;
};

class TDerived : public TBase {
public:
    std::string MakePart() override { return "derived part"; }
    std::string Kind() const override { return "derived"; }
    void BeforeDestruction() override {
        Log("destroying " + Label() + " still " + Kind());
        TBase::BeforeDestruction();
    }
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { journal = &log; }
    void TearDown() override { journal = nullptr; }
    std::vector<std::string> log;
};

TEST_F(ComponentTest, ConstructionStepReachesTheMostDerivedOverride) {
    auto d = CreateOwned<TDerived>();
    EXPECT_EQ(d->made, "derived part");
    auto b = CreateOwned<TBase>();
    EXPECT_EQ(b->made, "base part");
}

TEST_F(ComponentTest, OwnedComponentsKeepInsertionOrderAndAreFoundWithoutCase) {
    auto owner = CreateOwned<TWatcher>();
    auto* a = Create<TWatcher>(owner.get());
    a->SetName("FirstOne");
    auto* b = Create<TWatcher>(owner.get());
    b->SetName("Second");
    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(owner->FindComponent("FIRSTONE"), a);
    EXPECT_EQ(owner->FindComponent("second"), b);
    EXPECT_EQ(owner->FindComponent(""), nullptr);
    EXPECT_EQ(owner->FindComponent("Third"), nullptr);
    EXPECT_EQ(a->Owner(), owner.get());
    EXPECT_THROW(owner->Components(2), EListError);
}

TEST_F(ComponentTest, DuplicateOrInvalidNamesAreRefused) {
    auto owner = CreateOwned<TWatcher>();
    Create<TWatcher>(owner.get())->SetName("Button1");
    auto* other = Create<TWatcher>(owner.get());
    EXPECT_THROW(other->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(other->SetName("1abc"), EComponentError);
    EXPECT_THROW(other->SetName("a b"), EComponentError);
    EXPECT_EQ(other->Name(), "");
}

TEST_F(ComponentTest, InsertionIsBroadcastToEveryComponentOfTheOwner) {
    auto owner = CreateOwned<TWatcher>();
    owner->SetName("Form");
    auto* a = Create<TWatcher>(owner.get());
    a->SetName("A");
    log.clear();
    auto* b = Create<TWatcher>(nullptr);
    b->SetName("B");
    owner->InsertComponent(b);
    EXPECT_EQ(log, (std::vector<std::string>{"Form +B(watcher)", "A +B(watcher)", "B +B(watcher)"}));
}

TEST_F(ComponentTest, FreeNotifiesInOrderWhileTheObjectIsWhole) {
    auto owner = CreateOwned<TWatcher>();
    owner->SetName("Form");
    auto* a = Create<TWatcher>(owner.get());
    a->SetName("A");
    auto* d = Create<TDerived>(owner.get());
    d->SetName("D");
    auto* part = Create<TWatcher>(d);
    part->SetName("Part");
    auto* c = Create<TWatcher>(owner.get());
    c->SetName("C");
    auto outsider = CreateOwned<TWatcher>();
    outsider->SetName("Outsider");
    d->FreeNotification(outsider.get());
    log.clear();

    d->Free();

    // Own destruction steps first, then the subscriber, then the owner's
    // broadcast (the removed one included, still a TDerived), then its parts.
    EXPECT_EQ(log, (std::vector<std::string>{
                       "destroying D still derived",
                       "Outsider -D(derived)",
                       "Form -D(derived)",
                       "A -D(derived)",
                       "D -D(derived)",
                       "Part -D(derived)",
                       "C -D(derived)",
                   }));
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("D"), nullptr);
}

TEST_F(ComponentTest, FreedSubscriberIsForgottenByTheOtherSide) {
    auto a = CreateOwned<TWatcher>();
    a->SetName("A");
    auto* b = Create<TWatcher>(nullptr);
    b->SetName("B");
    a->FreeNotification(b);
    b->Free();
    log.clear();
    a.reset();  // must not tell the freed B anything
    EXPECT_TRUE(log.empty());
}

TEST_F(ComponentTest, FreeingTheOwnerFreesOwnedComponentsSilently) {
    int alive = 0;
    struct TCounted : TWatcher {
        int* counter = nullptr;
        void BeforeDestruction() override {
            --*counter;
            TWatcher::BeforeDestruction();
        }
    };
    auto* owner = Create<TWatcher>(nullptr);
    for (int i = 0; i < 3; ++i) {
        auto* c = Create<TCounted>(owner);
        c->counter = &alive;
        ++alive;
    }
    log.clear();
    owner->Free();
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(ComponentTest, StateFlags) {
    auto c = CreateOwned<TWatcher>();
    EXPECT_FALSE(c->ComponentState().Contains(csLoading));
    c->Loading();
    EXPECT_TRUE(c->ComponentState().Contains(csLoading));
    c->Loaded();
    EXPECT_FALSE(c->ComponentState().Contains(csLoading));
    EXPECT_FALSE(c->ComponentState().Contains(csDesigning));
}

TEST_F(ComponentTest, ConstructionFailureLeavesTheOwnerClean) {
    struct TFails : TWatcher {
        void Init() override { throw Exception("no"); }
    };
    auto owner = CreateOwned<TWatcher>();
    EXPECT_THROW(Create<TFails>(owner.get()), Exception);
    EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST_F(ComponentTest, CreateByClassName) {
    RegisterClass<TWatcher>();
    auto owner = CreateOwned<TWatcher>();
    TComponent* c = CreateComponentByClassName("twatcher", owner.get());
    EXPECT_EQ(c->ClassName(), "TWatcher");
    EXPECT_EQ(c->Owner(), owner.get());
    EXPECT_THROW(CreateComponentByClassName("TNoSuchThing", owner.get()), EClassNotFound);
}

}  // namespace
