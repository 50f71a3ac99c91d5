// Scalar references of the subsampled YCbCr encoders: the whole region
// converted through the scalar kernel table with the entries' row walks
// (row pairs for 4:2:0, chroma planes exchanged for YCrCb).
#include <functional>
#include <utility>

#include "frame/dispatch.h"
#include "frame/image.h"
#include "frames.h"
#include "lumachroma/ycbcr_encode_rows.h"

namespace qrxbench {
namespace {

using qrx::rowPtr;
using Rows = qrx::YcbcrEncodeRows;
using Call = std::function<void(const Rows&, const Args&)>;

template <class S>
const S* src(const Args& a, int plane, int y) {
  return reinterpret_cast<const S*>(
      rowPtr<const Qrx8u>(a.src->plane[plane], a.src->step[plane], y));
}
Qrx8u* dst(const Args& a, int plane, int y) {
  return rowPtr(a.dst->plane[plane], a.dst->step[plane], y);
}

template <class S>
Call planes(Rows::PlanesRow<S> Rows::*f) {
  return [f](const Rows& t, const Args& a) {
    for (int y = 0; y < a.roi.height; ++y)
      (t.*f)(src<S>(a, 0, y), dst(a, 0, y), dst(a, 1, y), dst(a, 2, y), a.roi.width);
  };
}

template <class S>
Call packed(Rows::PackedRow<S> Rows::*f) {
  return [f](const Rows& t, const Args& a) {
    for (int y = 0; y < a.roi.height; ++y) (t.*f)(src<S>(a, 0, y), dst(a, 0, y), a.roi.width);
  };
}

Call planarPacked(Rows::PlanarPackedRow Rows::*f) {
  return [f](const Rows& t, const Args& a) {
    for (int y = 0; y < a.roi.height; ++y)
      (t.*f)(src<Qrx8u>(a, 0, y), src<Qrx8u>(a, 1, y), src<Qrx8u>(a, 2, y), dst(a, 0, y),
             a.roi.width);
  };
}

// 4:2:0: row pairs; YCrCb writes Cr into plane 1; 16-bit sources give an odd
// last row its luma.
template <class S>
Call rowPairs(Rows::RowPair<S> Rows::*f, bool crFirst, Rows::LumaRow<S> Rows::*last = nullptr) {
  return [f, crFirst, last](const Rows& t, const Args& a) {
    const int c1 = crFirst ? 2 : 1, c2 = crFirst ? 1 : 2;
    for (int k = 0; k < a.roi.height / 2; ++k)
      (t.*f)(src<S>(a, 0, 2 * k), src<S>(a, 0, 2 * k + 1), dst(a, 0, 2 * k), dst(a, 0, 2 * k + 1),
             dst(a, c1, k), dst(a, c2, k), a.roi.width);
    if (last && a.roi.height % 2)
      (t.*last)(src<S>(a, 0, a.roi.height - 1), dst(a, 0, a.roi.height - 1), a.roi.width);
  };
}

void addScalarCases() {
  using U8 = Qrx8u;
  using U16 = Qrx16u;
  const std::pair<const char*, Call> ops[] = {
      {"qrxiRGBToYCbCr420_8u_C3P3R", rowPairs<U8>(&Rows::rgbTo420, false)},
      {"qrxiRGBToYCbCr422_8u_C3C2R", packed<U8>(&Rows::rgbToYCbCr422Packed)},
      {"qrxiRGBToYCrCb422_8u_C3C2R", packed<U8>(&Rows::rgbToYCrCb422Packed)},
      {"qrxiRGBToYCbCr422_8u_P3C2R", planarPacked(&Rows::rgbPlanarToYCbCr422Packed)},
      {"qrxiRGBToYCrCb422_8u_P3C2R", planarPacked(&Rows::rgbPlanarToYCrCb422Packed)},
      {"qrxiRGBToYCbCr422_8u_C3P3R", planes<U8>(&Rows::rgbTo422)},
      {"qrxiRGBToYCrCb420_8u_AC4P3R", rowPairs<U8>(&Rows::rgbaTo420, true)},
      {"qrxiBGRToYCbCr411_8u_C3P3R", planes<U8>(&Rows::bgrTo411)},
      {"qrxiBGRToYCbCr411_8u_AC4P3R", planes<U8>(&Rows::bgraTo411)},
      {"qrxiBGRToYCbCr420_8u_C3P3R", rowPairs<U8>(&Rows::bgrTo420, false)},
      {"qrxiBGRToYCbCr420_8u_AC4P3R", rowPairs<U8>(&Rows::bgraTo420, false)},
      {"qrxiBGRToYCrCb420_8u_C3P3R", rowPairs<U8>(&Rows::bgrTo420, true)},
      {"qrxiBGRToYCrCb420_8u_AC4P3R", rowPairs<U8>(&Rows::bgraTo420, true)},
      {"qrxiBGRToYCbCr422_8u_C3C2R", packed<U8>(&Rows::bgrTo422Packed)},
      {"qrxiBGRToYCbCr422_8u_AC4C2R", packed<U8>(&Rows::bgraTo422Packed)},
      {"qrxiBGRToYCbCr422_8u_C3P3R", planes<U8>(&Rows::bgrTo422)},
      {"qrxiBGRToYCbCr422_8u_AC4P3R", planes<U8>(&Rows::bgraTo422)},
      {"qrxiBGR555ToYCbCr411_16u8u_C3P3R", planes<U16>(&Rows::bgr555To411)},
      {"qrxiBGR565ToYCbCr411_16u8u_C3P3R", planes<U16>(&Rows::bgr565To411)},
      {"qrxiBGR555ToYCbCr420_16u8u_C3P3R",
       rowPairs<U16>(&Rows::bgr555To420, false, &Rows::bgr555Luma)},
      {"qrxiBGR565ToYCbCr420_16u8u_C3P3R",
       rowPairs<U16>(&Rows::bgr565To420, false, &Rows::bgr565Luma)},
      {"qrxiBGR555ToYCrCb420_16u8u_C3P3R",
       rowPairs<U16>(&Rows::bgr555To420, true, &Rows::bgr555Luma)},
      {"qrxiBGR565ToYCrCb420_16u8u_C3P3R",
       rowPairs<U16>(&Rows::bgr565To420, true, &Rows::bgr565Luma)},
      {"qrxiBGR555ToYCbCr422_16u8u_C3C2R", packed<U16>(&Rows::bgr555To422Packed)},
      {"qrxiBGR565ToYCbCr422_16u8u_C3C2R", packed<U16>(&Rows::bgr565To422Packed)},
      {"qrxiBGR555ToYCbCr422_16u8u_C3P3R", planes<U16>(&Rows::bgr555To422)},
      {"qrxiBGR565ToYCbCr422_16u8u_C3P3R", planes<U16>(&Rows::bgr565To422)},
  };
  const Rows& table = *qrx::ycbcrEncodeRowsFor(qrx::Target::Scalar);
  for (const auto& [name, call] : ops)
    registerOperationVariant(name, "scalar", [&table, call](const Args& a) {
      call(table, a);
      return 0;
    });
}

const Extension kScalarCases{addScalarCases};

}  // namespace
}  // namespace qrxbench
