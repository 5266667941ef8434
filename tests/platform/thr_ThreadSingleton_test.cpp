#include "ddb/platform/thr_ThreadSingleton.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace {

class Counter : public thr_ThreadSingleton<Counter> {
 public:
  int value = 0;
};

class Fragile : public thr_ThreadSingleton<Fragile> {
 public:
  static bool fail;
  Fragile() {
    if (fail) throw std::runtime_error("cannot build");
  }
};
bool Fragile::fail = true;

// One object per thread, the same on each call; a thread's end or Finalize destroys its own.
TEST(thr_ThreadSingleton_Instance, OneObjectPerThreadUntilFinalizeOrThreadEnd) {
  Counter& mine = Counter::Instance();
  mine.value = 1;
  EXPECT_EQ(&mine, &Counter::Instance());
  const Counter* theirs = nullptr;
  int theirValue = -1, liveWhileBothExist = 0, registered = 0;
  std::thread([&] {
    theirs = &Counter::Instance();
    theirValue = theirs->value;
    liveWhileBothExist = Counter::LiveCount();
    registered = thr_ThrSingletonRegistry::RegisteredCount();
  }).join();
  EXPECT_NE(theirs, &mine);
  EXPECT_EQ(theirValue, 0);
  EXPECT_EQ(liveWhileBothExist, 2);
  EXPECT_EQ(registered, 1);
  EXPECT_EQ(Counter::LiveCount(), 1);
  EXPECT_EQ(Counter::Instance().value, 1);
  EXPECT_EQ(Counter::Finalize(), 1);
  EXPECT_EQ(Counter::Finalize(), 0);
  EXPECT_EQ(Counter::Instance().value, 0);
  EXPECT_EQ(thr_ThrSingletonRegistry::FinalizeCallingThread(), 1);
  EXPECT_EQ(Counter::LiveCount(), 0);
}

TEST(thr_ThreadSingleton_Instance, FailedConstructionLeavesNoInstance) {
  Fragile::fail = true;
  EXPECT_THROW(Fragile::Instance(), std::runtime_error);
  EXPECT_EQ(Fragile::LiveCount(), 0);
  EXPECT_EQ(Fragile::Finalize(), 0);
  Fragile::fail = false;
  Fragile& built = Fragile::Instance();
  EXPECT_EQ(&built, &Fragile::Instance());
  EXPECT_EQ(Fragile::LiveCount(), 1);
  EXPECT_EQ(Fragile::Finalize(), 1);
}

}  // namespace
