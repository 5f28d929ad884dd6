// Timers: ticks on the GUI thread, restart on an interval change from the
// tick, and freeing a timer from its own tick.
#include "Pump.h"
#include "Timer.h"

#include <gtest/gtest.h>

namespace {

class TSelfFreeing : public TObject {
public:
    int ticks = 0;
    void Tick(TObject* Sender) {
        ++ticks;
        static_cast<TTimer*>(Sender)->Free();
    }
};

TEST(Timers, ATimerCanFreeItselfFromItsOwnTick) {
    TSelfFreeing handler;
    auto* timer = Create<TTimer>(nullptr);
    timer->SetInterval(20);
    timer->OnTimer = TNotifyEvent::Bind<&TSelfFreeing::Tick>(&handler);
    ASSERT_TRUE(PumpUntil([&] { return handler.ticks == 1; }, 3000));
    PumpFor(150);
    EXPECT_EQ(handler.ticks, 1);
}

TEST(Timers, AnOwnedTimerCanBeFreedFromItsTickToo) {
    TSelfFreeing handler;
    auto owner = CreateOwned<TComponent>();
    auto* timer = Create<TTimer>(owner.get());
    timer->SetInterval(20);
    timer->OnTimer = TNotifyEvent::Bind<&TSelfFreeing::Tick>(&handler);
    ASSERT_TRUE(PumpUntil([&] { return handler.ticks == 1; }, 3000));
    PumpFor(100);
    EXPECT_EQ(owner->ComponentCount(), 0);
    EXPECT_EQ(handler.ticks, 1);
}

class TSlowDown : public TObject {
public:
    std::vector<DWORD> at;
    void Tick(TObject* Sender) {
        at.push_back(GetTickCount());
        if (at.size() == 1) static_cast<TTimer*>(Sender)->SetInterval(400);
    }
};

TEST(Timers, IntervalChangedInsideTheTickRestartsTheTimer) {
    TSlowDown handler;
    auto timer = CreateOwned<TTimer>();
    timer->SetInterval(20);
    timer->OnTimer = TNotifyEvent::Bind<&TSlowDown::Tick>(&handler);
    ASSERT_TRUE(PumpUntil([&] { return handler.at.size() >= 2; }, 5000));
    EXPECT_GE(handler.at[1] - handler.at[0], 300u);
}

class TTickCounter : public TObject {
public:
    int ticks = 0;
    void Tick(TObject*) { ++ticks; }
};

TEST(Timers, DisabledTimersDoNotTick) {
    TTickCounter counter;
    auto timer = CreateOwned<TTimer>();
    timer->SetEnabled(false);
    timer->SetInterval(20);
    timer->OnTimer = TNotifyEvent::Bind<&TTickCounter::Tick>(&counter);
    PumpFor(150);
    EXPECT_EQ(counter.ticks, 0);
    timer->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return counter.ticks > 0; }, 3000));
}

}  // namespace
