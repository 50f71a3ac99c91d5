// Fuzz table of AHD demosaicing: the source is the whole sensor image (at
// least 5 x 5); the region's origin moves to 0 where negative and it is
// clipped at the far edges, a region outside the source doing nothing; the
// caller's scratch rows (30 of the region width as passed + 6 samples) are
// not checked, and without them the call does nothing.
#include <algorithm>

#include "harness/table.h"

namespace qrxfuzz {
namespace {

QrxStatus wholeSource(const Call& c) {
    return c.sensor.width < 5 || c.sensor.height < 5 ? qrxErrSize : qrxOk;
}

QrxStatus gridOrder(const Call& c) { return c.ints[0] >= 0 && c.ints[0] <= 3 ? qrxOk : qrxErrBadArg; }

QrxRoiSize clipped(const Call& c) {
    const int64_t x0 = std::max(c.rect.x, 0), y0 = std::max(c.rect.y, 0);
    const int64_t w = c.rect.width + std::min<int64_t>(c.sensor.width - x0 - c.rect.width, 0);
    const int64_t h = c.rect.height + std::min<int64_t>(c.sensor.height - y0 - c.rect.height, 0);
    if (w < 1 || h < 1) return {0, 0};
    return {int(w), int(h)};
}

QrxRoiSize scratchRows(const Call& c) { return {std::max(c.rect.width + 6, 0), 30}; }

constexpr Image kMosaic{{Plane{}}, 1, -1, Access::Auto, SizedBy::Sensor};
constexpr Image kRgb{{Plane{3}}, 1, -1, Access::Auto, SizedBy::Own, &clipped};
constexpr Image kScratch{{Plane{}}, 1, -1, Access::Scratch, SizedBy::Own, &scratchRows, true};
constexpr Rules kRules{.sizeStatus = &wholeSource, .paramStatus = &gridOrder};
const IntValues kGrids{{qrxGridRGGB, qrxGridBGGR, qrxGridGBRG, qrxGridGRBG, 4, -1}};

const Family kAhd{"demosaic/ahd", {
    {QRX_FUZZ_ENTRY(qrxiDemosaicAHD_8u_C1C3R), {kMosaic, kRgb, kScratch}, kRules, {kGrids}},
    {QRX_FUZZ_ENTRY(qrxiDemosaicAHD_16u_C1C3R), {kMosaic, kRgb, kScratch}, kRules, {kGrids}},
}};

}  // namespace
}  // namespace qrxfuzz
