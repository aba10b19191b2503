// Windows implementation, for the touch-panel PC beside the machine's panel
// software: the system's fixed paths are real paths there, the on-screen
// keyboard is the system's osk.exe, the starter program has a window of its own.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_text.h"

namespace kvr {

namespace {

constexpr wchar_t kKeyboardWindow[] = L"On-Screen Keyboard";
constexpr wchar_t kStarterWindow[] = L"TorvenaStarter";

std::wstring ModuleFileName() {
  // Long path names can exceed MAX_PATH; grow until the name fits.
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buf.size());
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), size);
    if (n == 0) return {};
    if (n < size) return std::wstring(buf.data(), n);
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
}

std::string ExecutableFolder() {
  std::wstring exe = ModuleFileName();
  const size_t sep = exe.find_last_of(L"\\/");
  if (sep == std::wstring::npos) return {};
  return win32::WideToUtf8(std::wstring_view(exe).substr(0, sep));
}

// Full path of a program in the system folder, so that a file of the same name
// in the station's own or current folder is never run instead. The station is
// built for x64, where System32 is not redirected.
std::wstring SystemProgram(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return name;
  std::wstring path(dir, n);
  if (path.back() != L'\\') path += L'\\';
  path += name;
  return path;
}

class Win32Platform final : public IPlatform {
 public:
  Win32Platform() : startup_(ExecutableFolder()) {}

  std::string StartupFolder() const override { return startup_; }

  // The fixed paths are this machine's own.
  std::string MapSystemPath(std::string_view windowsPath) const override { return std::string(windowsPath); }

  // Qt's dialogs hand out "D:/..."; the panel software expects "D:\...".
  std::string WindowsPathOf(std::string_view path) const override {
    std::string out(path);
    for (char& c : out) {
      if (c == '/') c = '\\';
    }
    return out;
  }

  void StartOnScreenKeyboard() override {
    const std::wstring osk = SystemProgram(L"osk.exe");
    // A failure leaves the operator with the hardware keyboard; nothing to report.
    ShellExecuteW(nullptr, L"open", osk.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
  }

  void CloseOnScreenKeyboard() override {
    if (HWND wnd = FindWindowW(nullptr, kKeyboardWindow)) PostMessageW(wnd, WM_CLOSE, 0, 0);
  }

  void QuitStarter() override {
    // A quit message posted to no window would land in our own queue and end
    // the station, so post only to a starter that is there.
    if (HWND wnd = FindWindowW(nullptr, kStarterWindow)) PostMessageW(wnd, WM_QUIT, 0, 0);
  }

  void PowerOff() override {
    const std::wstring exe = SystemProgram(L"shutdown.exe");
    // CreateProcessW may write into the command line, so it needs its own buffer.
    std::wstring cmd = L"shutdown.exe -s -f -t 0";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                       &pi)) {
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
  }

 private:
  std::string startup_;
};

}  // namespace

std::unique_ptr<IPlatform> CreateNativePlatform() { return std::make_unique<Win32Platform>(); }

}  // namespace kvr
