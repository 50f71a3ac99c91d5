// What the demosaicing families share: the colours of a 2 x 2 Bayer cell and
// the mirrored addressing of samples beyond the sensor's edges.
#pragma once

#include "qrxcc.h"

namespace qrx::bayer {

enum Colour : int { kRed = 0, kGreen = 1, kBlue = 2 };  // also the RGB output channel

// kCell[grid][row & 1][col & 1]: the filter colour over a sample, for the
// grid value that names the colours of the top-left cell.
inline constexpr int kCell[4][2][2] = {
    {{kBlue, kGreen}, {kGreen, kRed}},   // BGGR
    {{kRed, kGreen}, {kGreen, kBlue}},   // RGGB
    {{kGreen, kBlue}, {kRed, kGreen}},   // GBRG
    {{kGreen, kRed}, {kBlue, kGreen}},   // GRBG
};

inline constexpr int colourAt(int grid, int row, int col) { return kCell[grid][row & 1][col & 1]; }

// The grid value that describes the cell whose top-left sample is (row, col)
// of an image laid out by `grid`: an odd column exchanges RGGB with GRBG and
// BGGR with GBRG, an odd row RGGB with GBRG and BGGR with GRBG.
inline constexpr int gridAt(int grid, int row, int col) {
    constexpr int kOddColumn[4] = {2, 3, 0, 1};
    constexpr int kOddRow[4] = {3, 2, 1, 0};
    if (col & 1) grid = kOddColumn[grid];
    if (row & 1) grid = kOddRow[grid];
    return grid;
}

// Index i of a dimension of n >= 2 samples, reflected about the first and
// last sample without repeating it (-1 reads 1, n reads n - 2), as often as
// needed. The reflection keeps the parity, so every read sample has the
// filter colour of the position it stands for.
inline constexpr int mirror(int i, int n) {
    while (i < 0 || i >= n) {
        if (i < 0) i = -i;
        if (i >= n) i = 2 * (n - 1) - i;
    }
    return i;
}

}  // namespace qrx::bayer
