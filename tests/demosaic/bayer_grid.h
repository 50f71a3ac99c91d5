// Bayer grids for the demosaicing tests: the colour of each site and the
// mirrored addressing of samples beyond the source's edges.
#pragma once

namespace bayertest {

// Colour (0 red, 1 green, 2 blue) of sample (r, c), from the grid's top-left cell.
inline int colour(int grid, int r, int c) {
    static const char* cells[4] = {"BGGR", "RGGB", "GBRG", "GRBG"};
    const char ch = cells[grid][2 * (r & 1) + (c & 1)];
    return ch == 'R' ? 0 : ch == 'G' ? 1 : 2;
}

// Index i of a row or column of n samples, mirrored at both ends (no edge repeated).
inline int reflect(int i, int n) {
    while (i < 0 || i >= n) i = i < 0 ? -i : 2 * (n - 1) - i;
    return i;
}

}  // namespace bayertest
