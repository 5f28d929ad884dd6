#include "Exceptions.h"
#include "Object.h"

#include <gtest/gtest.h>

namespace {

class Counter : public TObject {
public:
    void Hit(TObject* Sender) { ++hits; last = Sender; }
    void Other(TObject*) {}
    int hits = 0;
    TObject* last = nullptr;
};

class Plain : public TPersistent {
public:
    std::string ClassName() const override { return "TPlain"; }
};

TEST(Event, CallsTheBoundMethodOfItsObject) {
    Counter c;
    TNotifyEvent e = TNotifyEvent::Bind<&Counter::Hit>(&c);
    e(&c);
    EXPECT_EQ(c.hits, 1);
    EXPECT_EQ(c.last, &c);
}

TEST(Event, EqualOnlyForSameMethodAndObject) {
    Counter a, b;
    EXPECT_EQ(TNotifyEvent::Bind<&Counter::Hit>(&a), TNotifyEvent::Bind<&Counter::Hit>(&a));
    EXPECT_FALSE(TNotifyEvent::Bind<&Counter::Hit>(&a) == TNotifyEvent::Bind<&Counter::Hit>(&b));
    EXPECT_FALSE(TNotifyEvent::Bind<&Counter::Hit>(&a) == TNotifyEvent::Bind<&Counter::Other>(&a));
    EXPECT_FALSE(static_cast<bool>(TNotifyEvent()));
}

TEST(Persistent, AssignBetweenUnrelatedClassesRaisesConversionError) {
    Plain a, b;
    try {
        a.Assign(&b);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TPlain to a TPlain");
    }
}

}  // namespace
