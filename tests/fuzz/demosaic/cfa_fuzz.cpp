// Fuzz table of CFA interpolation: the source is the whole sensor image, read
// around the region; the destination holds the region clipped at the
// source's right and bottom edges.
#include <algorithm>

#include "harness/table.h"

namespace qrxfuzz {
namespace {

QrxStatus sourceAndRegion(const Call& c) {
    const QrxRect r = c.rect;
    if (c.sensor.width < 2 || c.sensor.height < 2) return qrxErrSize;
    if (r.x < 0 || r.y < 0 || r.x >= c.sensor.width || r.y >= c.sensor.height || r.width < 1 || r.height < 1)
        return qrxErrSize;
    return qrxOk;
}

QrxStatus gridOrder(const Call& c) { return c.ints[0] >= 0 && c.ints[0] <= 3 ? qrxOk : qrxErrBadArg; }

QrxRoiSize clipped(const Call& c) {
    if (sourceAndRegion(c) != qrxOk) return {0, 0};
    return {std::min(c.rect.width, c.sensor.width - c.rect.x), std::min(c.rect.height, c.sensor.height - c.rect.y)};
}

constexpr Image kMosaic{{Plane{}}, 1, -1, Access::Auto, SizedBy::Sensor};
constexpr Image kRgb{{Plane{3}}, 1, -1, Access::Auto, SizedBy::Own, &clipped};
constexpr Rules kRules{.sizeStatus = &sourceAndRegion, .paramStatus = &gridOrder};
const IntValues kGrids{{qrxGridRGGB, qrxGridBGGR, qrxGridGBRG, qrxGridGRBG, 4, -1}};

const Family kCfa{"demosaic/cfa", {
    {QRX_FUZZ_ENTRY(qrxiCFAToRGB_8u_C1C3R), {kMosaic, kRgb}, kRules, {kGrids}},
    {QRX_FUZZ_ENTRY(qrxiCFAToRGB_16u_C1C3R), {kMosaic, kRgb}, kRules, {kGrids}},
}};

}  // namespace
}  // namespace qrxfuzz
