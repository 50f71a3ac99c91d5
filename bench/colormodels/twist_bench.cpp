// Benchmark cases of the colour twist, with OpenCV's cv::transform (3x4
// matrix, 8u and 32f three-channel) and libyuv's ARGBColorMatrix as peers.
#include "operations.h"
#include "peers/peers.h"
#include "qrxcc.h"

#ifdef QRX_BENCH_HAVE_LIBYUV
#include <libyuv.h>
#endif
#ifdef QRX_BENCH_HAVE_OPENCV
#include <opencv2/core.hpp>
#endif

namespace qrxbench {
namespace {

const Layout kP3_16u{"P3_16u", 3, 1, Elem::U16};
const Layout kP3_16s{"P3_16s", 3, 1, Elem::S16};
const Layout kP3_32f{"P3_32f", 3, 1, Elem::F32};

// Rows of weights summing to 1 plus a small constant: applied again and
// again in place, values settle instead of growing or vanishing.
const Qrx32f kTwist[3][4] = {{0.1f, 0.2f, 0.7f, 1.0f}, {0.7f, 0.2f, 0.1f, 1.0f}, {0.2f, 0.7f, 0.1f, 1.0f}};
const Qrx32f kTwist4[4][4] = {
    {0.1f, 0.2f, 0.6f, 0.1f}, {0.6f, 0.2f, 0.1f, 0.1f}, {0.2f, 0.6f, 0.1f, 0.1f}, {0.1f, 0.1f, 0.1f, 0.7f}};

template <class T>
T* px(Image* im) {
  return reinterpret_cast<T*>(im->plane[0]);
}
template <class T>
T** planes(Image* im) {
  return reinterpret_cast<T**>(im->plane);
}

// Runners by argument shape; in-place forms work on the destination image.
template <class T>
Runner interleaved(QrxStatus (*fn)(const T*, int, T*, int, QrxRoiSize, const Qrx32f[3][4])) {
  return [fn](const Args& a) { return fn(px<T>(a.src), a.src->step[0], px<T>(a.dst), a.dst->step[0], a.roi, kTwist); };
}
template <class T>
Runner inPlace(QrxStatus (*fn)(T*, int, QrxRoiSize, const Qrx32f[3][4])) {
  return [fn](const Args& a) { return fn(px<T>(a.dst), a.dst->step[0], a.roi, kTwist); };
}
template <class T>
Runner planar(QrxStatus (*fn)(const T* const[3], int, T* const[3], int, QrxRoiSize, const Qrx32f[3][4])) {
  return [fn](const Args& a) { return fn(planes<T>(a.src), a.src->step[0], planes<T>(a.dst), a.dst->step[0], a.roi, kTwist); };
}
template <class T>
Runner planarInPlace(QrxStatus (*fn)(T* const[3], int, QrxRoiSize, const Qrx32f[3][4])) {
  return [fn](const Args& a) { return fn(planes<T>(a.dst), a.dst->step[0], a.roi, kTwist); };
}

#define TWIST(fn, shape, src, dst, peers) {#fn, shape(&fn), src, dst, peers}

void twistPeers() {
#ifdef QRX_BENCH_HAVE_OPENCV
  // cv::transform with the same 3x4 matrix (8u saturates and rounds).
  for (const Layout* l : {&kRGB, &k32fC3}) {
    registerPeer(std::string("opencv/transform_") + (l == &kRGB ? "8UC3" : "32FC3"), *l, *l,
                 [](const Args& a) {
                   cv::Mat s = opencvHeader(*a.src, a.roi), d = opencvHeader(*a.dst, a.roi);
                   void* before = d.data;
                   cv::transform(s, d, cv::Matx34f(&kTwist[0][0]));
                   return d.data == before ? 0 : -2;
                 },
                 "OpenCV cv::transform with a 3x4 float matrix");
  }
#endif
#ifdef QRX_BENCH_HAVE_LIBYUV
  // libyuv's colour matrix: 4x4 signed 8-bit weights in 1/64 units.
  static const int8_t kMatrix[16] = {6, 13, 45, 0, 45, 13, 6, 0, 13, 45, 6, 0, 0, 0, 0, 64};
  registerPeer("libyuv/ARGBColorMatrix", kRGBA, kRGBA,
               [](const Args& a) {
                 return libyuv::ARGBColorMatrix(a.src->plane[0], a.src->step[0], a.dst->plane[0],
                                                a.dst->step[0], kMatrix, a.roi.width, a.roi.height);
               },
               "libyuv ARGBColorMatrix (integer 4x4 matrix)");
#endif
}

const Family kTwistFamily{"Colour twist", {
    TWIST(qrxiColorTwist32f_8u_C3R, interleaved<Qrx8u>, &kRGB, &kRGB, "opencv/transform_8UC3"),
    TWIST(qrxiColorTwist32f_8u_C3IR, inPlace<Qrx8u>, &kRGB, &kRGB, "opencv/transform_8UC3"),
    TWIST(qrxiColorTwist32f_8u_AC4R, interleaved<Qrx8u>, &kRGBA, &kRGBA, "libyuv/ARGBColorMatrix"),
    TWIST(qrxiColorTwist32f_8u_AC4IR, inPlace<Qrx8u>, &kRGBA, &kRGBA, "libyuv/ARGBColorMatrix"),
    TWIST(qrxiColorTwist32f_8u_P3R, planar<Qrx8u>, &kP444, &kP444, ""),
    TWIST(qrxiColorTwist32f_8u_IP3R, planarInPlace<Qrx8u>, &kP444, &kP444, ""),
    TWIST(qrxiColorTwist32f_8s_C3R, interleaved<Qrx8s>, &kRGB, &kRGB, ""),
    TWIST(qrxiColorTwist32f_8s_C3IR, inPlace<Qrx8s>, &kRGB, &kRGB, ""),
    TWIST(qrxiColorTwist32f_8s_AC4R, interleaved<Qrx8s>, &kRGBA, &kRGBA, ""),
    TWIST(qrxiColorTwist32f_8s_AC4IR, inPlace<Qrx8s>, &kRGBA, &kRGBA, ""),
    TWIST(qrxiColorTwist32f_8s_P3R, planar<Qrx8s>, &kP444, &kP444, ""),
    TWIST(qrxiColorTwist32f_8s_IP3R, planarInPlace<Qrx8s>, &kP444, &kP444, ""),
    TWIST(qrxiColorTwist32f_16u_C3R, interleaved<Qrx16u>, &k16uC3, &k16uC3, ""),
    TWIST(qrxiColorTwist32f_16u_C3IR, inPlace<Qrx16u>, &k16uC3, &k16uC3, ""),
    TWIST(qrxiColorTwist32f_16u_AC4R, interleaved<Qrx16u>, &k16uC4, &k16uC4, ""),
    TWIST(qrxiColorTwist32f_16u_AC4IR, inPlace<Qrx16u>, &k16uC4, &k16uC4, ""),
    TWIST(qrxiColorTwist32f_16u_P3R, planar<Qrx16u>, &kP3_16u, &kP3_16u, ""),
    TWIST(qrxiColorTwist32f_16u_IP3R, planarInPlace<Qrx16u>, &kP3_16u, &kP3_16u, ""),
    TWIST(qrxiColorTwist32f_16s_C3R, interleaved<Qrx16s>, &k16sC3, &k16sC3, ""),
    TWIST(qrxiColorTwist32f_16s_C3IR, inPlace<Qrx16s>, &k16sC3, &k16sC3, ""),
    TWIST(qrxiColorTwist32f_16s_AC4R, interleaved<Qrx16s>, &k16sC4, &k16sC4, ""),
    TWIST(qrxiColorTwist32f_16s_AC4IR, inPlace<Qrx16s>, &k16sC4, &k16sC4, ""),
    TWIST(qrxiColorTwist32f_16s_P3R, planar<Qrx16s>, &kP3_16s, &kP3_16s, ""),
    TWIST(qrxiColorTwist32f_16s_IP3R, planarInPlace<Qrx16s>, &kP3_16s, &kP3_16s, ""),
    TWIST(qrxiColorTwist_32f_C3R, interleaved<Qrx32f>, &k32fC3, &k32fC3, "opencv/transform_32FC3"),
    TWIST(qrxiColorTwist_32f_C3IR, inPlace<Qrx32f>, &k32fC3, &k32fC3, "opencv/transform_32FC3"),
    TWIST(qrxiColorTwist_32f_AC4R, interleaved<Qrx32f>, &k32fC4, &k32fC4, ""),
    TWIST(qrxiColorTwist_32f_AC4IR, inPlace<Qrx32f>, &k32fC4, &k32fC4, ""),
    TWIST(qrxiColorTwist_32f_P3R, planar<Qrx32f>, &kP3_32f, &kP3_32f, ""),
    TWIST(qrxiColorTwist_32f_IP3R, planarInPlace<Qrx32f>, &kP3_32f, &kP3_32f, ""),
    {"qrxiColorTwist_32f_C4R",
     [](const Args& a) {
       return qrxiColorTwist_32f_C4R(px<Qrx32f>(a.src), a.src->step[0], px<Qrx32f>(a.dst), a.dst->step[0], a.roi, kTwist4);
     },
     &k32fC4, &k32fC4, ""},
}, twistPeers};

}  // namespace
}  // namespace qrxbench
