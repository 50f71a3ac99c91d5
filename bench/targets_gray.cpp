// Scalar references of the colour-to-gray operations: the whole region
// converted row by row through the scalar kernel table, as the entries do.
// The bench calls ColorToGray with the fixed weights, so both names share
// one reference.
#include <string>

#include "colormodels/gray_rows.h"
#include "frame/dispatch.h"
#include "frame/image.h"
#include "frames.h"

namespace qrxbench {
namespace {

using qrx::GrayRows;

template <class T, class W>
void add(const char* suffix, qrx::GrayRow<T, W> GrayRows::*row, W weights) {
  const GrayRows& table = *qrx::grayRowsFor(qrx::Target::Scalar);
  for (const char* op : {"qrxiRGBToGray_", "qrxiColorToGray_"})
    registerOperationVariant(std::string(op) + suffix, "scalar", [&table, row, weights](const Args& a) {
      const auto* src = reinterpret_cast<const T*>(a.src->plane[0]);
      auto* dst = reinterpret_cast<T*>(a.dst->plane[0]);
      for (int y = 0; y < a.roi.height; ++y)
        (table.*row)(qrx::rowPtr(src, a.src->step[0], y), qrx::rowPtr(dst, a.dst->step[0], y),
                     a.roi.width, weights);
      return 0;
    });
}

void addScalarCases() {
  static const qrx::GrayWeights12 w12 = qrx::grayWeights12(qrx::kGrayWeights);
  const Qrx32f* w = qrx::kGrayWeights;
  add<Qrx8u, const qrx::GrayWeights12&>("8u_C3C1R", &GrayRows::c3_8u, w12);
  add<Qrx8u, const qrx::GrayWeights12&>("8u_AC4C1R", &GrayRows::ac4_8u, w12);
  add<Qrx16u, const Qrx32f*>("16u_C3C1R", &GrayRows::c3_16u, w);
  add<Qrx16u, const Qrx32f*>("16u_AC4C1R", &GrayRows::ac4_16u, w);
  add<Qrx16s, const Qrx32f*>("16s_C3C1R", &GrayRows::c3_16s, w);
  add<Qrx16s, const Qrx32f*>("16s_AC4C1R", &GrayRows::ac4_16s, w);
  add<Qrx32f, const Qrx32f*>("32f_C3C1R", &GrayRows::c3_32f, w);
  add<Qrx32f, const Qrx32f*>("32f_AC4C1R", &GrayRows::ac4_32f, w);
}

const Extension kScalarCases{addScalarCases};

}  // namespace
}  // namespace qrxbench
