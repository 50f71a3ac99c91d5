// Benchmark cases of RGB and BGR to and from HLS and HSV, beside OpenCV's
// cvtColor (the _FULL codes for 8u, whose hue spans 0..255 as ours does),
// and one- and two-thread variants of the RGB members.
#include "operations.h"
#include "peers/peers.h"
#include "qrxcc.h"
#include "qrxcore.h"

#ifdef QRX_BENCH_HAVE_OPENCV
#include <opencv2/imgproc.hpp>
#endif

namespace qrxbench {
namespace {

// `run` with the core library's thread count set to n for the call.
Runner withThreads(int n, Runner run) {
  return [n, run](const Args& a) {
    qrxSetNumThreads(n);
    const int status = run(a);
    qrxSetNumThreads(0);
    return status;
  };
}

void peers() {
  struct Threaded {
    const char* name;
    Runner run;
    const Layout* src;
  };
  const Threaded threaded[] = {
      {"qrxiRGBToHLS_8u_C3R", runnerFor(&qrxiRGBToHLS_8u_C3R), &kRGB},
      {"qrxiHLSToRGB_8u_C3R", runnerFor(&qrxiHLSToRGB_8u_C3R), &kRGB},
      {"qrxiRGBToHSV_8u_C3R", runnerFor(&qrxiRGBToHSV_8u_C3R), &kRGB},
      {"qrxiHSVToRGB_8u_C3R", runnerFor(&qrxiHSVToRGB_8u_C3R), &kRGB},
      {"qrxiRGBToHLS_32f_C3R", runnerFor(&qrxiRGBToHLS_32f_C3R), &k32fC3},
      {"qrxiHLSToRGB_32f_C3R", runnerFor(&qrxiHLSToRGB_32f_C3R), &k32fC3},
  };
  for (const Threaded& t : threaded)
    for (int n : {1, 2})
      registerCase(std::string(t.name) + "/threads" + std::to_string(n), *t.src, *t.src,
                   withThreads(n, t.run), {kFrame});
#ifdef QRX_BENCH_HAVE_OPENCV
  struct Peer {
    const char* name;
    int code;
    const Layout* layout;
  };
  const Peer cv[] = {
      {"RGB2HLS_FULL", cv::COLOR_RGB2HLS_FULL, &kRGB},   {"HLS2RGB_FULL", cv::COLOR_HLS2RGB_FULL, &kRGB},
      {"RGB2HSV_FULL", cv::COLOR_RGB2HSV_FULL, &kRGB},   {"HSV2RGB_FULL", cv::COLOR_HSV2RGB_FULL, &kRGB},
      {"BGR2HLS_FULL", cv::COLOR_BGR2HLS_FULL, &kRGB},   {"HLS2BGR_FULL", cv::COLOR_HLS2BGR_FULL, &kRGB},
      {"RGB2HLS_32F", cv::COLOR_RGB2HLS, &k32fC3},       {"HLS2RGB_32F", cv::COLOR_HLS2RGB, &k32fC3},
  };
  for (const Peer& p : cv)
    registerPeer(std::string("opencv/") + p.name, *p.layout, *p.layout, opencvCvtColor(p.code),
                 std::string("cvtColor ") + p.name);
#endif
}

const Family kHlsHsv{"HLS and HSV", {
    {OP(qrxiRGBToHLS_8u_C3R), &kRGB, &kRGB, "opencv/RGB2HLS_FULL"},
    {OP(qrxiRGBToHLS_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiRGBToHLS_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiRGBToHLS_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiRGBToHLS_16s_C3R), &k16sC3, &k16sC3, ""},
    {OP(qrxiRGBToHLS_16s_AC4R), &k16sC4, &k16sC4, ""},
    {OP(qrxiRGBToHLS_32f_C3R), &k32fC3, &k32fC3, "opencv/RGB2HLS_32F"},
    {OP(qrxiRGBToHLS_32f_AC4R), &k32fC4, &k32fC4, ""},
    {OP(qrxiHLSToRGB_8u_C3R), &kRGB, &kRGB, "opencv/HLS2RGB_FULL"},
    {OP(qrxiHLSToRGB_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiHLSToRGB_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiHLSToRGB_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiHLSToRGB_16s_C3R), &k16sC3, &k16sC3, ""},
    {OP(qrxiHLSToRGB_16s_AC4R), &k16sC4, &k16sC4, ""},
    {OP(qrxiHLSToRGB_32f_C3R), &k32fC3, &k32fC3, "opencv/HLS2RGB_32F"},
    {OP(qrxiHLSToRGB_32f_AC4R), &k32fC4, &k32fC4, ""},
    {OP(qrxiRGBToHSV_8u_C3R), &kRGB, &kRGB, "opencv/RGB2HSV_FULL"},
    {OP(qrxiRGBToHSV_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiRGBToHSV_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiRGBToHSV_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiHSVToRGB_8u_C3R), &kRGB, &kRGB, "opencv/HSV2RGB_FULL"},
    {OP(qrxiHSVToRGB_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiHSVToRGB_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiHSVToRGB_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiBGRToHLS_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiBGRToHLS_8u_C3P3R), &kRGB, &kP444, "opencv/BGR2HLS_FULL"},
    {OP(qrxiBGRToHLS_8u_P3C3R), &kP444, &kRGB, ""},
    {OP(qrxiBGRToHLS_8u_P3R), &kP444, &kP444, ""},
    {OP(qrxiBGRToHLS_8u_AC4P4R), &kRGBA, &kP4, ""},
    {OP(qrxiBGRToHLS_8u_AP4C4R), &kP4, &kRGBA, ""},
    {OP(qrxiBGRToHLS_8u_AP4R), &kP4, &kP4, ""},
    {OP(qrxiHLSToBGR_8u_C3P3R), &kRGB, &kP444, ""},
    {OP(qrxiHLSToBGR_8u_P3C3R), &kP444, &kRGB, "opencv/HLS2BGR_FULL"},
    {OP(qrxiHLSToBGR_8u_P3R), &kP444, &kP444, ""},
    {OP(qrxiHLSToBGR_8u_AC4P4R), &kRGBA, &kP4, ""},
    {OP(qrxiHLSToBGR_8u_AP4C4R), &kP4, &kRGBA, ""},
    {OP(qrxiHLSToBGR_8u_AP4R), &kP4, &kP4, ""},
}, peers};

}  // namespace
}  // namespace qrxbench
