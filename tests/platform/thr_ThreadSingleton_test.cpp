#include "ddb/platform/thr_ThreadSingleton.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "ddb/platform/omi_Singleton.h"

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

class Process : public omi_Singleton<Process> {
 public:
  int value = 0;
};

TEST(thr_ThreadSingleton_Instance, SameObjectOnOneThread) {
  Counter& a = Counter::Instance();
  a.value = 7;
  EXPECT_EQ(&a, &Counter::Instance());
  EXPECT_EQ(Counter::Instance().value, 7);
  EXPECT_EQ(Counter::Finalize(), 1);
}

TEST(thr_ThreadSingleton_Instance, DistinctObjectPerThread) {
  Counter& mine = Counter::Instance();
  mine.value = 1;
  const Counter* theirs = nullptr;
  int theirValue = -1;
  int liveWhileBothExist = 0;
  std::thread other([&] {
    Counter& c = Counter::Instance();
    theirs = &c;
    theirValue = c.value;
    liveWhileBothExist = Counter::LiveCount();
    EXPECT_EQ(Counter::Finalize(), 1);
    EXPECT_EQ(Counter::Finalize(), 0);
  });
  other.join();
  EXPECT_NE(theirs, &mine);
  EXPECT_EQ(theirValue, 0);
  EXPECT_EQ(liveWhileBothExist, 2);
  EXPECT_EQ(Counter::Instance().value, 1);
  EXPECT_EQ(Counter::Finalize(), 1);
  EXPECT_EQ(Counter::Finalize(), 0);
  EXPECT_EQ(Counter::LiveCount(), 0);
}

TEST(thr_ThreadSingleton_Finalize, ThreadEndDestroysItsInstance) {
  int registered = 0;
  std::thread other([&] {
    Counter::Instance();
    registered = thr_ThrSingletonRegistry::RegisteredCount();
  });
  other.join();
  EXPECT_EQ(registered, 1);
  EXPECT_EQ(Counter::LiveCount(), 0);
}

TEST(thr_ThreadSingleton_Finalize, RecreatedAfterFinalize) {
  Counter::Instance().value = 5;
  EXPECT_EQ(Counter::Finalize(), 1);
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

TEST(omi_Singleton_Lifecycle, CreatedOnFirstUseDestroyedByFinalize) {
  EXPECT_FALSE(Process::Exists());
  Process::Instance().value = 3;
  EXPECT_TRUE(Process::Exists());
  EXPECT_EQ(Process::Instance().value, 3);
  Process::Finalize();
  EXPECT_FALSE(Process::Exists());
  EXPECT_EQ(Process::Instance().value, 0);
  Process::Finalize();
}

}  // namespace
