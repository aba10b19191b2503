// Winding program files: the six formats recognised by their end marker, the
// readers and writers, the warnings file of the machine's panel software, and
// the open and save commands.
//
// Input/output failures after a file was opened throw TIoError (model/io.h);
// the event dispatcher SpustiUdalost turns them into the general error report.
// A file that is refused (it is not one of the six formats, or its content
// cannot be read into the program store) is reported in an error box and
// changes nothing of the store.
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/bobbin.h"
#include "model/program.h"
#include "model/real48.h"

namespace kvr {

struct TKontext;

enum : uint32_t {
  kZnackaStary1 = 0x014E4350,
  kZnackaStary2 = 0x024E4351,
  kZnackaStary3 = 0x024E4352,
  kZnackaGC = 0x024E4355,
  kZnackaT = 0x034E4354,
  kZnackaTW = 0x014E5257,
};

// Layout of the formats.
constexpr size_t kDlzkaZnacky = 4;
constexpr size_t kPataStary2 = 548;            // skipped by the reader
constexpr size_t kPataStary3 = 706;            // the old trailer buffer
constexpr size_t kPataNova = 1198;             // trailer of KVR-G/C and KVR-T
constexpr size_t kPataNovaSoZnackou = kPataNova + kDlzkaZnacky;
constexpr size_t kPataOffModel = 0;
constexpr size_t kPataOffNeznamy = 21;
constexpr size_t kPataOffPrevod = 42;
constexpr size_t kPataOffKostricka = 63;
constexpr size_t kPataOffKomory = 144;
constexpr size_t kPataOffAbstand = 384;
constexpr size_t kPataKoniecKostricky = 390;  // end of the bobbin fields
constexpr size_t kHlavOffNazov = 20;          // KVR-G/C: the file's own name, bytes 20..49
constexpr size_t kHlavDlzkaNazvu = 30;

// The system's texts.
inline constexpr std::string_view kTextNeotvori = " Kann man nicht öffnen: ";
inline constexpr std::string_view kTextNieJeProgram = "Ausgewählte Datei enthält nicht Spulenbeschreibung !";
inline constexpr std::string_view kTextStalyPrevod = " Standig eingestellte Getriebe !";
inline constexpr std::string_view kTitulUlozGC = "Speichern format KVR-G,KVR-C";
inline constexpr std::string_view kTitulUlozT = "Speichern format  KVR-T";
inline constexpr std::string_view kTitulUlozTW = "Speichern wie KVR-T + Achtungen";
inline constexpr std::string_view kTitulOtvor = "Öffnen";
// Refusals of a file whose content cannot be taken into the store; each is
// followed by the path in double quotes.
inline constexpr std::string_view kTextPoskodeny = " Datei ist beschädigt: ";
inline constexpr std::string_view kTextPrilisVelky = " Programm zu groß (Puffer 32768 Bytes): ";
inline constexpr std::string_view kTextViacKrokov = " Programm hat mehr als 350 Schritte: ";
inline constexpr std::string_view kTextBezKvrT = " Kein KVR-T Programm vor den Achtungen: ";
// A path that names no regular file (a folder, a pipe, a device); followed by
// the path in double quotes. An empty path has a text of its own.
inline constexpr std::string_view kTextNieJeSubor = " Keine Datei: ";
inline constexpr std::string_view kTextBezMena = " Kein Dateiname !";
// An old-format file for a model without old-format code tables; followed by
// the model name.
inline constexpr std::string_view kTextStaryFormatModel = " Altes Dateiformat ist nicht lesbar für Modell ";
// A step record of an old file that cannot be decoded is refused with the
// decoder's message (KrokZGC11).

// Fixed paths of the system (mapped through IPlatform::MapSystemPath).
inline constexpr std::string_view kCestaWarningov = "C:\\DSQ\\DSQ_disp\\Program.ini";
inline constexpr std::string_view kAdresarProgramov = "D:\\WINDING PROGRAMS\\";
inline constexpr std::string_view kSekciaWarningov = "WARNINGS";

bool IsKnownMarker(uint32_t znacka);
// "OLD1", "OLD2", "OLD3", "KVR-G/C", "KVR-T", "KVR-T+W"; empty for other markers.
std::string_view FormatName(uint32_t znacka);

// ---- Files ---------------------------------------------------------------
// Paths are UTF-8 in memory and native paths of this machine.

// The native path of a UTF-8 path text.
std::filesystem::path NativePath(const std::string& utf8);
// Why a path cannot be read as a file: empty, missing, or not a regular file
// (checked before anything opens it, so a pipe or device never blocks the
// station); nothing when it names a regular file. The text is the operator's
// message, path included.
std::optional<std::string> NotARegularFile(const std::string& cesta);
// The whole file, or nothing when it is not a regular file or cannot be
// opened; a read failure after it was opened throws TIoError.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& cesta);
// Writes the whole file beside the target and then replaces the target, so a
// failure never leaves a half-written file where the old one was. An existing
// target that may not be written stays as it is (TIoError). Throws TIoError.
void WriteFileSafely(const std::string& cesta, std::span<const uint8_t> data);
bool FileExists(const std::string& cesta);
// Everything up to and including the last "\" or "/"; empty without one.
std::string FolderOf(const std::string& cesta);
// The warnings file of the panel software, as a path of this machine.
std::string WarningsIniPath(const TKontext& k);

// ---- Reading ---------------------------------------------------------------

// The file's end marker (0 for files shorter than 4 bytes). A file that cannot
// be opened shows " Kann man nicht öffnen: "path"" and gives 0. Clears the
// file image buffer.
uint32_t ZistiTypSuboru(TKontext& k, const std::string& cesta);
// The end marker of a file, or why the file cannot be read (the operator's
// message; the marker is then 0). Touches no buffer and shows nothing.
struct TMarkerRead {
  uint32_t marker = 0;
  std::optional<std::string> refusal;
};
TMarkerRead ReadMarker(const std::string& cesta);

// A program file read, checked and decoded, not yet taken into the store.
struct TNacitanyProgram {
  std::string Cesta;
  uint32_t Znacka = 0;
  std::vector<uint8_t> SuborBuf;   // the image buffer as reading leaves it
  std::vector<uint8_t> Pata;       // KVR-G/C, KVR-T: the trailer; else empty
  std::vector<uint8_t> StaraPata;  // old format 3: its trailer; else empty
  std::string Model;
  int32_t Prevod = 1;
  std::string MenoKostricky;
  TKostricka Kostricka{};
  Real48 CelkovaKorekcia{};
  int32_t HlavParam1 = 0;
  int32_t HlavParam2 = 1;
  int32_t HlavParam3 = 1;
  TKrokyPole Kroky;
  int32_t PocetZaznamov = 0;      // records decoded
  std::vector<uint8_t> Warningy;  // KVR-T with warnings: the warnings file's text
};

// Reads and checks a file of the given type and decodes its steps, without
// touching the store. A refused file is reported in an error box (why, with
// the path) and gives nothing.
std::optional<TNacitanyProgram> PrepareProgram(TKontext& k, const std::string& cesta, uint32_t znacka);
// Takes a prepared program into the store: image buffers, header values,
// bobbin, model and gear (NastavModel), steps, ProgInic, folder, captions, and
// the gear check of models without gear changes.
void TakeProgram(TKontext& k, const TNacitanyProgram& p);
// Reads a file of the given type into the program store; for a file with
// warnings the warnings file is written first. pocet receives PocetKrokov.
// False when the path is empty or the file was refused.
bool NacitajProgram(TKontext& k, const std::string& cesta, uint32_t znacka, int32_t& pocet);

// ---- Warnings ---------------------------------------------------------------

// Where the KVR-T image inside a file with warnings ends, just after its inner
// marker 54 43 4E 03: the first place where that marker closes a header
// record, whole 68-byte records and the 1198-byte trailer, before the outer
// end marker. 0 when there is no such place. The same four bytes elsewhere (a
// step record, the trailer, the warnings text) do not split the file.
size_t KvrTImageEnd(std::span<const uint8_t> subor);

struct TRozdelenie {
  size_t p = 0;                   // KvrTImageEnd; 0 when the file has no KVR-T image
  std::vector<uint8_t> warningy;  // the bytes from p to the outer end marker
};
// The split of a file with warnings. The end marker 57 52 4E 01 of such a
// file is not part of the warnings text.
TRozdelenie SplitWarnings(std::span<const uint8_t> subor);
// Creates or overwrites the warnings file with the text of the program file
// behind its KVR-T part; returns the end of the KVR-T part (0: none, and the
// warnings file is then left as it was).
size_t Hladaj_Zaciatok_Warningov(TKontext& k, const std::string& cesta);
// Warningy := the "STEP_1" .. "STEP_350" values of section "WARNINGS", each
// cut to 50 characters (empty where a key is missing).
void NacitajWarningy(TKontext& k, const std::string& iniCesta);
// Deletes the warnings file when it exists.
void Delete_WarningsFile(const std::string& iniCesta);

// ---- Writing ------------------------------------------------------------------

// The complete file image of steps 1..n, built in the trailer and image
// buffers as the writers leave them.
std::vector<uint8_t> ProgramImage(TKontext& k, const std::string& cesta, int n, bool gc);
void UlozProgramGC(TKontext& k, const std::string& cesta, int n);
void UlozProgramT(TKontext& k, const std::string& cesta, int n);
// KVR-T followed by the warnings text and 57 52 4E 01, written in one piece.
void UlozProgramTW(TKontext& k, const std::string& cesta, int n, std::span<const uint8_t> warningy);
// Stores an image that the serial link received into the file image buffer.
void UlozPrijatyObraz(TKontext& k, const std::string& cesta, size_t dlzkaObrazu, uint32_t znacka, int32_t prevod,
                      const std::string& model);

// ---- Opening and saving a named file ---------------------------------------------

// Initial folder of the open and save dialogs.
std::string DialogStartFolder(const TKontext& k);
// Opening a chosen file: checks, loads and takes the warnings of the file.
// True when the file was loaded.
bool OpenProgramFile(TKontext& k, const std::string& meno);
// Writes the program in format 1 (KVR-T, with the warnings file's text when
// sWarningami and that file exists) or 0 (KVR-G/C), without the bookkeeping of
// the save command. Throws TIoError.
void WriteProgramFile(TKontext& k, const std::string& cesta, int format, bool sWarningami);

// The program line: the last opened file shortened, else the last saved one.
std::string SkratCestu(const std::string& cesta);
std::string NazovSuboru(const std::string& cesta);

}  // namespace kvr
