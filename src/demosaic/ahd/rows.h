// The row pipeline of the adaptive homogeneity-directed demosaicing.
//
// A block of output pixels is reconstructed row by row: the two directional
// greens (along rows and along columns) run three rows ahead of the output,
// the red and blue of both candidates and their Lab values two rows ahead,
// the homogeneity map one row ahead, and the output row takes, pixel by
// pixel, the candidate that the 3 x 3 sum of the map favours. Greens,
// candidates and the map roll through rows of the caller's scratch image;
// the Lab values of three rows sit in a small window on the stack.
#pragma once

#include "frame/dispatch.h"
#include "qrxcc.h"

namespace qrx {

// Widest block one pipeline call reconstructs; wider regions are cut into
// column stripes of at most this many pixels (an even number, so every
// stripe of an aligned block starts on the same cell phase). The Lab rows
// of a full stripe, four columns wider, are a whole number of vectors.
inline constexpr int kAhdMaxStripe = 252;

// Scratch rows the pipeline uses: four rows of each directional green, three
// of each candidate's red and blue, three of the map.
inline constexpr int kAhdScratchRows = 2 * 4 + 4 * 3 + 3;

template <class T>
struct AhdBlock {
    // Sample (0, 0) of the block. Rows -5 .. height + 4 and columns -5 ..
    // width + 4 around it are readable and carry the filter colours of `grid`.
    const T* src;
    int srcStep;
    int width, height;  // 1 .. kAhdMaxStripe columns, at least one row
    int grid;           // colour layout of the cell at the block's (0, 0)
    T* dst;             // RGB pixel of the block's (0, 0)
    int dstStep;
    T* scratch;         // kAhdScratchRows rows of width + 6 samples
    int scratchStep;
};

template <class T>
using AhdPipeline = void (*)(const AhdBlock<T>& block);

struct AhdRows {
    AhdPipeline<Qrx8u> block8u;
    AhdPipeline<Qrx16u> block16u;
};

// The active table (ahdRows()) and each target's (ahdRowsFor(t)).
QRX_FAMILY_TABLES(AhdRows, kAhdRows, ahdRows)

}  // namespace qrx
