// Benchmark cases of the bit-depth reduction.
//
// Every entry is timed with 4x4 ordered dithering (the vector path) to 32
// levels (8-bit destinations), 4096 (16-bit to 16-bit) or 256 (float to
// 16-bit). A few entries also get the other methods and thread counts as
// variants: "<op>/<method>[/threads<n>]". The float entries read a copy of
// the shared source scaled into 0..1, so the levels are exercised rather
// than the top end.
#include <map>
#include <memory>
#include <vector>

#include "frame/target_select.h"
#include "operations.h"
#include "qrxcc.h"
#include "qrxcore.h"

#ifdef QRX_BENCH_HAVE_LIBYUV
#include <libyuv.h>
#endif

namespace qrxbench {
namespace {

template <class S, class D>
using ReduceFn = QrxStatus (*)(const S*, int, D*, int, QrxRoiSize, int, QrxDitherType, int);

// The shared source of a float case divided by 255, made once per layout.
const Qrx32f* unitFloats(const Args& a) {
  static std::map<const Image*, std::unique_ptr<std::vector<Qrx32f>>> cache;
  auto& slot = cache[a.src];
  if (!slot) {
    const Layout& l = a.src->layout;
    const size_t n = l.regionBytes(kFrame.width, kFrame.height) / sizeof(Qrx32f);
    const auto* f = reinterpret_cast<const Qrx32f*>(a.src->plane[0]);
    slot = std::make_unique<std::vector<Qrx32f>>(f, f + n);
    for (Qrx32f& v : *slot) v /= 255.0f;
  }
  return slot->data();
}

template <class S, class D>
int defaultLevels() {
  if (sizeof(D) == 1) return 32;
  return sizeof(S) == 2 ? 4096 : 256;
}

// A call with the given method and noise; threads > 0 sets the thread count
// for the call (0 leaves the default, every processor).
template <class S, class D>
Runner reduce(ReduceFn<S, D> fn, QrxDitherType method, int noise = 0, int threads = 0) {
  return [=](const Args& a) {
    const S* src = reinterpret_cast<const S*>(a.src->plane[0]);
    if constexpr (std::is_same_v<S, Qrx32f>) src = unitFloats(a);
    if (threads > 0) qrxSetNumThreads(threads);
    const int st = fn(src, a.src->step[0], reinterpret_cast<D*>(a.dst->plane[0]), a.dst->step[0],
                      a.roi, noise, method, defaultLevels<S, D>());
    if (threads > 0) qrxSetNumThreads(0);
    return st;
  };
}

#define BITS_OP(fn, src, dst, peers) {#fn, reduce(&fn, qrxDitherBayer4x4), &src, &dst, peers}

void registerVariants(const char* name, Runner (*make)(QrxDitherType, int, int), const Layout& src,
                      const Layout& dst) {
  struct Variant {
    const char* suffix;
    QrxDitherType method;
    int noise, threads;
  };
  const Variant variants[] = {
      {"none", qrxDitherNone, 0, 0},
      {"bayer/threads1", qrxDitherBayer4x4, 0, 1},
      {"bayer/threads2", qrxDitherBayer4x4, 0, 2},
      {"bayer_noise", qrxDitherBayer4x4, 30, 0},
      {"fs/threads1", qrxDitherFloydSteinberg, 0, 1},
      {"fs/threads2", qrxDitherFloydSteinberg, 0, 2},
      {"fs_noise", qrxDitherFloydSteinberg, 30, 0},
      {"jjn", qrxDitherJarvisJudiceNinke, 0, 0},
      {"stucki", qrxDitherStucki, 0, 0},
  };
  for (const Variant& v : variants)
    registerCase(std::string(name) + "/" + v.suffix, src, dst, make(v.method, v.noise, v.threads),
                 {kFrame});
}

template <class S, class D, ReduceFn<S, D> Fn>
Runner variant(QrxDitherType method, int noise, int threads) {
  return reduce(Fn, method, noise, threads);
}

void peers() {
  registerVariants("qrxiReduceBits_8u_C1R", variant<Qrx8u, Qrx8u, qrxiReduceBits_8u_C1R>,
                   kGray8, kGray8);
  registerVariants("qrxiReduceBits_8u_C3R", variant<Qrx8u, Qrx8u, qrxiReduceBits_8u_C3R>, kRGB,
                   kRGB);
  registerVariants("qrxiReduceBits_8u_C4R", variant<Qrx8u, Qrx8u, qrxiReduceBits_8u_C4R>, kRGBA,
                   kRGBA);
  registerVariants("qrxiReduceBits_16u_C1R", variant<Qrx16u, Qrx16u, qrxiReduceBits_16u_C1R>,
                   k16uC1, k16uC1);
  registerVariants("qrxiReduceBits_32f8u_C3R", variant<Qrx32f, Qrx8u, qrxiReduceBits_32f8u_C3R>,
                   k32fC3, kRGB);
  // The 8-bit ordered dither on one thread under each vector target, at the
  // full frame and at 64x64 (where the per-call setup shows).
  const struct {
    const char* name;
    qrx::Target target;
  } targets[] = {{"avx2", qrx::Target::AVX2}, {"avx512", qrx::Target::AVX512}};
  for (const auto& t : targets) {
    if (!qrx::targetSupported(t.target)) continue;
    const Runner run = reduce(&qrxiReduceBits_8u_C4R, qrxDitherBayer4x4, 0, 1);
    registerCase(std::string("qrxiReduceBits_8u_C4R/bayer/threads1/") + t.name, kRGBA, kRGBA,
                 [target = t.target, run](const Args& a) {
                   qrx::selectTarget(target);
                   const int status = run(a);
                   qrx::selectAutomaticTarget();
                   return status;
                 });
  }
#ifdef QRX_BENCH_HAVE_LIBYUV
  // libyuv's nearest peer: a 4x4 ordered dither of ARGB to 5-6-5.
  registerPeer("libyuv/ARGBToRGB565Dither", kRGBA, kW16,
               [](const Args& a) {
                 return libyuv::ARGBToRGB565Dither(a.src->plane[0], a.src->step[0], a.dst->plane[0],
                                                   a.dst->step[0], nullptr, a.roi.width,
                                                   a.roi.height);
               },
               "4x4 ordered dither of ARGB to RGB565");
#endif
}

const Family kBits{"Bit-depth reduction", {
    BITS_OP(qrxiReduceBits_8u_C1R, kGray8, kGray8, ""),
    BITS_OP(qrxiReduceBits_8u_C3R, kRGB, kRGB, ""),
    BITS_OP(qrxiReduceBits_8u_C4R, kRGBA, kRGBA, "libyuv/ARGBToRGB565Dither"),
    BITS_OP(qrxiReduceBits_8u_AC4R, kRGBA, kRGBA, "libyuv/ARGBToRGB565Dither"),
    BITS_OP(qrxiReduceBits_16u_C1R, k16uC1, k16uC1, ""),
    BITS_OP(qrxiReduceBits_16u_C3R, k16uC3, k16uC3, ""),
    BITS_OP(qrxiReduceBits_16u_C4R, k16uC4, k16uC4, ""),
    BITS_OP(qrxiReduceBits_16u_AC4R, k16uC4, k16uC4, ""),
    BITS_OP(qrxiReduceBits_16s_C1R, k16sC1, k16sC1, ""),
    BITS_OP(qrxiReduceBits_16s_C3R, k16sC3, k16sC3, ""),
    BITS_OP(qrxiReduceBits_16s_C4R, k16sC4, k16sC4, ""),
    BITS_OP(qrxiReduceBits_16s_AC4R, k16sC4, k16sC4, ""),
    BITS_OP(qrxiReduceBits_16u8u_C1R, k16uC1, kGray8, ""),
    BITS_OP(qrxiReduceBits_16u8u_C3R, k16uC3, kRGB, ""),
    BITS_OP(qrxiReduceBits_16u8u_C4R, k16uC4, kRGBA, ""),
    BITS_OP(qrxiReduceBits_16u8u_AC4R, k16uC4, kRGBA, ""),
    BITS_OP(qrxiReduceBits_16s8u_C1R, k16sC1, kGray8, ""),
    BITS_OP(qrxiReduceBits_16s8u_C3R, k16sC3, kRGB, ""),
    BITS_OP(qrxiReduceBits_16s8u_C4R, k16sC4, kRGBA, ""),
    BITS_OP(qrxiReduceBits_16s8u_AC4R, k16sC4, kRGBA, ""),
    BITS_OP(qrxiReduceBits_32f8u_C1R, k32fC1, kGray8, ""),
    BITS_OP(qrxiReduceBits_32f8u_C3R, k32fC3, kRGB, ""),
    BITS_OP(qrxiReduceBits_32f8u_C4R, k32fC4, kRGBA, ""),
    BITS_OP(qrxiReduceBits_32f8u_AC4R, k32fC4, kRGBA, ""),
    BITS_OP(qrxiReduceBits_32f16u_C1R, k32fC1, k16uC1, ""),
    BITS_OP(qrxiReduceBits_32f16u_C3R, k32fC3, k16uC3, ""),
    BITS_OP(qrxiReduceBits_32f16u_C4R, k32fC4, k16uC4, ""),
    BITS_OP(qrxiReduceBits_32f16u_AC4R, k32fC4, k16uC4, ""),
    BITS_OP(qrxiReduceBits_32f16s_C1R, k32fC1, k16sC1, ""),
    BITS_OP(qrxiReduceBits_32f16s_C3R, k32fC3, k16sC3, ""),
    BITS_OP(qrxiReduceBits_32f16s_C4R, k32fC4, k16sC4, ""),
    BITS_OP(qrxiReduceBits_32f16s_AC4R, k32fC4, k16sC4, ""),
}, peers};

}  // namespace
}  // namespace qrxbench
