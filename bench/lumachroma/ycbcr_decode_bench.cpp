// Benchmark cases of the subsampled YCbCr decoders.
#include "operations.h"
#include "qrxcc.h"

namespace qrxbench {
namespace {

const Family kDec422{"YCbCr 4:2:2 decoders", {
    {OP(qrxiYCbCr422ToRGB_8u_C2C3R), &kC2, &kRGB, "opencv/YUV2RGB_YUY2 libyuv/YUY2ToARGB"},
    {OP(qrxiYCbCr422ToRGB_8u_C2P3R), &kC2, &kP444, "opencv/YUV2RGB_YUY2"},
    {OP(qrxiYCrCb422ToRGB_8u_C2C3R), &kC2, &kRGB, "opencv/YUV2RGB_YVYU"},
    {OP(qrxiYCrCb422ToRGB_8u_C2P3R), &kC2, &kP444, "opencv/YUV2RGB_YVYU"},
    {OP(qrxiYCbCr422ToRGB_8u_P3C3R), &kP422, &kRGB, "libyuv/I422ToRGB24"},
    {OP(qrxiYCbCr422ToBGR_8u_C2C3R), &kC2, &kRGB, "opencv/YUV2BGR_YUY2"},
    {OP(qrxiYCbCr422ToBGR_8u_C2C4R), &kC2, &kRGBA, "libyuv/YUY2ToARGB opencv/YUV2BGRA_YUY2"},
    {OP(qrxiYCbCr422ToBGR_8u_P3C3R), &kP422, &kRGB, "libyuv/I422ToRGB24"},
}};

const Family kDec420{"YCbCr 4:2:0 decoders", {
    {OP(qrxiYCbCr420ToBGR_8u_P3C3R), &kP420, &kRGB, "libyuv/I420ToRGB24 opencv/YUV2BGR_I420"},
    {OP(qrxiYCbCr420ToBGR_8u_P3C4R), &kP420, &kRGBA, "libyuv/I420ToARGB opencv/YUV2BGRA_I420"},
    {OP(qrxiYCbCr420ToRGB_8u_P3C3R), &kP420, &kRGB, "libyuv/I420ToRGB24 opencv/YUV2RGB_I420"},
    {OP(qrxiYCrCb420ToRGB_8u_P3C4R), &kP420, &kRGBA, "libyuv/I420ToABGR opencv/YUV2RGBA_YV12"},
    {OP(qrxiYCrCb420ToBGR_Filter_8u_P3C4R), &kP420, &kRGBA,
     "libyuv/I420ToARGBMatrixFilter_Bilinear libyuv/I420ToARGB"},
}};

const Family kDec411{"YCbCr 4:1:1 decoders", {
    {OP(qrxiYCbCr411ToBGR_8u_P3C3R), &kP411, &kRGB, ""},
    {OP(qrxiYCbCr411ToBGR_8u_P3C4R), &kP411, &kRGBA, ""},
}};

}  // namespace
}  // namespace qrxbench
