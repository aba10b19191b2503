// The error description window: the operator looks up and edits the texts of
// the program check's error codes, kept in "Errors.de" beside the executable.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/form.h"

namespace kvr {

struct TKontext;

inline constexpr const char* kSuborChyb = "Errors.de";

// A file in the executable's folder (the station's startup folder; the
// platform's when that is not set yet).
std::string BesideProgram(const TKontext& k, std::string_view meno);

// Lines of a text file as the station keeps them: Windows-1252 on disk
// (UTF-8 when the bytes carry a UTF-8 signature or are UTF-8 with characters
// beyond ASCII, as a modern editor leaves them), UTF-8 in memory. CR LF, LF
// and a lone CR all end a line; a break after the last line adds none.
std::vector<std::string> RiadkyTextu(std::string_view bajty);
// Windows-1252, every line ended by CR LF. A line break inside a line starts
// a new one.
std::string TextZRiadkov(const std::vector<std::string>& riadky);

class TfErrors : public TForm {
 public:
  explicit TfErrors(TKontext& k);

  TControl Memo1{*this, "Memo1", TControlKind::Memo, "", {0, 0, 719, 646}};

  void FormCreate() override;
  // Loads "Errors.de" into Memo1 each time the window is shown.
  void FormShow() override;
  // The user closes the window: Memo1's lines go back into "Errors.de" when
  // they differ from what was loaded. A failed save is reported and keeps the
  // window open with the edits; closing again with the same lines gives them
  // up, so a folder that cannot be written never traps the window.
  bool FormClose() override;

  // Shows the window without waiting for it.
  void Zobraz();

 private:
  TKontext& k_;
  std::vector<std::string> nacitane_;                      // the lines as loaded
  std::optional<std::vector<std::string>> neulozene_;      // lines whose save failed
};

}  // namespace kvr
