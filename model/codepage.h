// Text at the edges of the station. In memory every string is UTF-8; in
// records and files (short strings, INI values of the panel software) text is
// Windows-1252, the code page of the German panel PC, so that a name typed here
// is the same bytes the machine's panel software reads.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kvr {

// A character that Windows-1252 cannot hold, and every byte of malformed
// UTF-8, becomes '?'.
std::string Utf8NaCp1252(std::string_view utf8);
// Lossless: the five bytes that Windows-1252 leaves undefined map to the
// control characters U+0081, U+008D, U+008F, U+0090 and U+009D, as Windows
// itself maps them, and come back as the same bytes.
std::string Cp1252NaUtf8(std::string_view cp1252);

// Decodes the UTF-8 character at s[i] and advances i past it. A malformed
// sequence (bad lead byte, missing continuation, overlong form, surrogate,
// beyond U+10FFFF) consumes a single byte and gives false.
bool DalsiZnakUtf8(std::string_view s, size_t& i, uint32_t& cp);

// Characters (code points) of a UTF-8 text; a malformed byte counts as one.
size_t PocetZnakov(std::string_view utf8);
// The first / last n characters of a UTF-8 text.
std::string FirstChars(std::string_view utf8, size_t n);
std::string PoslednychZnakov(std::string_view utf8, size_t n);

// Short strings of a record field: one length byte, then the characters, one
// byte each. The reader takes at most maxDlzka characters, whatever the length
// byte says, so it never reads past the field. The writer cuts the text to
// maxDlzka characters and writes only the length byte and the characters: the
// rest of the field keeps the bytes it had.
std::string ReadShortString(const uint8_t* pole, size_t maxDlzka);
void WriteShortString(uint8_t* pole, std::string_view utf8, size_t maxDlzka);

}  // namespace kvr
