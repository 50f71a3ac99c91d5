// Scalar references of the YCbCr 4:4:4 operations: the whole region
// converted row by row through the scalar kernel table, as the entries do.
#include <array>
#include <functional>

#include "frame/dispatch.h"
#include "frame/image.h"
#include "frames.h"
#include "lumachroma/ycbcr444_rows.h"

namespace qrxbench {
namespace {

using qrx::Ycbcr444Rows;
using Rows = std::array<Qrx8u*, 3>;
using RowCall = std::function<void(const Ycbcr444Rows&, const Rows& src, const Rows& dst, int)>;

// Row y of every plane of an image (interleaved images have one).
Rows rowsOf(const Image& img, int y) {
  Rows r{};
  for (int p = 0; p < 3 && p < img.layout.planes; ++p) r[p] = qrx::rowPtr(img.plane[p], img.step[p], y);
  return r;
}

template <class F>
RowCall packed(F Ycbcr444Rows::*f) {
  return [f](const Ycbcr444Rows& t, const Rows& s, const Rows& d, int w) { (t.*f)(s[0], d[0], w); };
}
RowCall toPlanes(Ycbcr444Rows::PackedToPlanar Ycbcr444Rows::*f) {
  return [f](const Ycbcr444Rows& t, const Rows& s, const Rows& d, int w) { (t.*f)(s[0], d.data(), w); };
}
RowCall planes(Ycbcr444Rows::PlanarToPlanar Ycbcr444Rows::*f) {
  return [f](const Ycbcr444Rows& t, const Rows& s, const Rows& d, int w) {
    const Qrx8u* const in[3] = {s[0], s[1], s[2]};
    (t.*f)(in, d.data(), w);
  };
}
RowCall fromPlanes(Ycbcr444Rows::PlanarToPacked Ycbcr444Rows::*f) {
  return [f](const Ycbcr444Rows& t, const Rows& s, const Rows& d, int w) {
    const Qrx8u* const in[3] = {s[0], s[1], s[2]};
    (t.*f)(in, d[0], w);
  };
}
RowCall fromPlanesAlpha(Ycbcr444Rows::PlanarToPackedAlpha Ycbcr444Rows::*f) {
  return [f](const Ycbcr444Rows& t, const Rows& s, const Rows& d, int w) {
    const Qrx8u* const in[3] = {s[0], s[1], s[2]};
    (t.*f)(in, d[0], w, 255);
  };
}

void addScalarCases() {
  const std::pair<const char*, RowCall> ops[] = {
      {"qrxiRGBToYCbCr_8u_C3R", packed(&Ycbcr444Rows::rgbToYcbcrC3)},
      {"qrxiRGBToYCbCr_8u_AC4R", packed(&Ycbcr444Rows::rgbToYcbcrAC4)},
      {"qrxiRGBToYCbCr_8u_C3P3R", toPlanes(&Ycbcr444Rows::rgbToYcbcrC3P3)},
      {"qrxiRGBToYCbCr_8u_AC4P3R", toPlanes(&Ycbcr444Rows::rgbToYcbcrAC4P3)},
      {"qrxiRGBToYCbCr_8u_P3R", planes(&Ycbcr444Rows::rgbToYcbcrP3)},
      {"qrxiYCbCrToRGB_8u_C3R", packed(&Ycbcr444Rows::ycbcrToRgbC3)},
      {"qrxiYCbCrToRGB_8u_AC4R", packed(&Ycbcr444Rows::ycbcrToRgbAC4)},
      {"qrxiYCbCrToRGB_8u_P3C3R", fromPlanes(&Ycbcr444Rows::ycbcrToRgbP3C3)},
      {"qrxiYCbCrToRGB_8u_P3C4R", fromPlanesAlpha(&Ycbcr444Rows::ycbcrToRgbP3C4)},
      {"qrxiYCbCrToRGB_8u_P3R", planes(&Ycbcr444Rows::ycbcrToRgbP3)},
      {"qrxiYCbCrToBGR_8u_P3C3R", fromPlanes(&Ycbcr444Rows::ycbcrToBgrP3C3)},
      {"qrxiYCbCrToBGR_8u_P3C4R", fromPlanesAlpha(&Ycbcr444Rows::ycbcrToBgrP3C4)},
  };
  const Ycbcr444Rows& table = *qrx::ycbcr444RowsFor(qrx::Target::Scalar);
  for (const auto& [name, call] : ops)
    registerOperationVariant(name, "scalar", [&table, call](const Args& a) {
      for (int y = 0; y < a.roi.height; ++y)
        call(table, rowsOf(*a.src, y), rowsOf(*a.dst, y), a.roi.width);
      return 0;
    });
}

const Extension kScalarCases{addScalarCases};

}  // namespace
}  // namespace qrxbench
