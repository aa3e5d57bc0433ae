// A hang-up asks for the same clean end as Ctrl-C, unless nohup ignored it.
#include <gtest/gtest.h>

#include <csignal>

#include "platform/system/TerminationSignal.h"

TEST(TerminationSignal, HangUpEndsCleanlyUnlessIgnoredAtStart) {
  std::signal(SIGHUP, SIG_IGN);  // as under nohup
  const std::atomic<bool>& stop = korvan::InstallTerminationHandlers();
  std::raise(SIGHUP);
  EXPECT_FALSE(stop.load());
  std::signal(SIGHUP, SIG_DFL);  // as from a terminal; unhandled, it would end this test
  korvan::InstallTerminationHandlers();
  std::raise(SIGHUP);
  EXPECT_TRUE(stop.load());
}
