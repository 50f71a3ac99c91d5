// How the AHD driver divides a region: an interior block read straight from
// the source, and strips along the edges read from mirrored copies.
#pragma once

#include "qrxcc.h"

namespace qrx {

// Narrowest strip along the left or right source edge (the widest vectors
// hold 64 samples).
inline constexpr int kAhdSideStrip = 64;

struct AhdArea {
    int x, y, width, height;  // in source coordinates
};

// The interior block of the clipped region [left, right) x [top, bottom) of
// a source of the given size laid out by grid: at least five samples inside
// every source edge, its top-left cell R G / G B, a whole number of cells,
// and leaving strips of 0 or at least kAhdSideStrip columns on its left and
// right. Empty (width or height below 1) when no such block fits.
AhdArea ahdInterior(int grid, QrxRoiSize size, int left, int top, int right, int bottom);

}  // namespace qrx
