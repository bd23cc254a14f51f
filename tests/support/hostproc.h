// The command-line host started as a child process, for the tests that run
// it whole and watch it from outside (signals, file-size caps, two at once).
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace drelm::test {

// The host on INPUT with its files in DIR; its standard output and error go
// to OUT and ERR. FSIZE > 0 caps the size of every file it writes, the
// signal of a write beyond the cap left as the shell leaves it: the host
// itself ignores it, so that such writes fail rather than end the process. THREADS > 0 sets the host's OpenMP thread count (several runs at
// once on a busy machine). Returns the child's pid, -1 when it cannot fork.
inline pid_t forkHost(const std::filesystem::path& input, const std::filesystem::path& dir,
                      const std::filesystem::path& out, const std::filesystem::path& err, rlim_t fsize = 0,
                      int threads = 0) {
  const std::string in = input.string(), outDir = dir.string(), o = out.string(), e = err.string();
  std::vector<std::string> env;
  for (char** v = environ; *v; ++v)
    if (threads <= 0 || std::string(*v).rfind("OMP_NUM_THREADS=", 0) != 0) env.emplace_back(*v);
  if (threads > 0) env.push_back("OMP_NUM_THREADS=" + std::to_string(threads));
  std::vector<char*> envp;
  for (std::string& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int fo = open(o.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int fe = open(e.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fo, STDOUT_FILENO);
    dup2(fe, STDERR_FILENO);
    if (fsize > 0) {
      signal(SIGXFSZ, SIG_DFL);
      const rlimit lim{fsize, fsize};
      setrlimit(RLIMIT_FSIZE, &lim);
    }
    execle(DRELM_HOST_BIN, DRELM_HOST_BIN, in.c_str(), "--out", outDir.c_str(), static_cast<char*>(nullptr),
           envp.data());
    _exit(127);
  }
  return pid;
}

// How a bounded run of the host ended.
struct Bounded {
  int exit = -1;      // its exit status; -1 when it did not exit
  bool hung = false;  // still running at the bound, and killed
  double seconds = 0;
};

// Waits for the child PID for at most LIMIT seconds, sending it SIGTERM once
// TERM_AFTER seconds have passed when that is above 0. A child still running
// at the bound is killed: a run that hangs fails its test instead of holding
// it.
inline Bounded waitBounded(pid_t pid, double limit, double termAfter = 0) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point t0 = Clock::now();
  const auto since = [&] { return std::chrono::duration<double>(Clock::now() - t0).count(); };
  Bounded b;
  int st = 0;
  bool termed = false;
  for (;;) {
    const pid_t got = waitpid(pid, &st, WNOHANG);
    if (got == pid || got < 0) break;
    if (termAfter > 0 && !termed && since() >= termAfter) termed = kill(pid, SIGTERM) == 0;
    if (since() > limit) {
      b.hung = true;
      kill(pid, SIGKILL);
      waitpid(pid, &st, 0);
      break;
    }
    usleep(10000);
  }
  b.seconds = since();
  b.exit = !b.hung && WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return b;
}

// Runs CMD through the shell, its standard output into OUT; the exit status,
// -1 when it did not exit.
inline int runCapturing(const std::string& cmd, std::string& out) {
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return -1;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  const int st = pclose(p);
  return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

}  // namespace drelm::test
