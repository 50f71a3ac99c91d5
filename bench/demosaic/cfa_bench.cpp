// Benchmark cases of the CFA interpolation, beside OpenCV's Bayer
// conversions (bilinear, edge-aware, VNG) on the same RGGB mosaic.
#include "operations.h"
#include "peers/peers.h"
#include "qrxcc.h"

#ifdef QRX_BENCH_HAVE_OPENCV
#include <opencv2/imgproc.hpp>
#endif

namespace qrxbench {
namespace {

// The whole source is the region: srcSize and srcRoi are the case's size.
template <class T, class Fn>
Runner cfaRunner(Fn fn) {
    return [fn](const Args& a) {
        return fn(reinterpret_cast<const T*>(a.src->plane[0]), {0, 0, a.roi.width, a.roi.height},
                  a.roi, a.src->step[0], reinterpret_cast<T*>(a.dst->plane[0]), a.dst->step[0],
                  qrxGridRGGB);
    };
}

void peers() {
#ifdef QRX_BENCH_HAVE_OPENCV
    registerPeer("opencv/BayerRGGB2RGB", kGray8, kRGB, opencvCvtColor(cv::COLOR_BayerRGGB2RGB),
                 "cvtColor COLOR_BayerRGGB2RGB (bilinear)");
    registerPeer("opencv/BayerRGGB2RGB_EA", kGray8, kRGB,
                 opencvCvtColor(cv::COLOR_BayerRGGB2RGB_EA), "cvtColor COLOR_BayerRGGB2RGB_EA (edge-aware)");
    registerPeer("opencv/BayerRGGB2RGB_VNG", kGray8, kRGB,
                 opencvCvtColor(cv::COLOR_BayerRGGB2RGB_VNG), "cvtColor COLOR_BayerRGGB2RGB_VNG");
    registerPeer("opencv/BayerRGGB2RGB_16U", k16uC1, k16uC3, opencvCvtColor(cv::COLOR_BayerRGGB2RGB),
                 "cvtColor COLOR_BayerRGGB2RGB on 16-bit samples (bilinear)");
    registerPeer("opencv/BayerRGGB2RGB_EA_16U", k16uC1, k16uC3,
                 opencvCvtColor(cv::COLOR_BayerRGGB2RGB_EA),
                 "cvtColor COLOR_BayerRGGB2RGB_EA on 16-bit samples (edge-aware)");
#endif
}

const Family kCfa{"Demosaicing: CFA interpolation", {
    {"qrxiCFAToRGB_8u_C1C3R", cfaRunner<Qrx8u>(qrxiCFAToRGB_8u_C1C3R), &kGray8, &kRGB,
     "opencv/BayerRGGB2RGB opencv/BayerRGGB2RGB_EA opencv/BayerRGGB2RGB_VNG"},
    {"qrxiCFAToRGB_16u_C1C3R", cfaRunner<Qrx16u>(qrxiCFAToRGB_16u_C1C3R), &k16uC1, &k16uC3,
     "opencv/BayerRGGB2RGB_16U opencv/BayerRGGB2RGB_EA_16U"},
}, peers};

}  // namespace
}  // namespace qrxbench
