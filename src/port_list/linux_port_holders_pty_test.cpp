// A real process holding a pseudo-terminal open is found by the real /proc.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "port_list/linux_port_obstacles.h"
#include "support/pty_pair.h"

namespace {

TEST(LinuxPortHolders, FindsAProcessThatHoldsTheTerminalOpen) {
  PtyPair pty;
  pty.slave = UniqueFd();  // only the child holds the terminal
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::prctl(PR_SET_NAME, "port-holder");
    const int fd = ::open(pty.path.c_str(), O_RDWR | O_NOCTTY);
    (void)!::write(ready[1], fd >= 0 ? "y" : "n", 1);
    ::pause();
    ::_exit(0);
  }
  char answer = 0;
  ASSERT_EQ(::read(ready[0], &answer, 1), 1);
  ::close(ready[0]);
  ::close(ready[1]);
  const std::vector<PortHolder> holders = linux_port_holders(this_linux_system(), pty.path);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ASSERT_EQ(answer, 'y');
  EXPECT_TRUE(std::any_of(holders.begin(), holders.end(), [&](const PortHolder& h) {
    return h.pid == child && h.program == "port-holder";
  }));
}

}  // namespace
