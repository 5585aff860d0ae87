#include "engine_error.h"
#include "resume_next.h"
#include "skipped_failure_log.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace pellimo {
namespace {

TEST(SkippedFailures, EachSkippedStepIsLoggedWithItsNumberDescriptionAndPlace) {
    SkippedFailureLog log;
    ResumeNext step;
    const auto noRecord = [] { throw EngineError(err::NoCurrentRecord, "No current record."); };
    const auto unnumbered = [] { throw std::runtime_error("bad allocation"); };
    const int line = __LINE__ + 1;
    EXPECT_EQ(step(noRecord), err::NoCurrentRecord);
    EXPECT_EQ(step(unnumbered), UnnumberedFailure);
    EXPECT_EQ(step([] {}), 0);
    ASSERT_EQ(log.lines().size(), 2);
    EXPECT_EQ(log.lines()[0],
              QString("skipped at skipped_failures_test.cpp:%1: failure 3021: No current record.").arg(line));
    EXPECT_EQ(log.lines()[1],
              QString("skipped at skipped_failures_test.cpp:%1: failure -1: bad allocation").arg(line + 1));
}

TEST(SkippedFailures, TestThatFailsIsLoggedAndCountsAsTrue) {
    SkippedFailureLog log;
    ResumeNext step;
    EXPECT_TRUE(step.test([]() -> bool { throw EngineError(err::ItemNotFound, "Item not found"); }));
    EXPECT_FALSE(step.test([] { return false; }));
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines()[0].endsWith("failure 3265: Item not found"));
}

TEST(SkippedFailures, NothingIsLoggedUnlessAsked) {
    SkippedFailureLog log(false);
    ResumeNext step;
    step([] { throw EngineError(err::NoCurrentRecord, "No current record."); });
    EXPECT_TRUE(log.lines().isEmpty());
}

} // namespace
} // namespace pellimo
