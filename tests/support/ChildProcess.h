// Code run in a child process, as this user or another: for crashes, other users and mounts.
#ifndef ZODAVUDAZ_TESTS_SUPPORT_CHILDPROCESS_H
#define ZODAVUDAZ_TESTS_SUPPORT_CHILDPROCESS_H

#include <zodavudaz/platform/Ticks.h>

#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

/// An unprivileged user for the cases that need a second one (the tests run as root in CI).
constexpr uid_t OtherUser = 65534;

/// Whether the tests may act as OtherUser, give files away and mount.
inline bool IsPrivileged() { return geteuid() == 0; }

/// Exit code of a child that could not become the user it was to run as.
constexpr int NoSuchUser = 120;

/// Starts body in a child process, as user where that is not the caller; the child's exit code is
/// the low 8 bits of body's result.
inline pid_t StartChild(const std::function<int()>& body, uid_t user = geteuid()) {
  const pid_t child = fork();
  if (child == 0) {
    // Without root's supplementary groups, which would still open root's files to the child.
    if (user != geteuid() && (setgroups(0, nullptr) != 0 || setgid(user) != 0 || setuid(user) != 0))
      _exit(NoSuchUser);
    _exit(body());
  }
  return child;
}

/// Runs body as StartChild does and gives its exit code, or -1 where it died from a signal or ran
/// longer than milliseconds (then it is killed).
inline int RunInChild(const std::function<int()>& body, uid_t user = geteuid(), DWORD milliseconds = 60000) {
  const pid_t child = StartChild(body, user);
  const DWORD start = GetTickCount();
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (GetTickCount() - start > milliseconds) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return -1;
    }
    Sleep(1);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif
