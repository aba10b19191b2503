// What kvrtool prints about the program store: the keys of `info --json`
// and the text form, shared by the commands that end with a program.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "kvrtool/json.h"
#include "model/context.h"

namespace kvr::tool {

// One step as a JSON object; `index` is its number in the store (or the
// template's index).
void KrokJson(TJson& j, const TKrok& krok, int index);

// The program-store keys of `info --json`, written into the object j has
// open, in their order. `format` and `marker` only with the marker of the
// file that was opened; `messages` writes the value of its key.
void ProgramKeysJson(TJson& j, const TKontext& k, std::optional<uint32_t> znacka,
                     const std::function<void(TJson&)>& messages);

// The end marker of a file that was just opened, 0 when it has none.
uint32_t ZnackaSuboru(const std::string& cesta);

// The text form of `info`: the format line only with a marker.
std::string ProgramText(const TKontext& k, std::optional<uint32_t> znacka);

}  // namespace kvr::tool
