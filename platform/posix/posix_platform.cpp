// POSIX implementation: the fixed Windows paths live under a folder of drives,
// the on-screen keyboard is onboard when it is installed, and the starter
// program and the power switch of the machine PC do not exist here.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/platform.h"

extern "C" char** environ;

namespace kvr {

namespace {

namespace fs = std::filesystem;

std::string WithoutTrailingSlash(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

std::string ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  fs::path folder;
  if (!ec) folder = exe.parent_path();
  // Without /proc the current folder at start is the best guess left.
  if (folder.empty()) folder = fs::current_path(ec);
  return WithoutTrailingSlash(folder.string());
}

// The station changes its current folder, so a relative root is fixed once.
std::string AbsoluteRoot(std::string root) {
  if (root.empty() || root.front() == '/') return root;
  std::error_code ec;
  fs::path abs = fs::absolute(root, ec);
  return ec ? root : abs.string();
}

std::string DefaultDriveRoot(const std::string& startup) {
  const char* env = std::getenv("KVR_DRIVES");
  if (env != nullptr && *env != '\0') return AbsoluteRoot(env);
  return startup + "/drives";
}

// Only absolute PATH entries: an empty or relative entry would resolve against
// whatever the current folder happens to be.
std::string FindExecutableOnPath(std::string_view name) {
  const char* env = std::getenv("PATH");
  std::string_view path = (env != nullptr) ? env : "/usr/local/bin:/usr/bin:/bin";
  while (!path.empty()) {
    size_t colon = path.find(':');
    std::string_view dir = path.substr(0, colon);
    path = (colon == std::string_view::npos) ? std::string_view{} : path.substr(colon + 1);
    if (dir.empty() || dir.front() != '/') continue;
    std::string candidate(dir);
    if (candidate.back() != '/') candidate += '/';
    candidate.append(name);
    struct stat st {};
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return {};
}

// Starts the program in a session of its own, stdin from /dev/null, with a
// clean signal state (the caller may block or ignore signals). Returns -1 when
// it could not be started.
pid_t SpawnDetached(const std::string& exe) {
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return -1;
  posix_spawnattr_t attr;
  if (posix_spawnattr_init(&attr) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return -1;
  }
  pid_t pid = -1;
  bool ok = posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0;
  sigset_t mask;
  sigemptyset(&mask);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int sig : {SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGTERM, SIGCHLD}) sigaddset(&defaults, sig);
  short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
  flags = static_cast<short>(flags | POSIX_SPAWN_SETSID);
#else
  flags = static_cast<short>(flags | POSIX_SPAWN_SETPGROUP);
  ok = ok && posix_spawnattr_setpgroup(&attr, 0) == 0;
#endif
  ok = ok && posix_spawnattr_setflags(&attr, flags) == 0;
  ok = ok && posix_spawnattr_setsigmask(&attr, &mask) == 0;
  ok = ok && posix_spawnattr_setsigdefault(&attr, &defaults) == 0;
  if (ok) {
    std::string arg0 = fs::path(exe).filename().string();
    char* argv[] = {arg0.data(), nullptr};
    if (posix_spawn(&pid, exe.c_str(), &actions, &attr, argv, environ) != 0) pid = -1;
  }
  posix_spawnattr_destroy(&attr);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Collects the child if it has ended; never waits.
bool HasEnded(pid_t pid) {
  int status = 0;
  pid_t r;
  do {
    r = waitpid(pid, &status, WNOHANG);
  } while (r < 0 && errno == EINTR);
  // ECHILD: already collected elsewhere (e.g. SIGCHLD ignored), so gone as well.
  return r == pid || (r < 0 && errno == ECHILD);
}

class PosixPlatform final : public IPlatform {
 public:
  PosixPlatform(std::string startup, std::string driveRoot)
      : startup_(std::move(startup)), driveRoot_(std::move(driveRoot)) {}
  PosixPlatform(const PosixPlatform&) = delete;
  PosixPlatform& operator=(const PosixPlatform&) = delete;

  // A keyboard we started does not outlive the station.
  ~PosixPlatform() override {
    CloseOnScreenKeyboard();
    CollectEnded();
  }

  std::string StartupFolder() const override { return startup_; }

  std::string MapSystemPath(std::string_view windowsPath) const override {
    return MapWindowsPathUnder(driveRoot_, windowsPath);
  }

  std::string WindowsPathOf(std::string_view path) const override { return WindowsPathFromUnder(driveRoot_, path); }

  void StartOnScreenKeyboard() override {
    CollectEnded();
    // One keyboard at a time: it may still be up from an earlier save.
    if (keyboard_ > 0) return;
    std::string exe = FindExecutableOnPath("onboard");
    if (exe.empty()) return;
    keyboard_ = SpawnDetached(exe);
  }

  void CloseOnScreenKeyboard() override {
    CollectEnded();
    if (keyboard_ <= 0) return;
    // The keyboard leads its own process group; take its helpers along.
    if (kill(-keyboard_, SIGTERM) != 0) kill(keyboard_, SIGTERM);
    if (!HasEnded(keyboard_)) ending_.push_back(keyboard_);
    keyboard_ = -1;
  }

  // The machine PC's starter program does not run here.
  void QuitStarter() override {}

  // Never switch off a development or test machine.
  void PowerOff() override {}

 private:
  // Collects keyboards that have ended, so that none stays a zombie and a
  // keyboard the operator closed himself can be started again.
  void CollectEnded() {
    if (keyboard_ > 0 && HasEnded(keyboard_)) keyboard_ = -1;
    std::erase_if(ending_, [](pid_t pid) { return HasEnded(pid); });
  }

  std::string startup_;
  std::string driveRoot_;
  pid_t keyboard_ = -1;
  std::vector<pid_t> ending_;  // told to terminate, not yet collected
};

}  // namespace

std::unique_ptr<IPlatform> CreatePosixPlatform(std::string driveRoot) {
  return std::make_unique<PosixPlatform>(ExecutableFolder(), AbsoluteRoot(std::move(driveRoot)));
}

std::unique_ptr<IPlatform> CreateNativePlatform() {
  std::string startup = ExecutableFolder();
  std::string root = DefaultDriveRoot(startup);
  return std::make_unique<PosixPlatform>(std::move(startup), std::move(root));
}

}  // namespace kvr
