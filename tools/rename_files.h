// Renaming KVR-G/C program files after the coil name their header carries.
// The checks, the name and the rename live here, without questions; the
// conversion window (ui/rename_window.h) and kvrtool's rename command ask and
// report around them.
//
// Paths are UTF-8 in memory, as everywhere in the station. A file is renamed
// inside its own folder, and a rename never replaces an existing file.
#pragma once
#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvr {

// The conversion window's texts for one file.
inline constexpr std::string_view kTextNemozemOtvorit = " Nemôžem otvoriť SuborKonv: ";
inline constexpr std::string_view kTextSuborKonv = "  SÚBOR:   ";
inline constexpr std::string_view kTextNieJePredpis = "  nie je navíjací predpis ";

// The shortest KVR-G/C file: header record, trailer and end marker.
inline constexpr uint64_t kMinDlzkaPredpisu = 1206;
// What is read of the file's start for its name.
inline constexpr size_t kDlzkaZaciatku = 256;

enum class TRenameResult { Renamed, Failed, Skipped };

enum class TRenameWhy {
  None,
  CannotOpen,    // not an ordinary file, or it cannot be opened or read
  NotAProgram,   // shorter than 1206 bytes, or not ending in the KVR-G/C marker
  EmptyName,     // the name field gives no name: nothing happens
  UnusableName,  // only blanks and points, which no file name can be
  TargetExists,  // another file (or folder) already has the new name
  SystemError,   // the operating system refused the rename
};

struct TRenameOutcome {
  TRenameResult Result = TRenameResult::Skipped;
  TRenameWhy Why = TRenameWhy::None;
  std::string NewName;  // the name built from the header (with the extension when kept)
  std::string NewPath;  // the file's folder and the name the file gets (the name as built when unusable)
  std::string Detail;   // the operating system's reason for a SystemError
};

// The name from a header record's name field (bytes 20..49): every byte but 0
// and " * , / : ; < = > ? [ \ ] |, Windows-1252, returned as UTF-8.
std::string NameFromHeader(std::span<const uint8_t> header);

// The extension of a path's last part, with its point, from the last point
// on; empty without one.
std::string FileExtension(std::string_view path);

// Names the renames of a dry run would have taken and freed, so a dry run
// over several files reports what a real run would do.
struct TDryRun {
  std::set<std::string> Taken;
  std::set<std::string> Freed;
};

// Checks one file and renames it after its coil name, in its own folder, never
// replacing another file. A file that already has its name counts as renamed.
// With dryRun nothing on disk changes.
TRenameOutcome RenameAfterCoilName(const std::string& path, bool keepExtension, TDryRun* dryRun = nullptr);

// The names of a folder's ordinary files (no folders, links or devices),
// sorted by name; nothing when the folder cannot be listed.
std::optional<std::vector<std::string>> OrdinaryFilesOf(const std::string& folder);

}  // namespace kvr
