// Whole-file reading and writing, and the path helpers of the captions.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "model/io.h"
#include "model/codepage.h"
#include "model/program_files.h"

namespace kvr {

namespace fs = std::filesystem;

namespace {

std::string Dovod(int err) { return err != 0 ? std::string(" (") + std::strerror(err) + ")" : std::string(); }
std::string Dovod(const std::error_code& ec) { return ec ? " (" + ec.message() + ")" : std::string(); }

std::string Uvodzovky(const std::string& cesta) { return "\"" + cesta + "\""; }

[[noreturn]] void ChybaZapisu(const std::string& cesta, const std::string& dovod) {
  throw TIoError(" Kann man nicht speichern: " + Uvodzovky(cesta) + dovod);
}

}  // namespace

fs::path NativePath(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::optional<std::string> NotARegularFile(const std::string& cesta) {
  if (cesta.empty()) return std::string(kTextBezMena);
  std::error_code ec;
  const fs::file_status st = fs::status(NativePath(cesta), ec);
  if (st.type() == fs::file_type::regular) return std::nullopt;
  // Missing, or its folder cannot be searched: the file cannot be opened.
  if (ec || st.type() == fs::file_type::not_found) return std::string(kTextNeotvori) + Uvodzovky(cesta);
  return std::string(kTextNieJeSubor) + Uvodzovky(cesta);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& cesta) {
  // A pipe would block the open for ever, a device might never end.
  if (NotARegularFile(cesta)) return std::nullopt;
  const fs::path p = NativePath(cesta);
  std::ifstream in(p, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> data;
  char blok[8192];
  while (in) {
    in.read(blok, sizeof blok);
    const auto n = static_cast<size_t>(in.gcount());
    data.insert(data.end(), reinterpret_cast<uint8_t*>(blok), reinterpret_cast<uint8_t*>(blok) + n);
  }
  if (in.bad()) throw TIoError(" Fehler beim Lesen: " + Uvodzovky(cesta) + Dovod(errno));
  return data;
}

void WriteFileSafely(const std::string& cesta, std::span<const uint8_t> data) {
  std::error_code ec;
  fs::path ciel = NativePath(cesta);
  // A link stays a link: the file it names is replaced.
  if (fs::is_symlink(ciel, ec)) {
    fs::path t = fs::weakly_canonical(ciel, ec);
    if (!ec) ciel = t;
  }
  const bool existuje = fs::exists(ciel, ec);
  if (existuje) {
    if (fs::is_directory(ciel, ec)) ChybaZapisu(cesta, Dovod(EISDIR));
    // A file that may not be written keeps its protection although replacing
    // it by a rename would be allowed.
    errno = 0;
    std::ofstream test(ciel, std::ios::binary | std::ios::app);
    if (!test) ChybaZapisu(cesta, Dovod(errno));
  }
  fs::path docasny = ciel;
  docasny += ".kvr-tmp";
  {
    errno = 0;
    std::ofstream out(docasny, std::ios::binary | std::ios::trunc);
    if (!out) ChybaZapisu(cesta, Dovod(errno));
    if (!data.empty())
      out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (out.fail()) {
      const int err = errno;
      fs::remove(docasny, ec);
      ChybaZapisu(cesta, Dovod(err));
    }
  }
  if (existuje) {
    const fs::perms prava = fs::status(ciel, ec).permissions();
    if (!ec) fs::permissions(docasny, prava, ec);
  }
  fs::rename(docasny, ciel, ec);
  if (ec && existuje) {
    // Where a rename does not replace an existing file, the complete new file
    // is in place beside it before the old one goes; should the second rename
    // fail as well, that file stays and the report names it.
    std::error_code ec2;
    if (fs::remove(ciel, ec2)) {
      fs::rename(docasny, ciel, ec);
      if (ec) ChybaZapisu(cesta, Dovod(ec) + ", neu: \"" + docasny.string() + "\"");
    }
  }
  if (ec) {
    const std::string dovod = Dovod(ec);
    std::error_code ec2;
    fs::remove(docasny, ec2);
    ChybaZapisu(cesta, dovod);
  }
}

bool FileExists(const std::string& cesta) {
  if (cesta.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(NativePath(cesta), ec);
}

std::string FolderOf(const std::string& cesta) {
  const size_t i = cesta.find_last_of("\\/");
  return i == std::string::npos ? std::string() : cesta.substr(0, i + 1);
}

std::string NazovSuboru(const std::string& cesta) {
  const size_t i = cesta.find_last_of("\\/");
  return i == std::string::npos ? cesta : cesta.substr(i + 1);
}

std::string SkratCestu(const std::string& cesta) {
  if (PocetZnakov(cesta) < 48) return cesta;
  return "..." + PoslednychZnakov(cesta, 41);
}

}  // namespace kvr
