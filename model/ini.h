// INI files of the machine's panel software, read and written by Windows'
// rules: section and key names compare without regard to case, the first of
// duplicate keys counts, blanks around a value are dropped and a value in
// double quotes loses them. Values are Windows-1252 text (UTF-8 when the file
// starts with a UTF-8 signature) and UTF-8 in memory.
#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace kvr {

class TIniSubor {
 public:
  // Reads the file when it exists; a file that is missing or cannot be read
  // reads as empty, as the Windows profile functions treat it.
  explicit TIniSubor(std::string cesta);
  ~TIniSubor();
  TIniSubor(const TIniSubor&) = delete;
  TIniSubor& operator=(const TIniSubor&) = delete;

  bool Nacitany() const { return nacitany_; }  // the file existed and was read

  std::string CitajText(std::string_view sekcia, std::string_view kluc, std::string_view predvolene = {}) const;
  // The value's bytes as they stand in the file, for callers that decide the
  // encoding themselves.
  std::string CitajBajty(std::string_view sekcia, std::string_view kluc, std::string_view predvolene = {}) const;

  void ZapisText(std::string_view sekcia, std::string_view kluc, std::string_view hodnota);
  void ZapisBajty(std::string_view sekcia, std::string_view kluc, std::string_view bajty);
  // Writes the whole file; throws TIoError when it cannot.
  void Uloz() const;

 private:
  struct Impl;
  std::string cesta_;
  std::unique_ptr<Impl> impl_;
  bool nacitany_ = false;
};

}  // namespace kvr
