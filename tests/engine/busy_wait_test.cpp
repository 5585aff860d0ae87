#include "busy_wait.h"
#include "engine_fixture.h"

#include <QFile>
#include <chrono>
#include <sqlite3.h>
#include <vector>

namespace pellimo {
namespace {

class LockedCatalogue : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        setBusyWaitLimit(WaitLimit);
        setBusyWaitHooks({[this] { waits.push_back(std::chrono::steady_clock::now()); }, [this] { ++ends; }});
        sqlite3_open(QFile::encodeName(catalogue.dbPath()).constData(), &locker);
        sqlite3_exec(locker, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        sqlite3_close(locker);
        setBusyWaitHooks({});
        setBusyWaitLimit(std::chrono::seconds(10));
    }

    static constexpr auto WaitLimit = std::chrono::milliseconds(500);

    sqlite3* locker = nullptr;
    std::vector<std::chrono::steady_clock::time_point> waits;
    int ends = 0;
};

TEST_F(LockedCatalogue, AWaitLetsTheProgramRunOftenThenGivesUpWithAClearFailure) {
    const auto started = std::chrono::steady_clock::now();
    std::string description;
    EXPECT_EQ(errorOf([&] {
                  try {
                      open("Sets")->MoveFirst();
                  } catch (const EngineError& failure) {
                      description = failure.what();
                      throw;
                  }
              }),
              err::Locked);
    EXPECT_EQ(description, "The catalogue is in use by another program; try again in a moment.");
    EXPECT_GE(std::chrono::steady_clock::now() - started, WaitLimit);
    // Many short pauses, not one long sleep: the bound is loose so that a loaded machine passes too.
    EXPECT_GE(waits.size(), 5u);
    ASSERT_FALSE(waits.empty());
    EXPECT_LT(waits.front() - started, WaitLimit / 2);
    for (std::size_t i = 1; i < waits.size(); ++i)
        EXPECT_LT(waits[i] - waits[i - 1], WaitLimit / 2) << i;
    EXPECT_EQ(ends, 1);
}

TEST_F(LockedCatalogue, AWaitEndsOnceTheLockIsFree) {
    setBusyWaitHooks({[this] {
                          if (waits.size() == 3)
                              sqlite3_exec(locker, "ROLLBACK", nullptr, nullptr, nullptr);
                          waits.push_back(std::chrono::steady_clock::now());
                      },
                      [this] { ++ends; }});
    auto sets = open("Sets");
    EXPECT_EQ(sets->RecordCount(), 3);
    EXPECT_EQ(waits.size(), 4u);
    EXPECT_EQ(ends, 1);
}

TEST_F(LockedCatalogue, OnceACommandHasGivenUpItsLaterStepsFailAtOnceAndTheNextCommandWaitsAgain) {
    {
        const LockWaitCommand command;
        EXPECT_EQ(errorOf([&] { open("Sets")->MoveFirst(); }), err::Locked);
        const std::size_t waited = waits.size();
        EXPECT_GT(waited, 0u);
        {
            const LockWaitCommand inner; // a handler that runs inside the command belongs to it
            EXPECT_EQ(errorOf([&] { open("Basics")->MoveFirst(); }), err::Locked);
        }
        EXPECT_EQ(errorOf([&] { open("Specials")->MoveFirst(); }), err::Locked);
        EXPECT_EQ(waits.size(), waited);
    }
    const std::size_t before = waits.size();
    const LockWaitCommand next;
    EXPECT_EQ(errorOf([&] { open("Sets")->MoveFirst(); }), err::Locked);
    EXPECT_GT(waits.size(), before);
}

} // namespace
} // namespace pellimo
