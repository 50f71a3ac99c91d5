// libyuv conversions doing the same work as ours: same source and destination
// layouts and chroma subsampling, whatever their matrix. libyuv names byte
// orders by little-endian words: its RGB24 is B,G,R in memory, ARGB is
// B,G,R,A and ABGR is R,G,B,A.
#include "frames.h"

#ifdef QRX_BENCH_HAVE_LIBYUV
#include <libyuv.h>
#endif

namespace qrxbench {

#ifdef QRX_BENCH_HAVE_LIBYUV
namespace {

using PackedToPlanar = int (*)(const uint8_t*, int, uint8_t*, int, uint8_t*, int, uint8_t*, int,
                               int, int);
using PlanarToPacked = int (*)(const uint8_t*, int, const uint8_t*, int, const uint8_t*, int,
                               uint8_t*, int, int, int);
using PackedToPacked = int (*)(const uint8_t*, int, uint8_t*, int, int, int);

Runner run(PackedToPlanar f) {
  return [f](const Args& a) {
    const Image& s = *a.src;
    const Image& d = *a.dst;
    return f(s.plane[0], s.step[0], d.plane[0], d.step[0], d.plane[1], d.step[1], d.plane[2],
             d.step[2], a.roi.width, a.roi.height);
  };
}

Runner run(PlanarToPacked f) {
  return [f](const Args& a) {
    const Image& s = *a.src;
    const Image& d = *a.dst;
    return f(s.plane[0], s.step[0], s.plane[1], s.step[1], s.plane[2], s.step[2], d.plane[0],
             d.step[0], a.roi.width, a.roi.height);
  };
}

Runner run(PackedToPacked f) {
  return [f](const Args& a) {
    return f(a.src->plane[0], a.src->step[0], a.dst->plane[0], a.dst->step[0], a.roi.width,
             a.roi.height);
  };
}

struct Peer {
  const char* name;
  const Layout* src;
  const Layout* dst;
  Runner run;
};

}  // namespace

void registerLibyuvPeers() {
  const Peer peers[] = {
      {"RGB24ToI420", &kRGB, &kP420, run(&libyuv::RGB24ToI420)},
      {"ARGBToI420", &kRGBA, &kP420, run(&libyuv::ARGBToI420)},
      {"ABGRToI420", &kRGBA, &kP420, run(&libyuv::ABGRToI420)},
      {"RGB565ToI420", &kW16, &kP420, run(&libyuv::RGB565ToI420)},
      {"ARGB1555ToI420", &kW16, &kP420, run(&libyuv::ARGB1555ToI420)},
      {"ARGBToI422", &kRGBA, &kP422, run(&libyuv::ARGBToI422)},
      {"ARGBToI444", &kRGBA, &kP444, run(&libyuv::ARGBToI444)},
      {"ARGBToYUY2", &kRGBA, &kC2, run(&libyuv::ARGBToYUY2)},
      {"YUY2ToARGB", &kC2, &kRGBA, run(&libyuv::YUY2ToARGB)},
      {"I420ToRGB24", &kP420, &kRGB, run(&libyuv::I420ToRGB24)},
      {"I420ToARGB", &kP420, &kRGBA, run(&libyuv::I420ToARGB)},
      {"I420ToABGR", &kP420, &kRGBA, run(&libyuv::I420ToABGR)},
      {"I422ToRGB24", &kP422, &kRGB, run(&libyuv::I422ToRGB24)},
      {"I422ToABGR", &kP422, &kRGBA, run(&libyuv::I422ToABGR)},
      {"I444ToRGB24", &kP444, &kRGB, run(&libyuv::I444ToRGB24)},
      {"I444ToARGB", &kP444, &kRGBA, run(&libyuv::I444ToARGB)},
      {"I444ToABGR", &kP444, &kRGBA, run(&libyuv::I444ToABGR)},
      {"RGB24ToJ400", &kRGB, &kGray8, run(&libyuv::RGB24ToJ400)},
      {"ARGBToJ400", &kRGBA, &kGray8, run(&libyuv::ARGBToJ400)},
      // Interpolated chroma; the 4:2:0 _Filter decoder interpolates horizontally
      // only, libyuv offers 4:2:0 upsampling in both directions.
      {"I420ToARGBMatrixFilter_Bilinear", &kP420, &kRGBA,
       [](const Args& a) {
         const Image& s = *a.src;
         return libyuv::I420ToARGBMatrixFilter(
             s.plane[0], s.step[0], s.plane[1], s.step[1], s.plane[2], s.step[2],
             a.dst->plane[0], a.dst->step[0], &libyuv::kYuvI601Constants, a.roi.width,
             a.roi.height, libyuv::kFilterBilinear);
       }},
  };
  describe("libyuv.version", std::to_string(LIBYUV_VERSION));
  for (const Peer& p : peers)
    registerPeer(std::string("libyuv/") + p.name, *p.src, *p.dst, p.run,
                 std::string("libyuv ") + p.name);
}
#else
void registerLibyuvPeers() {}
#endif

}  // namespace qrxbench
