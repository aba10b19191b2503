#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "support/temp_dir.h"

namespace kvr {
namespace {

namespace fs = std::filesystem;

// Sets (or with nullopt unsets) an environment variable for one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

using test::TempDir;

struct MapCase {
  const char* root;
  const char* windowsPath;
  const char* expected;
};

TEST(PlatformMapPath, MapsWindowsPathsUnderRoot) {
  const MapCase cases[] = {
      {"/r", "D:\\WINDING PROGRAMS\\", "/r/D/WINDING PROGRAMS/"},
      {"/r", "C:\\DSQ\\DSQ_disp\\Program.ini", "/r/C/DSQ/DSQ_disp/Program.ini"},
      {"/r", "c:\\kvr_T_prij.tmp", "/r/C/kvr_T_prij.tmp"},
      {"/r", "d:\\CONST_BOBBIN\\Korper\\", "/r/D/CONST_BOBBIN/Korper/"},
      {"/r", "C:\\Spule Ä\\x.kvr", "/r/C/Spule Ä/x.kvr"},  // the rest keeps its case and bytes
      {"/r", "C:/DSQ/WM_cfg.ini", "/r/C/DSQ/WM_cfg.ini"},
      {"/r", "C:\\", "/r/C/"},
      {"/r", "z:", "/r/Z"},
      {"/r/", "C:\\a", "/r/C/a"},  // no doubled separator
      {"/", "C:\\a", "/C/a"},
      {"drives", "C:\\a", "drives/C/a"},
      // Not of the form "X:\...": only the separators change.
      {"/r", "WINDING PROGRAMS\\a.kvr", "WINDING PROGRAMS/a.kvr"},
      {"/r", "\\\\server\\share\\a", "//server/share/a"},
      {"/r", "C:rel\\a", "C:rel/a"},
      {"/r", "1:\\a", "1:/a"},
      {"/r", "/already/posix", "/already/posix"},
      {"/r", "", ""},
      {"/r", "C", "C"},
  };
  for (const MapCase& c : cases) {
    EXPECT_EQ(MapWindowsPathUnder(c.root, c.windowsPath), c.expected) << "root " << c.root << ", path " << c.windowsPath;
  }
}

TEST(PlatformMapPath, PathsUnderTheRootGoBackToTheirWindowsForm) {
  const MapCase cases[] = {
      {"/r", "/r/D/CONST_BOBBIN/Korper/a.kor", "D:\\CONST_BOBBIN\\Korper\\a.kor"},
      {"/r/", "/r/D/WINDING PROGRAMS/x.kvr", "D:\\WINDING PROGRAMS\\x.kvr"},
      {"/r", "/r/C/", "C:\\"},
      {"/r", "/r/C", "C:"},
      {"/", "/C/a", "C:\\a"},
      // Not under the root, or not a drive folder there: unchanged.
      {"/r", "/home/op/a.kor", "/home/op/a.kor"},
      {"/r", "/rx/D/a", "/rx/D/a"},
      {"/r", "/r/d/a", "/r/d/a"},
      {"/r", "/r/DD/a", "/r/DD/a"},
      {"/r", "/r/", "/r/"},
      {"/r", "/r", "/r"},
      {"/r", "relative/D/a", "relative/D/a"},
      {"", "/D/a", "/D/a"},
      {"/r", "", ""},
  };
  for (const MapCase& c : cases) {
    EXPECT_EQ(WindowsPathFromUnder(c.root, c.windowsPath), c.expected) << "root " << c.root << ", path " << c.windowsPath;
  }
  // Every Windows path of a drive comes back from its mapping as it was written.
  for (const char* w : {"D:\\CONST_BOBBIN\\Korper\\K\xC3\xB6rper 1.kor", "C:\\DSQ\\WM_cfg.ini", "E:\\"}) {
    EXPECT_EQ(WindowsPathFromUnder("/r", MapWindowsPathUnder("/r", w)), w);
  }
}

TEST(PlatformPosix, ExplicitRootWinsOverEnvironment) {
  ScopedEnv env("KVR_DRIVES", "/from-env");
  auto pl = CreatePosixPlatform("/explicit/root");
  EXPECT_EQ(pl->MapSystemPath("D:\\WINDING PROGRAMS\\"), "/explicit/root/D/WINDING PROGRAMS/");
  EXPECT_EQ(pl->MapSystemPath("c:\\kvr_T_prij.tmp"), "/explicit/root/C/kvr_T_prij.tmp");
  EXPECT_EQ(pl->WindowsPathOf("/explicit/root/D/WINDING PROGRAMS/a.kvr"), "D:\\WINDING PROGRAMS\\a.kvr");
  EXPECT_EQ(pl->WindowsPathOf("/from-env/D/a.kvr"), "/from-env/D/a.kvr");
}

TEST(PlatformPosix, DriveRootFromEnvironmentIsReadAtCreation) {
  std::unique_ptr<IPlatform> pl;
  {
    ScopedEnv env("KVR_DRIVES", "/kvr/drives");
    pl = CreateNativePlatform();
    setenv("KVR_DRIVES", "/changed/later", 1);
  }
  EXPECT_EQ(pl->MapSystemPath("C:\\DSQ\\WM_cfg.ini"), "/kvr/drives/C/DSQ/WM_cfg.ini");
}

TEST(PlatformPosix, RelativeDriveRootIsFixedAgainstCurrentFolderAtCreation) {
  TempDir dir;
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  const fs::path inside = fs::current_path();  // resolved, as the platform sees it
  ScopedEnv env("KVR_DRIVES", "rel-drives");
  auto pl = CreateNativePlatform();
  fs::current_path(before);
  EXPECT_EQ(pl->MapSystemPath("C:\\a"), (inside / "rel-drives/C/a").string());
}

TEST(PlatformPosix, UnsetOrEmptyEnvironmentFallsBackToDrivesBesideExecutable) {
  for (std::optional<std::string> value : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
    ScopedEnv env("KVR_DRIVES", value);
    auto pl = CreateNativePlatform();
    EXPECT_EQ(pl->MapSystemPath("D:\\CONST_BOBBIN\\Konst\\"), pl->StartupFolder() + "/drives/D/CONST_BOBBIN/Konst/")
        << (value ? "empty" : "unset");
  }
}

TEST(PlatformPosix, StartupFolderIsTheExecutablesFolder) {
  auto pl = CreatePosixPlatform("/r");
  const std::string folder = pl->StartupFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(fs::is_directory(folder)) << folder;
  EXPECT_TRUE(fs::exists(fs::path(folder) / program_invocation_short_name)) << folder;
  // Independent of the current folder, which the station changes.
  TempDir dir;
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  EXPECT_EQ(CreatePosixPlatform("/r")->StartupFolder(), folder);
  fs::current_path(before);
}

// A stand-in "onboard" on PATH: records its pid, then waits to be terminated.
class FakeKeyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    pidFile_ = dir_.path() / "pids";
    const fs::path script = dir_.path() / "onboard";
    std::ofstream(script) << "#!/bin/sh\necho $$ >> '" << pidFile_.string() << "'\nexec /bin/sleep 30\n";
    fs::permissions(script, fs::perms::owner_all);
    path_.emplace("PATH", "relative-dir::" + dir_.path().string());
  }

  std::vector<pid_t> Pids() const {
    std::vector<pid_t> pids;
    std::ifstream in(pidFile_);
    long pid = 0;
    while (in >> pid) pids.push_back(static_cast<pid_t>(pid));
    return pids;
  }

  std::vector<pid_t> WaitForPids(size_t count) const {
    for (int i = 0; i < 400; ++i) {
      auto pids = Pids();
      if (pids.size() >= count) return pids;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Pids();
  }

  // Gone, or ended and waiting to be collected.
  static bool Ended(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    if (!stat) return kill(pid, 0) != 0 && errno == ESRCH;
    std::string line;
    std::getline(stat, line);
    const size_t paren = line.rfind(')');
    return paren != std::string::npos && paren + 2 < line.size() && line[paren + 2] == 'Z';
  }

  static bool WaitEnded(pid_t pid) {
    for (int i = 0; i < 400; ++i) {
      if (Ended(pid)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  TempDir dir_;
  fs::path pidFile_;
  std::optional<ScopedEnv> path_;
};

TEST_F(FakeKeyboard, StartsOnceAndCloseTerminatesIt) {
  auto pl = CreatePosixPlatform("/r");
  pl->StartOnScreenKeyboard();
  pl->StartOnScreenKeyboard();  // still up: no second keyboard
  auto pids = WaitForPids(1);
  ASSERT_EQ(pids.size(), 1u);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(Pids().size(), 1u);
  EXPECT_FALSE(Ended(pids[0]));

  pl->CloseOnScreenKeyboard();
  EXPECT_TRUE(WaitEnded(pids[0]));

  // Once closed, the next save starts a fresh one.
  pl->StartOnScreenKeyboard();
  pids = WaitForPids(2);
  ASSERT_EQ(pids.size(), 2u);
  pl.reset();  // the platform takes its keyboard along
  EXPECT_TRUE(WaitEnded(pids[1]));
}

TEST_F(FakeKeyboard, KeyboardClosedByOperatorCanBeStartedAgain) {
  auto pl = CreatePosixPlatform("/r");
  pl->StartOnScreenKeyboard();
  auto pids = WaitForPids(1);
  ASSERT_EQ(pids.size(), 1u);
  kill(pids[0], SIGTERM);
  ASSERT_TRUE(WaitEnded(pids[0]));
  pl->StartOnScreenKeyboard();
  EXPECT_EQ(WaitForPids(2).size(), 2u);
}

TEST_F(FakeKeyboard, MissingOrNotExecutableKeyboardIsSkipped) {
  fs::permissions(dir_.path() / "onboard", fs::perms::owner_read | fs::perms::owner_write);
  auto pl = CreatePosixPlatform("/r");
  pl->StartOnScreenKeyboard();
  pl->CloseOnScreenKeyboard();
  {
    ScopedEnv noKeyboard("PATH", (dir_.path() / "empty").string());
    pl->StartOnScreenKeyboard();
    pl->CloseOnScreenKeyboard();
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(Pids().empty());
}

}  // namespace
}  // namespace kvr
