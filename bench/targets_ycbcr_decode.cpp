// Scalar references of the subsampled YCbCr decoders: the whole region
// converted row by row through the scalar kernel table, with the row
// geometry of the entries (4:2:0 row pairs over whole 2x2 blocks, the
// planar 4:2:2 BGR form leaving an odd last column).
#include "frame/dispatch.h"
#include "frame/image.h"
#include "frames.h"
#include "lumachroma/ycbcr_decode_rows.h"

namespace qrxbench {
namespace {

using Rows = qrx::YcbcrDecodeRows;
using qrx::rowPtr;

constexpr Qrx8u kAlpha = 255;

const Rows& scalar() { return *qrx::ycbcrDecodeRowsFor(qrx::Target::Scalar); }

void packed(const char* op, Rows::PackedToPacked Rows::*row) {
  registerOperationVariant(op, "scalar", [row](const Args& a) {
    for (int y = 0; y < a.roi.height; ++y)
      (scalar().*row)(rowPtr(a.src->plane[0], a.src->step[0], y),
                      rowPtr(a.dst->plane[0], a.dst->step[0], y), a.roi.width, kAlpha);
    return 0;
  });
}

void packedToPlanes(const char* op, Rows::PackedToPlanar Rows::*row) {
  registerOperationVariant(op, "scalar", [row](const Args& a) {
    const int step = a.dst->step[0];
    for (int y = 0; y < a.roi.height; ++y) {
      Qrx8u* const out[3] = {rowPtr(a.dst->plane[0], step, y), rowPtr(a.dst->plane[1], step, y),
                             rowPtr(a.dst->plane[2], step, y)};
      (scalar().*row)(rowPtr(a.src->plane[0], a.src->step[0], y), out, a.roi.width);
    }
    return 0;
  });
}

void planes(const char* op, Rows::PlanarToPacked Rows::*row, bool evenWidth = false) {
  registerOperationVariant(op, "scalar", [row, evenWidth](const Args& a) {
    const int width = evenWidth ? a.roi.width & ~1 : a.roi.width;
    for (int y = 0; y < a.roi.height; ++y) {
      const Qrx8u* const in[3] = {rowPtr(a.src->plane[0], a.src->step[0], y),
                                  rowPtr(a.src->plane[1], a.src->step[1], y),
                                  rowPtr(a.src->plane[2], a.src->step[2], y)};
      (scalar().*row)(in, rowPtr(a.dst->plane[0], a.dst->step[0], y), width, kAlpha);
    }
    return 0;
  });
}

void rowPairs(const char* op, Rows::RowPair Rows::*row, bool crFirst = false) {
  registerOperationVariant(op, "scalar", [row, crFirst](const Args& a) {
    const int width = a.roi.width & ~1, cb = crFirst ? 2 : 1, cr = 3 - cb;
    if (width == 0) return 0;
    const Qrx8u* const* p = a.src->plane;
    const int* s = a.src->step;
    for (int j = 0; j < a.roi.height / 2; ++j) {
      const Qrx8u* const in[4] = {rowPtr(p[0], s[0], 2 * j), rowPtr(p[0], s[0], 2 * j + 1),
                                  rowPtr(p[cb], s[cb], j), rowPtr(p[cr], s[cr], j)};
      Qrx8u* const out[2] = {rowPtr(a.dst->plane[0], a.dst->step[0], 2 * j),
                             rowPtr(a.dst->plane[0], a.dst->step[0], 2 * j + 1)};
      (scalar().*row)(in, out, width, kAlpha);
    }
    return 0;
  });
}

void addScalarCases() {
  packed("qrxiYCbCr422ToRGB_8u_C2C3R", &Rows::ycbcr422ToRgbC2C3);
  packed("qrxiYCrCb422ToRGB_8u_C2C3R", &Rows::ycrcb422ToRgbC2C3);
  packedToPlanes("qrxiYCbCr422ToRGB_8u_C2P3R", &Rows::ycbcr422ToRgbC2P3);
  packedToPlanes("qrxiYCrCb422ToRGB_8u_C2P3R", &Rows::ycrcb422ToRgbC2P3);
  packed("qrxiYCbCr422ToBGR_8u_C2C3R", &Rows::ycbcr422ToBgrC2C3);
  packed("qrxiYCbCr422ToBGR_8u_C2C4R", &Rows::ycbcr422ToBgrC2C4);
  planes("qrxiYCbCr422ToRGB_8u_P3C3R", &Rows::ycbcr422ToRgbP3C3);
  planes("qrxiYCbCr422ToBGR_8u_P3C3R", &Rows::ycbcr422ToBgrP3C3, true);
  planes("qrxiYCbCr411ToBGR_8u_P3C3R", &Rows::ycbcr411ToBgrP3C3);
  planes("qrxiYCbCr411ToBGR_8u_P3C4R", &Rows::ycbcr411ToBgrP3C4);
  rowPairs("qrxiYCbCr420ToBGR_8u_P3C3R", &Rows::ycbcr420ToBgrC3);
  rowPairs("qrxiYCbCr420ToBGR_8u_P3C4R", &Rows::ycbcr420ToBgrC4);
  rowPairs("qrxiYCbCr420ToRGB_8u_P3C3R", &Rows::ycbcr420ToRgbC3);
  rowPairs("qrxiYCrCb420ToRGB_8u_P3C4R", &Rows::ycbcr420ToRgbC4, true);
  rowPairs("qrxiYCrCb420ToBGR_Filter_8u_P3C4R", &Rows::ycbcr420ToBgrFilteredC4, true);
}

const Extension kScalarCases{addScalarCases};

}  // namespace
}  // namespace qrxbench
