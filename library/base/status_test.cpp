#include "base/status.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace oldvek {
namespace {

Result<std::unique_ptr<int>> Number(bool fails, int& calls) {
  ++calls;
  if (fails) return Status::Error("no number", Status::Kind::kInUse);
  return std::make_unique<int>(7);
}

// Unwraps into a new variable and into an existing one, under a return type of its own.
Result<std::string> Twice(bool first_fails, bool second_fails, int& calls) {
  OLDVEK_ASSIGN_OR_RETURN(std::unique_ptr<int> first, Number(first_fails, calls));
  std::unique_ptr<int> second;
  OLDVEK_ASSIGN_OR_RETURN(second, Number(second_fails, calls));
  return std::to_string(*first + *second);
}

Status Once(bool fails, int& calls) {
  OLDVEK_ASSIGN_OR_RETURN(auto number, Number(fails, calls));
  return *number == 7 ? Status::Ok() : Status::Error("wrong number");
}

TEST(AssignOrReturnTest, PassesTheFirstFailureOnWithItsKindAndEvaluatesEachExpressionOnce) {
  int calls = 0;
  const Result<std::string> both = Twice(false, false, calls);
  ASSERT_TRUE(both.ok());
  EXPECT_EQ(*both, "14");
  EXPECT_EQ(calls, 2);

  calls = 0;
  const Result<std::string> second = Twice(false, true, calls);
  EXPECT_EQ(second.status().message(), "no number");
  EXPECT_EQ(second.status().kind(), Status::Kind::kInUse);
  EXPECT_EQ(calls, 2);

  calls = 0;
  EXPECT_FALSE(Twice(true, false, calls).ok());
  EXPECT_EQ(calls, 1);

  calls = 0;
  EXPECT_TRUE(Once(false, calls).ok());
  EXPECT_EQ(Once(true, calls).message(), "no number");
  EXPECT_EQ(calls, 2);
}

#ifndef NDEBUG  // the check is an assert: builds with assertions (the sanitizer build) run it
TEST(ResultDeathTest, RefusesASuccessInPlaceOfAValue) {
  EXPECT_DEATH((void)Result<int>(Status::Ok()), "a Result without a value needs a failed Status");
}
#endif

}  // namespace
}  // namespace oldvek
