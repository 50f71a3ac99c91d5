// Benchmark cases of the AHD demosaicing, beside OpenCV's VNG and
// edge-aware Bayer conversions (registered with the CFA family's peers).
#include <vector>

#include "operations.h"
#include "qrxcc.h"

namespace qrxbench {
namespace {

// The whole source is the region; the scratch image (30 rows of width + 6
// samples) lives as long as the runner.
template <class T, class Fn>
Runner ahdRunner(Fn fn) {
    return [fn](const Args& a) {
        static thread_local std::vector<T> scratch;
        const int step = a.roi.width + 6;
        scratch.resize(std::size_t(30) * step);
        return fn(reinterpret_cast<const T*>(a.src->plane[0]), {0, 0, a.roi.width, a.roi.height},
                  a.roi, a.src->step[0], reinterpret_cast<T*>(a.dst->plane[0]), a.dst->step[0],
                  qrxGridRGGB, scratch.data(), step * int(sizeof(T)));
    };
}

const Family kAhd{"Demosaicing: AHD", {
    {"qrxiDemosaicAHD_8u_C1C3R", ahdRunner<Qrx8u>(qrxiDemosaicAHD_8u_C1C3R), &kGray8, &kRGB,
     "opencv/BayerRGGB2RGB_VNG opencv/BayerRGGB2RGB_EA"},
    {"qrxiDemosaicAHD_16u_C1C3R", ahdRunner<Qrx16u>(qrxiDemosaicAHD_16u_C1C3R), &k16uC1, &k16uC3,
     "opencv/BayerRGGB2RGB_EA_16U"},
}};

}  // namespace
}  // namespace qrxbench
