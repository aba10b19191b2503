// INI files of the machine's panel software, read and written by Windows'
// rules: section and key names compare without regard to case (ASCII
// letters), the first section of a name and its first key of a name count,
// blanks around a value are dropped and a value in double or single quotes
// loses them. Writing a key changes that key's line only and keeps every other
// byte of the file. Values are Windows-1252 text (UTF-8 when the file starts
// with a UTF-8 signature) and UTF-8 in memory.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kvr {

// The value of the first key of that name in the first section of that name,
// as bytes; nothing when there is no such key or its line holds no "=".
std::optional<std::string> IniFindValue(std::string_view text, std::string_view section, std::string_view key);

// The file's text with one key set: the line of the key IniFindValue reads
// becomes "key=value" (the key spelt as in the file, the line's own line end
// kept); a missing key is put after the last non-blank line of the section, a
// missing section is appended with the key. A new key line ends as the line it
// follows; otherwise new lines end as the file's first line does (CR LF in a
// file without one). Section and key names must be
// non-empty without line breaks, surrounding blanks, "]" in the section or "="
// in the key, and must not start with ";" or "["; the value must hold no line
// break: otherwise throws TIoError, since such a key would change other lines.
std::string IniSetValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

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

  // Change the text in memory (see IniSetValue; throws TIoError likewise).
  void ZapisText(std::string_view sekcia, std::string_view kluc, std::string_view hodnota);
  void ZapisBajty(std::string_view sekcia, std::string_view kluc, std::string_view bajty);
  // Replaces the file with the text (written beside, then renamed); throws
  // TIoError when it cannot.
  void Uloz() const;

 private:
  bool Utf8() const;
  std::string cesta_;
  std::string text_;
  bool nacitany_ = false;
};

}  // namespace kvr
