// Benchmark cases of RGB and YUV.
#include "operations.h"
#include "qrxcc.h"

namespace qrxbench {
namespace {

const Family kYuv444{"YUV 4:4:4", {
    {OP(qrxiRGBToYUV_8u_C3R), &kRGB, &kRGB, "opencv/RGB2YUV"},
    {OP(qrxiRGBToYUV_8u_AC4R), &kRGBA, &kRGBA, "opencv/RGBA2YUV"},
    {OP(qrxiRGBToYUV_8u_C3P3R), &kRGB, &kP444, "opencv/RGB2YUV"},
    {OP(qrxiRGBToYUV_8u_P3R), &kP444, &kP444, "opencv/RGB2YUV"},
    {OP(qrxiRGBToYUV_8u_AC4P4R), &kRGBA, &kP4, "libyuv/ARGBToI444 opencv/RGBA2YUV"},
    {OP(qrxiYUVToRGB_8u_C3R), &kRGB, &kRGB, "opencv/YUV2RGB"},
    {OP(qrxiYUVToRGB_8u_AC4R), &kRGBA, &kRGBA, "opencv/YUV2RGBA"},
    {OP(qrxiYUVToRGB_8u_P3C3R), &kP444, &kRGB, "libyuv/I444ToRGB24 opencv/YUV2RGB"},
    {OP(qrxiYUVToRGB_8u_P3R), &kP444, &kP444, "opencv/YUV2RGB"},
}};

const Family kYuv422{"YUV 4:2:2", {
    {OP(qrxiRGBToYUV422_8u_C3C2R), &kRGB, &kC2, "libyuv/ARGBToYUY2"},
    {OP(qrxiRGBToYUV422_8u_C3P3R), &kRGB, &kP422, "libyuv/ARGBToI422"},
    {OP(qrxiRGBToYUV422_8u_P3R), &kP444, &kP422, "libyuv/ARGBToI422"},
    {OP(qrxiRGBToYUV422_8u_C3P3), &kRGB, &kP422, "libyuv/ARGBToI422"},
    {OP(qrxiRGBToYUV422_8u_P3), &kP444, &kP422, "libyuv/ARGBToI422"},
    {OP(qrxiYUV422ToRGB_8u_C2C3R), &kC2, &kRGB, "opencv/YUV2RGB_YUY2 libyuv/YUY2ToARGB"},
    {OP(qrxiYUV422ToRGB_8u_P3C3R), &kP422, &kRGB, "libyuv/I422ToRGB24"},
    {OP(qrxiYUV422ToRGB_8u_P3AC4R), &kP422, &kRGBA, "libyuv/I422ToABGR"},
    {OP(qrxiYUV422ToRGB_8u_P3R), &kP422, &kP444, "libyuv/I422ToRGB24"},
    {OP(qrxiYUV422ToRGB_8u_P3C3), &kP422, &kRGB, "libyuv/I422ToRGB24"},
    {OP(qrxiYUV422ToRGB_8u_P3), &kP422, &kP444, "libyuv/I422ToRGB24"},
    {OP(qrxiRGB565ToYUV422_16u8u_C3P3R), &kW16, &kP422, ""},
}};

const Family kYuv420{"YUV 4:2:0", {
    {OP(qrxiRGBToYUV420_8u_C3P3R), &kRGB, &kP420, "libyuv/RGB24ToI420 opencv/RGB2YUV_I420"},
    {OP(qrxiRGBToYUV420_8u_P3R), &kP444, &kP420, "libyuv/RGB24ToI420"},
    {OP(qrxiRGBToYUV420_8u_C3P3), &kRGB, &kP420, "libyuv/RGB24ToI420 opencv/RGB2YUV_I420"},
    {OP(qrxiRGBToYUV420_8u_P3), &kP444, &kP420, "libyuv/RGB24ToI420"},
    {OP(qrxiBGRToYUV420_8u_AC4P3R), &kRGBA, &kP420, "libyuv/ARGBToI420 opencv/BGRA2YUV_I420"},
    {OP(qrxiRGB565ToYUV420_16u8u_C3P3R), &kW16, &kP420, "libyuv/RGB565ToI420"},
    {OP(qrxiBGR565ToYUV420_16u8u_C3P3R), &kW16, &kP420, "libyuv/RGB565ToI420"},
    {OP(qrxiBGR555ToYUV420_16u8u_C3P3R), &kW16, &kP420, "libyuv/ARGB1555ToI420"},
    {OP(qrxiYUV420ToRGB_8u_P3C3R), &kP420, &kRGB, "libyuv/I420ToRGB24 opencv/YUV2RGB_I420"},
    {OP(qrxiYUV420ToRGB_8u_P3AC4R), &kP420, &kRGBA, "libyuv/I420ToABGR opencv/YUV2RGBA_I420"},
    {OP(qrxiYUV420ToRGB_8u_P3R), &kP420, &kP444, "libyuv/I420ToRGB24"},
    {OP(qrxiYUV420ToRGB_8u_P3C3), &kP420, &kRGB, "libyuv/I420ToRGB24 opencv/YUV2RGB_I420"},
    {OP(qrxiYUV420ToRGB_8u_P3), &kP420, &kP444, "libyuv/I420ToRGB24"},
    {OP(qrxiYUV420ToBGR_8u_P3C3R), &kP420, &kRGB, "libyuv/I420ToRGB24 opencv/YUV2BGR_I420"},
}};

}  // namespace
}  // namespace qrxbench
