// Benchmark cases of RGB to and from XYZ and LUV, beside OpenCV cvtColor on
// linear RGB (the same arithmetic without a transfer curve), and the 8u and
// 32f conversions on one and two threads.
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

// Runs op with n threads, restoring the default count afterwards.
template <class T>
Runner withThreads(int n, QrxStatus (*op)(const T*, int, T*, int, QrxRoiSize)) {
  return [n, op](const Args& a) {
    qrxSetNumThreads(n);
    const int st = runnerFor(op)(a);
    qrxSetNumThreads(0);
    return st;
  };
}

template <class T>
void threadCases(const char* name, const Layout& layout, QrxStatus (*op)(const T*, int, T*, int, QrxRoiSize)) {
  for (int n : {1, 2})
    registerCase(std::string(name) + "/threads" + std::to_string(n), layout, layout, withThreads(n, op), {kFrame});
  oneThreadTargetCases(name, layout, layout, runnerFor(op));
}

void peers() {
  threadCases("qrxiRGBToXYZ_8u_C3R", kRGB, qrxiRGBToXYZ_8u_C3R);
  threadCases("qrxiRGBToXYZ_32f_C3R", k32fC3, qrxiRGBToXYZ_32f_C3R);
  threadCases("qrxiXYZToRGB_8u_C3R", kRGB, qrxiXYZToRGB_8u_C3R);
  threadCases("qrxiRGBToLUV_8u_C3R", kRGB, qrxiRGBToLUV_8u_C3R);
  threadCases("qrxiRGBToLUV_32f_C3R", k32fC3, qrxiRGBToLUV_32f_C3R);
  threadCases("qrxiLUVToRGB_8u_C3R", kRGB, qrxiLUVToRGB_8u_C3R);
  threadCases("qrxiLUVToRGB_32f_C3R", k32fC3, qrxiLUVToRGB_32f_C3R);
#ifdef QRX_BENCH_HAVE_OPENCV
  const struct {
    const char* name;
    const Layout* layout;
    int code;
  } cv[] = {
      {"RGB2XYZ", &kRGB, cv::COLOR_RGB2XYZ},        {"RGB2XYZ_32F", &k32fC3, cv::COLOR_RGB2XYZ},
      {"XYZ2RGB", &kRGB, cv::COLOR_XYZ2RGB},        {"XYZ2RGB_32F", &k32fC3, cv::COLOR_XYZ2RGB},
      {"LRGB2Luv", &kRGB, cv::COLOR_LRGB2Luv},      {"LRGB2Luv_32F", &k32fC3, cv::COLOR_LRGB2Luv},
      {"Luv2LRGB", &kRGB, cv::COLOR_Luv2LRGB},      {"Luv2LRGB_32F", &k32fC3, cv::COLOR_Luv2LRGB},
  };
  for (const auto& p : cv)
    registerPeer(std::string("opencv/") + p.name, *p.layout, *p.layout, opencvCvtColor(p.code),
                 std::string("OpenCV cvtColor ") + p.name + " (linear RGB)");
#endif
}

const Family kXyzLuv{"RGB and XYZ, LUV", {
    {OP(qrxiRGBToXYZ_8u_C3R), &kRGB, &kRGB, "opencv/RGB2XYZ"},
    {OP(qrxiRGBToXYZ_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiRGBToXYZ_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiRGBToXYZ_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiRGBToXYZ_16s_C3R), &k16sC3, &k16sC3, ""},
    {OP(qrxiRGBToXYZ_16s_AC4R), &k16sC4, &k16sC4, ""},
    {OP(qrxiRGBToXYZ_32f_C3R), &k32fC3, &k32fC3, "opencv/RGB2XYZ_32F"},
    {OP(qrxiRGBToXYZ_32f_AC4R), &k32fC4, &k32fC4, ""},
    {OP(qrxiXYZToRGB_8u_C3R), &kRGB, &kRGB, "opencv/XYZ2RGB"},
    {OP(qrxiXYZToRGB_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiXYZToRGB_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiXYZToRGB_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiXYZToRGB_16s_C3R), &k16sC3, &k16sC3, ""},
    {OP(qrxiXYZToRGB_16s_AC4R), &k16sC4, &k16sC4, ""},
    {OP(qrxiXYZToRGB_32f_C3R), &k32fC3, &k32fC3, "opencv/XYZ2RGB_32F"},
    {OP(qrxiXYZToRGB_32f_AC4R), &k32fC4, &k32fC4, ""},
    {OP(qrxiRGBToLUV_8u_C3R), &kRGB, &kRGB, "opencv/LRGB2Luv"},
    {OP(qrxiRGBToLUV_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiRGBToLUV_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiRGBToLUV_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiRGBToLUV_16s_C3R), &k16sC3, &k16sC3, ""},
    {OP(qrxiRGBToLUV_16s_AC4R), &k16sC4, &k16sC4, ""},
    {OP(qrxiRGBToLUV_32f_C3R), &k32fC3, &k32fC3, "opencv/LRGB2Luv_32F"},
    {OP(qrxiRGBToLUV_32f_AC4R), &k32fC4, &k32fC4, ""},
    {OP(qrxiLUVToRGB_8u_C3R), &kRGB, &kRGB, "opencv/Luv2LRGB"},
    {OP(qrxiLUVToRGB_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiLUVToRGB_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiLUVToRGB_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiLUVToRGB_16s_C3R), &k16sC3, &k16sC3, ""},
    {OP(qrxiLUVToRGB_16s_AC4R), &k16sC4, &k16sC4, ""},
    {OP(qrxiLUVToRGB_32f_C3R), &k32fC3, &k32fC3, "opencv/Luv2LRGB_32F"},
    {OP(qrxiLUVToRGB_32f_AC4R), &k32fC4, &k32fC4, ""},
}, peers};

}  // namespace
}  // namespace qrxbench
