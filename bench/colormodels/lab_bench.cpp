// Benchmark cases of BGR to and from Lab, beside OpenCV cvtColor on linear
// BGR (the same arithmetic without a transfer curve), on one and two threads.
#include "operations.h"
#include "peers/peers.h"
#include "qrxcc.h"
#include "qrxcore.h"
#include "target_cases.h"

#ifdef QRX_BENCH_HAVE_OPENCV
#include <opencv2/imgproc.hpp>
#endif

namespace qrxbench {
namespace {

template <class S, class D>
void threadCases(const char* name, const Layout& src, const Layout& dst,
                 QrxStatus (*op)(const S*, int, D*, int, QrxRoiSize)) {
  for (int n : {1, 2})
    registerCase(std::string(name) + "/threads" + std::to_string(n), src, dst,
                 [n, op](const Args& a) {
                   qrxSetNumThreads(n);
                   const int st = runnerFor(op)(a);
                   qrxSetNumThreads(0);
                   return st;
                 },
                 {kFrame});
  oneThreadTargetCases(name, src, dst, runnerFor(op));
}

void peers() {
  threadCases("qrxiBGRToLab_8u_C3R", kRGB, kRGB, qrxiBGRToLab_8u_C3R);
  threadCases("qrxiLabToBGR_8u_C3R", kRGB, kRGB, qrxiLabToBGR_8u_C3R);
#ifdef QRX_BENCH_HAVE_OPENCV
  registerPeer("opencv/LBGR2Lab", kRGB, kRGB, opencvCvtColor(cv::COLOR_LBGR2Lab),
               "OpenCV cvtColor LBGR2Lab (linear BGR)");
  registerPeer("opencv/Lab2LBGR", kRGB, kRGB, opencvCvtColor(cv::COLOR_Lab2LBGR),
               "OpenCV cvtColor Lab2LBGR (linear BGR)");
#endif
}

const Family kLab{"BGR and Lab", {
    {OP(qrxiBGRToLab_8u_C3R), &kRGB, &kRGB, "opencv/LBGR2Lab"},
    {OP(qrxiBGRToLab_8u16u_C3R), &kRGB, &k16uC3, ""},
    {OP(qrxiLabToBGR_8u_C3R), &kRGB, &kRGB, "opencv/Lab2LBGR"},
    {OP(qrxiLabToBGR_16u8u_C3R), &k16uC3, &kRGB, ""},
}, peers};

}  // namespace
}  // namespace qrxbench
