#include "kvrtool/rename_command.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "kvrtool/json.h"
#include "model/program_files.h"
#include "tools/rename_files.h"

namespace kvr::tool {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage =
    "usage: kvrtool rename PATH... [--keep-extension] [--dry-run] [--json]\n"
    "Renames each KVR-G/C program file after the coil name in its header, in its own folder;\n"
    "a PATH that is a folder stands for every ordinary file in it. A file of the new name is\n"
    "never replaced. --dry-run changes nothing. Exit status: 0 no rename failed, 6 some did.\n";

struct TEntry {
  std::string file;
  TRenameOutcome outcome;
  std::string why;
};

const char* ResultName(TRenameResult r) {
  switch (r) {
    case TRenameResult::Renamed:
      return "renamed";
    case TRenameResult::Failed:
      return "failed";
    case TRenameResult::Skipped:
      return "skipped";
  }
  return "skipped";
}

std::string WhyText(const TRenameOutcome& o) {
  switch (o.Why) {
    case TRenameWhy::None:
      return {};
    case TRenameWhy::CannotOpen:
      return "cannot be opened";
    case TRenameWhy::NotAProgram:
      return "not a KVR-G/C winding program";
    case TRenameWhy::EmptyName:
      return "no coil name in the header";
    case TRenameWhy::UnusableName:
      return "the coil name is only blanks and points";
    case TRenameWhy::TargetExists:
      return "a file of the new name exists";
    case TRenameWhy::SystemError:
      return o.Detail;
  }
  return {};
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(NativePath(path), ec);
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder + name;
  return folder + "/" + name;
}

}  // namespace

int RenameCommand(const std::vector<std::string_view>& args) {
  bool keepExtension = false;
  bool dryRun = false;
  bool json = false;
  std::vector<std::string> paths;
  for (const std::string_view a : args) {
    if (a == "--keep-extension") {
      keepExtension = true;
    } else if (a == "--dry-run") {
      dryRun = true;
    } else if (a == "--json") {
      json = true;
    } else if (a.size() > 1 && a.front() == '-' && a != "-") {
      std::cerr << "kvrtool: unknown option \"" << a << "\"\n" << kUsage;
      return 1;
    } else {
      paths.emplace_back(a);
    }
  }
  if (paths.empty()) {
    std::cerr << "kvrtool: rename needs a PATH\n" << kUsage;
    return 1;
  }

  TDryRun dry;
  std::vector<TEntry> entries;
  auto convert = [&](const std::string& file) {
    TEntry e{file, RenameAfterCoilName(file, keepExtension, dryRun ? &dry : nullptr), {}};
    e.why = WhyText(e.outcome);
    entries.push_back(std::move(e));
  };
  for (const std::string& p : paths) {
    if (!IsFolder(p)) {
      convert(p);
      continue;
    }
    const std::optional<std::vector<std::string>> names = OrdinaryFilesOf(p);
    if (!names) {
      TEntry e{p, {}, "the folder cannot be listed"};
      entries.push_back(std::move(e));
      continue;
    }
    for (const std::string& n : *names) convert(InFolder(p, n));
  }

  int renamed = 0;
  int failed = 0;
  for (const TEntry& e : entries) {
    if (e.outcome.Result == TRenameResult::Renamed) ++renamed;
    if (e.outcome.Result == TRenameResult::Failed) ++failed;
  }
  if (json) {
    TJson j;
    j.ZaciatokObjektu();
    j.Kluc("files").ZaciatokPola();
    for (const TEntry& e : entries) {
      j.ZaciatokObjektu();
      j.Kluc("file").Text(e.file);
      j.Kluc("new").Text(e.outcome.NewPath);
      j.Kluc("result").Text(ResultName(e.outcome.Result));
      j.Kluc("why").Text(e.why);
      j.KoniecObjektu();
    }
    j.KoniecPola();
    j.Kluc("renamed").Cislo(renamed);
    j.Kluc("failed").Cislo(failed);
    j.KoniecObjektu();
    std::cout << j.Vysledok() << "\n";
  } else {
    for (const TEntry& e : entries) {
      switch (e.outcome.Result) {
        case TRenameResult::Renamed:
          std::cout << e.file << " -> " << e.outcome.NewPath << "\n";
          break;
        case TRenameResult::Failed:
          std::cout << e.file << " -> " << e.outcome.NewPath << ": failed: " << e.why << "\n";
          break;
        case TRenameResult::Skipped:
          std::cout << e.file << ": skipped: " << e.why << "\n";
          break;
      }
    }
    std::cout << "renamed: " << renamed << "\nfailed: " << failed << "\n";
  }
  return failed == 0 ? 0 : kRenameFailed;
}

}  // namespace kvr::tool
