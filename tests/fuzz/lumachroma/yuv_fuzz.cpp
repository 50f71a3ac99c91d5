// Fuzz table of RGB <-> YUV (4:4:4, 4:2:2, 4:2:0; 565/555 sources).
#include "harness/table.h"

namespace qrxfuzz {
namespace {

constexpr Rules k444{};
constexpr Rules k420{.blocks = {2, 2}};
constexpr Rules k420Min2{.min = {2, 2}, .blocks = {2, 2}};

// The 16-bit sources hold one packed word per pixel.
constexpr Image kWords = kC1;

const Family kYuv{"lumachroma/yuv", {
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV_8u_C3R), {kC3, kC3}, k444},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV_8u_AC4R), {kAC4Read, kAC4}, k444},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV_8u_C3P3R), {kC3, kP3}, k444},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV_8u_P3R), {kP3, kP3}, k444},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV_8u_AC4P4R), {kAC4Read, kP4}, k444},
    {QRX_FUZZ_ENTRY(qrxiYUVToRGB_8u_C3R), {kC3, kC3}, k444},
    {QRX_FUZZ_ENTRY(qrxiYUVToRGB_8u_AC4R), {kAC4Read, kAC4}, k444},
    {QRX_FUZZ_ENTRY(qrxiYUVToRGB_8u_P3C3R), {kP3, kC3}, k444},
    {QRX_FUZZ_ENTRY(qrxiYUVToRGB_8u_P3R), {kP3, kP3}, k444},
    // 4:2:2: an odd width's last pixel gets chroma of its own, except from
    // 565 words (left unwritten, +35).
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV422_8u_C3C2R), {kC3, kPacked422}, k444},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV422_8u_C3P3R), {kC3, kP422}, k444},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV422_8u_P3R), {kP3, kP422}, k444},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV422_8u_C3P3), {kC3, kP422}, k444},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV422_8u_P3), {kP3, kP422}, k444},
    {QRX_FUZZ_ENTRY(qrxiRGB565ToYUV422_16u8u_C3P3R), {kWords, kP422Whole}, {.blocks = {2, 1}}},
    {QRX_FUZZ_ENTRY(qrxiYUV422ToRGB_8u_C2C3R), {kPacked422, kC3}, k444},
    {QRX_FUZZ_ENTRY(qrxiYUV422ToRGB_8u_P3C3R), {kP422, kC3}, k444},
    {QRX_FUZZ_ENTRY(qrxiYUV422ToRGB_8u_P3AC4R), {kP422, kC4}, k444},
    {QRX_FUZZ_ENTRY(qrxiYUV422ToRGB_8u_P3R), {kP422, kP3}, k444},
    {QRX_FUZZ_ENTRY(qrxiYUV422ToRGB_8u_P3C3), {kP422, kC3}, k444},
    {QRX_FUZZ_ENTRY(qrxiYUV422ToRGB_8u_P3), {kP422, kP3}, k444},
    // 4:2:0: whole 2x2 blocks, +35 for an odd width or height.
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV420_8u_C3P3R), {kC3, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV420_8u_P3R), {kP3, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV420_8u_C3P3), {kC3, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiRGBToYUV420_8u_P3), {kP3, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiBGRToYUV420_8u_AC4P3R), {kAC4Read, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiRGB565ToYUV420_16u8u_C3P3R), {kWords, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiBGR565ToYUV420_16u8u_C3P3R), {kWords, kP420}, k420Min2},
    {QRX_FUZZ_ENTRY(qrxiBGR555ToYUV420_16u8u_C3P3R), {kWords, kP420}, k420Min2},
    {QRX_FUZZ_ENTRY(qrxiYUV420ToRGB_8u_P3C3R), {kP420, kC3}, k420},
    {QRX_FUZZ_ENTRY(qrxiYUV420ToRGB_8u_P3AC4R), {kP420, kC4}, k420},
    {QRX_FUZZ_ENTRY(qrxiYUV420ToRGB_8u_P3R), {kP420, kP3}, k420},
    {QRX_FUZZ_ENTRY(qrxiYUV420ToRGB_8u_P3C3), {kP420, kC3}, k420},
    {QRX_FUZZ_ENTRY(qrxiYUV420ToRGB_8u_P3), {kP420, kP3}, k420},
    {QRX_FUZZ_ENTRY(qrxiYUV420ToBGR_8u_P3C3R), {kP420, kC3}, k420Min2},
}};

}  // namespace
}  // namespace qrxfuzz
