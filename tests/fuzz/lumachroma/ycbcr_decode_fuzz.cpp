// Fuzz table of the subsampled YCbCr decoders.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

constexpr Rules kAny{};
constexpr Rules k422Bgr{.min = {2, 1}};
constexpr Rules k420{.blocks = {2, 2}};
constexpr Rules k411{.min = {4, 1}};

const Family kYCbCrDecode{"lumachroma/ycbcr_decode", {
    {QRX_FUZZ_ENTRY(qrxiYCbCr422ToRGB_8u_C2C3R), {kPacked422, kC3}, kAny},
    {QRX_FUZZ_ENTRY(qrxiYCbCr422ToRGB_8u_C2P3R), {kPacked422, kP3}, kAny},
    {QRX_FUZZ_ENTRY(qrxiYCrCb422ToRGB_8u_C2C3R), {kPacked422, kC3}, kAny},
    {QRX_FUZZ_ENTRY(qrxiYCrCb422ToRGB_8u_C2P3R), {kPacked422, kP3}, kAny},
    {QRX_FUZZ_ENTRY(qrxiYCbCr422ToRGB_8u_P3C3R), {kP422, kC3}, kAny},
    {QRX_FUZZ_ENTRY(qrxiYCbCr422ToBGR_8u_C2C3R), {kPacked422, kC3}, k422Bgr},
    {QRX_FUZZ_ENTRY(qrxiYCbCr422ToBGR_8u_C2C4R), {kPacked422, kC4}, k422Bgr, {kAlphaValues}},
    {QRX_FUZZ_ENTRY(qrxiYCbCr422ToBGR_8u_P3C3R), {kP422, kC3}, k422Bgr},
    {QRX_FUZZ_ENTRY(qrxiYCbCr420ToBGR_8u_P3C3R), {kP420, kC3}, k420},
    {QRX_FUZZ_ENTRY(qrxiYCbCr420ToBGR_8u_P3C4R), {kP420, kC4}, k420, {kAlphaValues}},
    {QRX_FUZZ_ENTRY(qrxiYCbCr420ToRGB_8u_P3C3R), {kP420, kC3}, k420},
    {QRX_FUZZ_ENTRY(qrxiYCrCb420ToRGB_8u_P3C4R), {kP420, kC4}, k420, {kAlphaValues}},
    {QRX_FUZZ_ENTRY(qrxiYCrCb420ToBGR_Filter_8u_P3C4R), {kP420, kC4}, k420, {kAlphaValues}},
    {QRX_FUZZ_ENTRY(qrxiYCbCr411ToBGR_8u_P3C3R), {kP411, kC3}, k411},
    {QRX_FUZZ_ENTRY(qrxiYCbCr411ToBGR_8u_P3C4R), {kP411, kC4}, k411, {kAlphaValues}},
}};

}  // namespace
}  // namespace qrxfuzz
