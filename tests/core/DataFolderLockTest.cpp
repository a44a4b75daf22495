#include "core/DataFolderLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/DataFolderFixture.h"

using DataFolderLockTest = DataFolderTest;

TEST_F(DataFolderLockTest, OneHolderAtATime) {
  {
    const DataFolderLock first = DataFolderLock::Acquire();
    EXPECT_EQ(first.GetState(), DataFolderLock::State::Held);
    const DataFolderLock second = DataFolderLock::Acquire();
    EXPECT_EQ(second.GetState(), DataFolderLock::State::InUse);
  }
  EXPECT_EQ(DataFolderLock::Acquire().GetState(), DataFolderLock::State::Held);
}

// The kernel lets go of a killed program's lock: nothing stale blocks the next start.
TEST_F(DataFolderLockTest, KilledHolderDoesNotBlock) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    const DataFolderLock lock = DataFolderLock::Acquire();
    const char state = lock.GetState() == DataFolderLock::State::Held ? 'h' : 'x';
    [[maybe_unused]] const ssize_t sent = ::write(ready[1], &state, 1);
    for (;;) ::pause();
  }
  char state = 0;
  ASSERT_EQ(::read(ready[0], &state, 1), 1);
  EXPECT_EQ(state, 'h');
  EXPECT_EQ(DataFolderLock::Acquire().GetState(), DataFolderLock::State::InUse);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(DataFolderLock::Acquire().GetState(), DataFolderLock::State::Held);
  ::close(ready[0]);
  ::close(ready[1]);
}
