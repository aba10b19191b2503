// The operating system as the station uses it: where it runs from, the fixed
// paths of the machine's panel software, the on-screen keyboard, the starter
// program and the power switch. Windows is the station's real home; on POSIX
// the fixed Windows paths map into a folder of drives.
#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace kvr {

class IPlatform {
 public:
  virtual ~IPlatform() = default;

  // Folder of the executable, without a trailing separator.
  virtual std::string StartupFolder() const = 0;
  // A fixed Windows path of the system ("D:\WINDING PROGRAMS\", "C:\DSQ\...")
  // as a path of this machine. A trailing separator is kept.
  virtual std::string MapSystemPath(std::string_view windowsPath) const = 0;
  // The form in which a path of this machine goes into the files that the
  // panel software on Windows reads: a path under the drive root becomes
  // "X:\..." again, "/" becomes "\" on Windows; any other path is unchanged.
  virtual std::string WindowsPathOf(std::string_view path) const = 0;

  virtual void StartOnScreenKeyboard() = 0;
  virtual void CloseOnScreenKeyboard() = 0;
  // Posts a quit message to the starter program's window.
  virtual void QuitStarter() = 0;
  // Switches the PC off.
  virtual void PowerOff() = 0;
};

// The implementation for the machine this was built for. On POSIX the drive
// root is $KVR_DRIVES, or "<StartupFolder>/drives" when that is unset or empty,
// read once here.
std::unique_ptr<IPlatform> CreateNativePlatform();

#if !defined(_WIN32)
// The POSIX implementation with an explicit drive root (tests, tools).
std::unique_ptr<IPlatform> CreatePosixPlatform(std::string driveRoot);
#endif

// Maps "X:\a\b" to "<root>/X/a/b" (drive letter upper case, "/" separators).
// A path that is not of the form "X:\..." is returned with "\" turned into "/".
std::string MapWindowsPathUnder(std::string_view root, std::string_view windowsPath);
// The reverse: "<root>/X/a/b" (X an upper-case letter) to "X:\a\b"; a path
// not under "<root>/X" is returned unchanged.
std::string WindowsPathFromUnder(std::string_view root, std::string_view path);

}  // namespace kvr
