// Scalar references of the RGB <-> YUV operations: the region converted
// through the scalar kernel table, driven as the entries drive their rows
// (row pairs for the 4:2:0 encoders, whole 2x2 blocks for the 4:2:0 decoders,
// one long row cut into 64K-pixel pieces for the dense 4:2:2 images).
#include <cstdint>
#include <string>

#include "frame/dispatch.h"
#include "frame/image.h"
#include "frames.h"
#include "lumachroma/yuv_rows.h"

namespace qrxbench {
namespace {

using qrx::yuv::RowFn;
using qrx::yuv::RowPairFn;
using qrx::yuv::YuvRows;

// The planes of an image with a step each; chroma planes of a 4:2:0 image
// advance every second row.
struct Planes {
  Qrx8u* p[4];
  int step[4];
  int rowShift[4];
  int count;

  Qrx8u* const* rowsAt(int y, Qrx8u* (&out)[4]) const {
    for (int i = 0; i < count; ++i) out[i] = qrx::rowPtr(p[i], step[i], y >> rowShift[i]);
    return out;
  }
};

Planes planesOf(const Image& im) {
  Planes pl{{}, {}, {}, im.layout.planes};
  for (int i = 0; i < pl.count; ++i) {
    pl.p[i] = im.plane[i];
    pl.step[i] = im.step[i];
    pl.rowShift[i] = (i == 1 || i == 2) && im.layout.cyDiv == 2 ? 1 : 0;
  }
  return pl;
}

// Dense planes of `width`-pixel rows over the same buffers, as the whole-image
// forms address them: 4:2:2 chroma rows round half the width up, 4:2:0 down.
Planes dense(const Image& im, int width) {
  Planes pl = planesOf(im);
  for (int i = 0; i < pl.count; ++i) {
    const bool chroma = im.layout.cxDiv == 2 && (i == 1 || i == 2);
    const int c = im.layout.cyDiv == 2 ? width / 2 : (width + 1) / 2;
    pl.step[i] = (chroma ? c : width) * im.layout.channels * im.layout.elemBytes();
  }
  return pl;
}

// Planes as a row-by-row entry sees them.
Planes planesFor(const Image& im, int width, bool wholeImage) {
  return wholeImage ? dense(im, width) : planesOf(im);
}

template <class S>
void eachRow(RowFn<S> fn, const Planes& src, const Planes& dst, int width, int height) {
  Qrx8u* s[4];
  Qrx8u* d[4];
  for (int y = 0; y < height; ++y)
    fn(reinterpret_cast<const S* const*>(src.rowsAt(y, s)), dst.rowsAt(y, d), width);
}

// Row by row; 4:2:0 decoders convert whole 2x2 blocks only.
template <class S>
Runner rows(RowFn<S> YuvRows::*row, bool wholeBlocks = false, bool wholeImage = false) {
  const YuvRows& t = *qrx::yuv::yuvRowsFor(qrx::Target::Scalar);
  return [&t, row, wholeBlocks, wholeImage](const Args& a) {
    const int mask = wholeBlocks ? ~1 : ~0;
    eachRow(t.*row, planesFor(*a.src, a.roi.width, wholeImage),
            planesFor(*a.dst, a.roi.width, wholeImage), a.roi.width & mask, a.roi.height & mask);
    return 0;
  };
}

template <class S>
Runner rowPairs(RowPairFn<S> YuvRows::*row, bool wholeImage = false) {
  const YuvRows& t = *qrx::yuv::yuvRowsFor(qrx::Target::Scalar);
  return [&t, row, wholeImage](const Args& a) {
    const Planes src = planesFor(*a.src, a.roi.width, wholeImage);
    const Planes dst = planesFor(*a.dst, a.roi.width, wholeImage);
    Qrx8u *s0[4], *s1[4], *d0[4], *d1[4];
    for (int y = 0; y + 1 < a.roi.height; y += 2) {
      src.rowsAt(y, s0);
      src.rowsAt(y + 1, s1);
      dst.rowsAt(y, d0);
      dst.rowsAt(y + 1, d1);
      (t.*row)(reinterpret_cast<const S* const*>(s0), reinterpret_cast<const S* const*>(s1),
               d0[0], d1[0], d0[1], d0[2], a.roi.width);
    }
    return 0;
  };
}

// A dense even-width image as one long row in 64K-pixel pieces.
Runner wholeImage422(RowFn<Qrx8u> YuvRows::*row) {
  const YuvRows& t = *qrx::yuv::yuvRowsFor(qrx::Target::Scalar);
  return [&t, row](const Args& a) {
    constexpr int kPiece = 1 << 16;
    const int64_t pixels = int64_t(a.roi.width) * a.roi.height;
    const int pieces = int(pixels / kPiece), rest = int(pixels % kPiece);
    Planes src = dense(*a.src, kPiece), dst = dense(*a.dst, kPiece);
    eachRow(t.*row, src, dst, kPiece, pieces);
    for (Planes* pl : {&src, &dst})
      for (int i = 0; i < pl->count; ++i) pl->p[i] = qrx::rowPtr(pl->p[i], pl->step[i], pieces);
    eachRow(t.*row, src, dst, rest, 1);
    return 0;
  };
}

void addScalarCases() {
  const auto add = [](const char* op, Runner run) { registerOperationVariant(op, "scalar", run); };
  add("qrxiRGBToYUV_8u_C3R", rows(&YuvRows::rgbToYuvC3));
  add("qrxiRGBToYUV_8u_AC4R", rows(&YuvRows::rgbToYuvAC4));
  add("qrxiRGBToYUV_8u_C3P3R", rows(&YuvRows::rgbToYuvC3P3));
  add("qrxiRGBToYUV_8u_P3R", rows(&YuvRows::rgbToYuvP3));
  add("qrxiRGBToYUV_8u_AC4P4R", rows(&YuvRows::rgbToYuvAC4P4));
  add("qrxiYUVToRGB_8u_C3R", rows(&YuvRows::yuvToRgbC3));
  add("qrxiYUVToRGB_8u_AC4R", rows(&YuvRows::yuvToRgbAC4));
  add("qrxiYUVToRGB_8u_P3C3R", rows(&YuvRows::yuvToRgbP3C3));
  add("qrxiYUVToRGB_8u_P3R", rows(&YuvRows::yuvToRgbP3));
  add("qrxiRGBToYUV422_8u_C3C2R", rows(&YuvRows::rgbToYuv422C3C2));
  add("qrxiRGBToYUV422_8u_C3P3R", rows(&YuvRows::rgbToYuv422C3P3));
  add("qrxiRGBToYUV422_8u_P3R", rows(&YuvRows::rgbToYuv422P3));
  add("qrxiRGBToYUV422_8u_C3P3", wholeImage422(&YuvRows::rgbToYuv422C3P3));
  add("qrxiRGBToYUV422_8u_P3", wholeImage422(&YuvRows::rgbToYuv422P3));
  add("qrxiRGB565ToYUV422_16u8u_C3P3R", rows(&YuvRows::rgb565ToYuv422));
  add("qrxiYUV422ToRGB_8u_C2C3R", rows(&YuvRows::yuv422ToRgbC2C3));
  add("qrxiYUV422ToRGB_8u_P3C3R", rows(&YuvRows::yuv422ToRgbP3C3));
  add("qrxiYUV422ToRGB_8u_P3AC4R", rows(&YuvRows::yuv422ToRgbP3AC4));
  add("qrxiYUV422ToRGB_8u_P3R", rows(&YuvRows::yuv422ToRgbP3));
  add("qrxiYUV422ToRGB_8u_P3C3", wholeImage422(&YuvRows::yuv422ToRgbP3C3));
  add("qrxiYUV422ToRGB_8u_P3", wholeImage422(&YuvRows::yuv422ToRgbP3));
  add("qrxiRGBToYUV420_8u_C3P3R", rowPairs(&YuvRows::rgbToYuv420C3));
  add("qrxiRGBToYUV420_8u_P3R", rowPairs(&YuvRows::rgbToYuv420P3));
  add("qrxiRGBToYUV420_8u_C3P3", rowPairs(&YuvRows::rgbToYuv420C3, true));
  add("qrxiRGBToYUV420_8u_P3", rowPairs(&YuvRows::rgbToYuv420P3, true));
  add("qrxiBGRToYUV420_8u_AC4P3R", rowPairs(&YuvRows::bgrToYuv420AC4));
  add("qrxiRGB565ToYUV420_16u8u_C3P3R", rowPairs(&YuvRows::rgb565ToYuv420));
  add("qrxiBGR565ToYUV420_16u8u_C3P3R", rowPairs(&YuvRows::bgr565ToYuv420));
  add("qrxiBGR555ToYUV420_16u8u_C3P3R", rowPairs(&YuvRows::bgr555ToYuv420));
  add("qrxiYUV420ToRGB_8u_P3C3R", rows(&YuvRows::yuv420ToRgbP3C3, true));
  add("qrxiYUV420ToRGB_8u_P3AC4R", rows(&YuvRows::yuv420ToRgbP3AC4, true));
  add("qrxiYUV420ToRGB_8u_P3R", rows(&YuvRows::yuv420ToRgbP3, true));
  add("qrxiYUV420ToRGB_8u_P3C3", rows(&YuvRows::yuv420ToRgbP3C3, true, true));
  add("qrxiYUV420ToRGB_8u_P3", rows(&YuvRows::yuv420ToRgbP3, true, true));
  add("qrxiYUV420ToBGR_8u_P3C3R", rows(&YuvRows::yuv420ToBgrP3C3, true));
}

const Extension kScalarCases{addScalarCases};

}  // namespace
}  // namespace qrxbench
