// Fuzz table of the subsampled YCbCr encoders.
#include "harness/table.h"

namespace qrxfuzz {
namespace {

constexpr Rules kAny{};
constexpr Rules k420Any{.blocks = {2, 2}};
constexpr Rules k420{.min = {2, 2}, .blocks = {2, 2}};
constexpr Rules k420Words{.min = {2, 2}};  // 16-bit sources convert the odd column's luma
constexpr Rules k422{.min = {2, 1}};
constexpr Rules k411{.min = {4, 1}, .blocks = {4, 1}};

constexpr Image kWords = kC1;

const Family kYCbCrEncode{"lumachroma/ycbcr_encode", {
    {QRX_FUZZ_ENTRY(qrxiRGBToYCbCr420_8u_C3P3R), {kC3, kP420}, k420Any},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCbCr422_8u_C3C2R), {kC3, kPacked422}, kAny},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCbCr422_8u_P3C2R), {kP3, kPacked422}, kAny},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCrCb422_8u_C3C2R), {kC3, kPacked422}, kAny},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCrCb422_8u_P3C2R), {kP3, kPacked422}, kAny},
    // An odd width's last pixel gets its luma only.
    {QRX_FUZZ_ENTRY(qrxiRGBToYCbCr422_8u_C3P3R), {kC3, kP422Whole}, {.min = {2, 1}, .blocks = {2, 1}}},
    {QRX_FUZZ_ENTRY(qrxiRGBToYCrCb420_8u_AC4P3R), {kAC4Read, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCbCr411_8u_C3P3R), {kC3, kP411Whole}, k411},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCbCr411_8u_AC4P3R), {kAC4Read, kP411Whole}, k411},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCbCr420_8u_C3P3R), {kC3, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCbCr420_8u_AC4P3R), {kAC4Read, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCrCb420_8u_C3P3R), {kC3, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCrCb420_8u_AC4P3R), {kAC4Read, kP420}, k420},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCbCr422_8u_C3C2R), {kC3, kPacked422}, k422},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCbCr422_8u_AC4C2R), {kAC4Read, kPacked422}, k422},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCbCr422_8u_C3P3R), {kC3, kP422Whole}, k422},
    {QRX_FUZZ_ENTRY(qrxiBGRToYCbCr422_8u_AC4P3R), {kAC4Read, kP422Whole}, k422},
    {QRX_FUZZ_ENTRY(qrxiBGR555ToYCbCr411_16u8u_C3P3R), {kWords, kP411Whole}, k411},
    {QRX_FUZZ_ENTRY(qrxiBGR565ToYCbCr411_16u8u_C3P3R), {kWords, kP411Whole}, k411},
    {QRX_FUZZ_ENTRY(qrxiBGR555ToYCbCr420_16u8u_C3P3R), {kWords, kP420}, k420Words},
    {QRX_FUZZ_ENTRY(qrxiBGR565ToYCbCr420_16u8u_C3P3R), {kWords, kP420}, k420Words},
    {QRX_FUZZ_ENTRY(qrxiBGR555ToYCrCb420_16u8u_C3P3R), {kWords, kP420}, k420Words},
    {QRX_FUZZ_ENTRY(qrxiBGR565ToYCrCb420_16u8u_C3P3R), {kWords, kP420}, k420Words},
    {QRX_FUZZ_ENTRY(qrxiBGR555ToYCbCr422_16u8u_C3C2R), {kWords, kPacked422}, k422},
    {QRX_FUZZ_ENTRY(qrxiBGR565ToYCbCr422_16u8u_C3C2R), {kWords, kPacked422}, k422},
    {QRX_FUZZ_ENTRY(qrxiBGR555ToYCbCr422_16u8u_C3P3R), {kWords, kP422Whole}, k422},
    {QRX_FUZZ_ENTRY(qrxiBGR565ToYCbCr422_16u8u_C3P3R), {kWords, kP422Whole}, k422},
}};

}  // namespace
}  // namespace qrxfuzz
