// The coil drawing of kvrtool's "render": the paint box painted into a PNG
// image, on Qt's offscreen platform.
#pragma once
#include <string>

namespace kvr {
struct TKontext;
}

namespace kvr::tool {

// The paint box's design size at zoom 100.
constexpr int kSirkaKresby = 427;
constexpr int kVyskaKresby = 649;

// Paints the program of k as the station's paint box does at the given zoom
// (percent: the paint box's size grows with it, the drawing's units do not)
// and writes the PNG file. False when the file could not be written.
bool UlozObrazKresby(TKontext& k, const std::string& cesta, int zoom);

}  // namespace kvr::tool
