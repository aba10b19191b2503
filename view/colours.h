// Colours of the coil drawing.
#pragma once
#include <cstdint>

#include "form/form.h"

namespace kvr {

struct TKontext;

constexpr TColor clSiva = 0x808080;      // grey: empty steps, steps after the end
constexpr TColor clModra = 0x0000FF;     // shift
constexpr TColor clZelena = 0x008000;    // jump
constexpr TColor clTyrkys = 0x00FFFF;    // pause (aqua)
constexpr TColor clNebeska = 0xA6CAF0;   // gear change (sky blue)
constexpr TColor clFuchsia = 0xFF00FF;   // taping
constexpr TColor clKremova = 0xFFFBF0;   // the online highlight's disc (cream)

// The colour of the path and marker of step i of displayed kind druh: grey
// after KrokEnde (every step when KrokEnde is 0), else by kind; a windings
// step with LRev > PRev yellow; an unknown kind yellow.
TColor StepColour(const TKontext& k, int i, uint8_t druh);

}  // namespace kvr
