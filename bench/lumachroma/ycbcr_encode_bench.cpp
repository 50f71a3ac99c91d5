// Benchmark cases of the subsampled YCbCr encoders.
#include "operations.h"
#include "qrxcc.h"

namespace qrxbench {
namespace {

const Family kEnc422{"YCbCr 4:2:2 encoders", {
    {OP(qrxiRGBToYCbCr422_8u_C3C2R), &kRGB, &kC2, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYCbCr422_8u_P3C2R), &kP444, &kC2, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYCrCb422_8u_C3C2R), &kRGB, &kC2, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYCrCb422_8u_P3C2R), &kP444, &kC2, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYCbCr422_8u_C3P3R), &kRGB, &kP422, "libyuv/ARGBToI422"},
    {OP(qrxiBGRToYCbCr422_8u_C3C2R), &kRGB, &kC2, "libyuv/ARGBToYUY2"},
    {OP(qrxiBGRToYCbCr422_8u_AC4C2R), &kRGBA, &kC2, "libyuv/ARGBToYUY2"},
    {OP(qrxiBGRToYCbCr422_8u_C3P3R), &kRGB, &kP422, "libyuv/ARGBToI422"},
    {OP(qrxiBGRToYCbCr422_8u_AC4P3R), &kRGBA, &kP422, "libyuv/ARGBToI422"},
    {OP(qrxiBGR555ToYCbCr422_16u8u_C3C2R), &kW16, &kC2, ""},
    {OP(qrxiBGR565ToYCbCr422_16u8u_C3C2R), &kW16, &kC2, ""},
    {OP(qrxiBGR555ToYCbCr422_16u8u_C3P3R), &kW16, &kP422, ""},
    {OP(qrxiBGR565ToYCbCr422_16u8u_C3P3R), &kW16, &kP422, ""},
}};

const Family kEnc420{"YCbCr 4:2:0 encoders", {
    {OP(qrxiRGBToYCbCr420_8u_C3P3R), &kRGB, &kP420, "libyuv/RGB24ToI420 opencv/RGB2YUV_I420"},
    {OP(qrxiRGBToYCrCb420_8u_AC4P3R), &kRGBA, &kP420, "libyuv/ABGRToI420 opencv/RGBA2YUV_YV12"},
    {OP(qrxiBGRToYCbCr420_8u_C3P3R), &kRGB, &kP420, "libyuv/RGB24ToI420 opencv/BGR2YUV_I420"},
    {OP(qrxiBGRToYCbCr420_8u_AC4P3R), &kRGBA, &kP420, "libyuv/ARGBToI420 opencv/BGRA2YUV_I420"},
    {OP(qrxiBGRToYCrCb420_8u_C3P3R), &kRGB, &kP420, "libyuv/RGB24ToI420 opencv/BGR2YUV_YV12"},
    {OP(qrxiBGRToYCrCb420_8u_AC4P3R), &kRGBA, &kP420, "libyuv/ARGBToI420 opencv/BGRA2YUV_YV12"},
    {OP(qrxiBGR555ToYCbCr420_16u8u_C3P3R), &kW16, &kP420, "libyuv/ARGB1555ToI420"},
    {OP(qrxiBGR565ToYCbCr420_16u8u_C3P3R), &kW16, &kP420, "libyuv/RGB565ToI420"},
    {OP(qrxiBGR555ToYCrCb420_16u8u_C3P3R), &kW16, &kP420, "libyuv/ARGB1555ToI420"},
    {OP(qrxiBGR565ToYCrCb420_16u8u_C3P3R), &kW16, &kP420, "libyuv/RGB565ToI420"},
}};

const Family kEnc411{"YCbCr 4:1:1 encoders", {
    {OP(qrxiBGRToYCbCr411_8u_C3P3R), &kRGB, &kP411, ""},
    {OP(qrxiBGRToYCbCr411_8u_AC4P3R), &kRGBA, &kP411, ""},
    {OP(qrxiBGR555ToYCbCr411_16u8u_C3P3R), &kW16, &kP411, ""},
    {OP(qrxiBGR565ToYCbCr411_16u8u_C3P3R), &kW16, &kP411, ""},
}};

}  // namespace
}  // namespace qrxbench
