// Timers in virtual time: the manual clock runs the real timer queue.
#include "shell/framework/core/date.h"
#include "shell/framework/core/exceptions.h"
#include "shell/framework/core/timer.h"
#include "shell/framework/core/timer_queue.h"
#include "tests/support/manual_clock.h"
#include "tests/support/recording_message_box.h"

#include <QCoreApplication>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr LocalTime kSeventeenPastSeven{2026, 12, 10, 7, 0, 17};

// One change made to a running timer, and the times of the Actions that follow.
struct TimerChange {
    std::string change;
    std::function<void(Timer&)> make;
    std::vector<int64_t> fired;
};

class Timers : public testing::Test {
  protected:
    std::shared_ptr<ManualClock> clock = InstallManualClock(kSeventeenPastSeven);

    // A timer that notes the clock at each of its Actions.
    std::shared_ptr<Timer> NewTimer(int32_t period_ms, std::vector<int64_t>& fired) {
        auto timer = std::make_shared<Timer>();
        timer->SetPeriod(period_ms);
        timer->on_action = [this, &fired](Timer&) { fired.push_back(clock->MonotonicMs()); };
        return timer;
    }
};

TEST_F(Timers, SingleShotFiresOnceAndIsOffDuringItsAction) {
    auto timer = std::make_shared<Timer>();
    timer->SetPeriod(300000);
    std::vector<int32_t> modes_seen;
    timer->on_action = [&](Timer& t) { modes_seen.push_back(t.Mode()); };
    timer->SetMode(1);

    clock->Advance(299999);
    EXPECT_TRUE(modes_seen.empty());
    clock->Advance(1);
    EXPECT_EQ(modes_seen, std::vector<int32_t>{0});
    clock->Advance(3600000);
    EXPECT_EQ(modes_seen.size(), 1u);
    EXPECT_EQ(TimerQueue::Instance().NextDueMs(), -1);
}

TEST_F(Timers, RepeatingKeepsItsBeatOverManyPeriods) {
    std::vector<int64_t> fired;
    auto timer = NewTimer(1000, fired);
    timer->SetMode(2);
    // Uneven steps, as a loop that wakes late would take them: the beat stays on the second.
    for (int step = 0; step < 7 * 24 * 3600 / 10; ++step)
        clock->Advance(step % 2 ? 7001 : 12999);
    ASSERT_EQ(fired.size(), 7u * 24 * 3600);
    for (std::size_t i = 0; i < fired.size(); ++i)
        ASSERT_EQ(fired[i], int64_t(i + 1) * 1000) << i;
    EXPECT_EQ(timer->Mode(), 2);
}

TEST_F(Timers, ClockTickRealignsToSecondsDivisibleByFive) {
    // The alarm's clock tick: started at second 17, re-aligned in every Action.
    auto timer = std::make_shared<Timer>();
    timer->SetPeriod(5000);
    std::vector<int32_t> seconds, periods;
    const auto align = [&](Timer& t) {
        const int32_t r = Date().Second() % 5;
        if (r != 0) {
            t.SetPeriod((5 - r) * 1000);
        } else if (t.Period() != 5000) {
            t.SetPeriod(5000);
        }
    };
    timer->on_action = [&](Timer& t) {
        seconds.push_back(Date().Second());
        align(t);
        periods.push_back(t.Period());
    };
    timer->SetMode(2);
    align(*timer);
    EXPECT_EQ(timer->Period(), 3000);

    clock->Advance(60000);
    EXPECT_EQ(seconds, (std::vector<int32_t>{20, 25, 30, 35, 40, 45, 50, 55, 0, 5, 10, 15}));
    EXPECT_EQ(periods, std::vector<int32_t>(12, 5000));

    // The wall clock jumps by 2 s (the user sets the time): the next tick re-aligns.
    clock->SetLocalTime({2026, 12, 10, 7, 1, 19});
    seconds.clear();
    clock->Advance(11000);
    EXPECT_EQ(seconds, (std::vector<int32_t>{22, 25, 30}));
}

TEST_F(Timers, ChangesMadeBeforeTheNextBeat) {
    // Period 1000 and mode 2 set at 0 ms; at 600 ms one change; the Actions until 4000 ms.
    const TimerChange rows[] = {
        {"nothing", [](Timer&) {}, {1000, 2000, 3000, 4000}},
        {"mode 2 again", [](Timer& t) { t.SetMode(2); }, {1600, 2600, 3600}},
        {"mode 1", [](Timer& t) { t.SetMode(1); }, {1600}},
        {"mode 0", [](Timer& t) { t.SetMode(0); }, {}},
        {"period 3000", [](Timer& t) { t.SetPeriod(3000); }, {3600}},
        {"the same period", [](Timer& t) { t.SetPeriod(1000); }, {1000, 2000, 3000, 4000}},
        {"mode 7 (ignored)", [](Timer& t) { t.SetMode(7); }, {1000, 2000, 3000, 4000}},
        {"period 0 (1 ms)", [](Timer& t) { t.SetPeriod(0); }, {601, 602, 603, 604}},
    };
    for (const auto& row : rows) {
        std::vector<int64_t> fired;
        auto timer = NewTimer(1000, fired);
        const int64_t start = clock->MonotonicMs();
        timer->SetMode(2);
        clock->Advance(600);
        row.make(*timer);
        clock->Advance(3400);
        fired.resize(std::min<std::size_t>(fired.size(), 4));
        for (auto& ms : fired)
            ms -= start;
        EXPECT_EQ(fired, row.fired) << row.change;
        timer->SetMode(0);
    }
}

TEST_F(Timers, ChangesMadeInsideTheirOwnAction) {
    // Period 1000, mode 2; the first Action (at 1000 ms) makes one change.
    const TimerChange rows[] = {
        {"mode 0", [](Timer& t) { t.SetMode(0); }, {1000}},
        {"mode 1", [](Timer& t) { t.SetMode(1); }, {1000, 2000}},
        {"period 300", [](Timer& t) { t.SetPeriod(300); }, {1000, 1300, 1600, 1900}},
        {"period 2500", [](Timer& t) { t.SetPeriod(2500); }, {1000, 3500}},
    };
    for (const auto& row : rows) {
        std::vector<int64_t> fired;
        auto timer = NewTimer(1000, fired);
        const int64_t start = clock->MonotonicMs();
        timer->on_action = [&](Timer& t) {
            fired.push_back(clock->MonotonicMs() - start);
            if (fired.size() == 1) row.make(t);
        };
        timer->SetMode(2);
        clock->Advance(4000);
        fired.resize(std::min<std::size_t>(fired.size(), 4));
        EXPECT_EQ(fired, row.fired) << row.change;
        timer->SetMode(0);
    }
}

TEST_F(Timers, TimersDueTogetherFireInSchedulingOrder) {
    std::vector<std::string> order;
    std::vector<std::shared_ptr<Timer>> timers;
    for (const char* name : {"first made", "second made", "third made"}) {
        auto timer = std::make_shared<Timer>();
        timer->on_action = [&order, name](Timer&) { order.push_back(name); };
        timers.push_back(timer);
    }
    for (int index : {2, 0, 1})
        timers[index]->SetMode(1);
    clock->Advance(1000);
    EXPECT_EQ(order, (std::vector<std::string>{"third made", "first made", "second made"}));
}

TEST_F(Timers, AFiringTimerCanStopOrRestartAnotherDueAtTheSameMoment) {
    std::vector<int64_t> first_fired, second_fired;
    auto first = NewTimer(1000, first_fired);
    auto second = NewTimer(1000, second_fired);
    first->SetMode(2);
    second->SetMode(2);
    first->on_action = [&](Timer&) { second->SetMode(0); };
    clock->Advance(5000);
    EXPECT_TRUE(second_fired.empty());

    first->on_action = [&](Timer&) { second->SetMode(1); };
    clock->Advance(1000); // first fires at 6000 and sets second to fire at 7000
    first->SetMode(0);
    clock->Advance(5000);
    EXPECT_EQ(second_fired, std::vector<int64_t>{7000});
}

TEST_F(Timers, ADestroyedTimerCancelsItself) {
    std::vector<int64_t> fired;
    auto timer = NewTimer(1000, fired);
    timer->SetMode(2);
    timer.reset();
    EXPECT_EQ(TimerQueue::Instance().NextDueMs(), -1);
    clock->Advance(5000);
    EXPECT_TRUE(fired.empty());
}

TEST_F(Timers, AnActionMayReleaseItsOwnTimer) {
    auto timer = std::make_shared<Timer>();
    int fired = 0;
    timer->on_action = [&](Timer&) {
        timer.reset(); // the window holding it closes
        ++fired;       // and the Action goes on
    };
    timer->SetMode(2);
    clock->Advance(5000);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(TimerQueue::Instance().NextDueMs(), -1);
}

TEST_F(Timers, AnExceptionInAnActionIsReportedAndTimersGoOn) {
    auto boxes = InstallRecordingMessageBox();
    std::vector<int64_t> fired;
    auto failing = std::make_shared<Timer>();
    failing->on_action = [&](Timer&) { throw NilObjectException(); };
    auto other = NewTimer(1000, fired);
    failing->SetMode(2);
    other->SetMode(2);
    clock->Advance(3000);
    EXPECT_EQ(fired, (std::vector<int64_t>{1000, 2000, 3000}));
    ASSERT_EQ(boxes->texts.size(), 3u);
    EXPECT_NE(boxes->texts[0].find("NilObjectException"), std::string::npos);
}

TEST_F(Timers, PropertyListSetsPeriodAndMode) {
    std::vector<int64_t> fired;
    auto timer = NewTimer(1000, fired);
    timer->SetProperties({{"Name", std::string("Timer2")}, {"Period", 250}, {"Mode", 2}});
    EXPECT_EQ(timer->Name(), "Timer2");
    EXPECT_EQ(timer->Period(), 250);
    clock->Advance(500);
    EXPECT_EQ(fired, (std::vector<int64_t>{250, 500}));
    EXPECT_THROW(timer->SetProperty("Period", std::string("fast")), RuntimeException);
    EXPECT_THROW(timer->SetProperty("Colour", 1), RuntimeException);
}

// A clock that the test moves without running the queue, as a suspended machine does.
class SteppedClock : public Clock {
  public:
    int64_t MonotonicMs() const override { return now_ms; }
    LocalTime Now() const override { return {}; }
    int64_t now_ms = 0;
};

TEST(TimerQueueLate, MissedBeatsAreSkippedNotBurst) {
    const struct {
        int64_t wake_ms;
        std::size_t fired;
        int64_t next_due_ms;
    } rows[] = {
        {999, 0, 1000},    // not due yet
        {1400, 1, 2000},   // a little late: the beat is kept
        {1999, 1, 2000},   // almost a period late: still kept
        {2000, 1, 3000},   // a whole period late: one Action, then a period from now
        {10500, 1, 11500}, // asleep for ten beats
    };
    for (const auto& row : rows) {
        auto clock = std::make_shared<SteppedClock>();
        InstallClock(clock);
        Timer timer;
        std::size_t fired = 0;
        timer.on_action = [&](Timer&) { ++fired; };
        timer.SetMode(2);
        clock->now_ms = row.wake_ms;
        TimerQueue::Instance().RunDue(row.wake_ms);
        EXPECT_EQ(fired, row.fired) << row.wake_ms;
        EXPECT_EQ(TimerQueue::Instance().NextDueMs(), row.next_due_ms) << row.wake_ms;
    }
}

TEST(ManualClockTest, AdvanceMovesBothClocksAndSetLocalTimeOnlyTheWallClock) {
    auto clock = InstallManualClock({2026, 12, 31, 23, 59, 58});
    clock->Advance(2500);
    const Date date;
    EXPECT_EQ(date.Year(), 2027);
    EXPECT_EQ(date.Month(), 1);
    EXPECT_EQ(date.Day(), 1);
    EXPECT_EQ(date.Hour(), 0);
    EXPECT_EQ(date.Minute(), 0);
    EXPECT_EQ(date.Second(), 0);
    EXPECT_EQ(clock->MonotonicMs(), 2500);

    clock->SetLocalTime({2026, 3, 29, 2, 30, 0}); // no daylight-saving gap in virtual time
    EXPECT_EQ(Date().Hour(), 2);
    EXPECT_EQ(Date().Minute(), 30);
    EXPECT_EQ(clock->MonotonicMs(), 2500);
    clock->Advance(500);
    EXPECT_EQ(Date().Second(), 0);
    clock->Advance(500);
    EXPECT_EQ(Date().Second(), 1);
}

TEST(TimerQueueWaker, TheEventLoopRunsDueTimersOnTheSystemClock) {
    int argc = 1;
    char name[] = "test_framework";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    InstallClock(nullptr); // the system clock
    InstallTimerQueueWaker();
    Timer timer;
    timer.SetPeriod(5);
    int fired = 0;
    timer.on_action = [&](Timer& t) {
        if (++fired == 3) t.SetMode(0);
    };
    timer.SetMode(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired == 3; }, 10000));
    EXPECT_EQ(TimerQueue::Instance().NextDueMs(), -1);
}
} // namespace
