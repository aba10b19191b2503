// A sample winding program on a two-chamber bobbin, as an operator would write
// it: each chamber is reached with a shift, wound in layers, taped, and left
// after a pause; a jump moves on. Used where a realistic program is wanted
// without a file: the screenshots and the benchmarks.
#pragma once

namespace kvr {

struct TKontext;

// Fills the store with pocet steps (1..350) and loads the sample bobbin; the
// last step ends the program ("Ende").
void SampleProgram(TKontext& k, int pocet);

}  // namespace kvr
