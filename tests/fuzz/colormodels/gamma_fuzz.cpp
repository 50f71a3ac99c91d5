// Fuzz table of gamma correction. Every step must be at least 1; 16u takes a
// scratch table of every value above 65536 samples (3 x width x height, for
// every layout); 32f refuses a range vMax - vMin that is not positive before
// anything else, and passes a NaN range.
#include <limits>

#include "harness/table.h"

namespace qrxfuzz {
namespace {

bool tableSized(const Call& c) { return 3LL * c.roi.width * c.roi.height > 65536; }

QrxStatus range(const Call& c) { return c.floats[1] - c.floats[0] <= 0.0f ? qrxErrRange : qrxOk; }

constexpr Rules k8u{.stepsChecked = true};
// 160 x 160 pixels are 76800 samples: the table path.
constexpr Rules k16u{.stepsChecked = true, .allocates = tableSized, .busy = {160, 160}};
constexpr Rules k32f{.stepsChecked = true, .paramStatus = range};

constexpr Qrx32f kInf = std::numeric_limits<Qrx32f>::infinity();
constexpr Qrx32f kNaN = std::numeric_limits<Qrx32f>::quiet_NaN();
// vMin and vMax: equal, reversed, tiny and huge differences, NaN, infinities.
const FloatValues kMin{{0.0f, 1.0f, -1.0f, 0.5f, 255.0f, 1e-45f, -3.4e38f, kNaN, kInf, -kInf}};
const FloatValues kMax{{1.0f, 0.0f, 255.0f, 0.5f, 1.0000001f, 1e-45f, 3.4e38f, kNaN, kInf, -kInf}};

const Family kGamma{"colormodels/gamma", {
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_8u_C3R), {kC3, kC3}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_8u_C3IR), {kC3}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_8u_AC4R), {kAC4Read, kAC4}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_8u_AC4IR), {kAC4}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_8u_P3R), {kP3, kP3}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_8u_IP3R), {kP3}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_8u_C3R), {kC3, kC3}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_8u_C3IR), {kC3}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_8u_AC4R), {kAC4Read, kAC4}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_8u_AC4IR), {kAC4}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_8u_P3R), {kP3, kP3}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_8u_IP3R), {kP3}, k8u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_16u_C3R), {kC3, kC3}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_16u_C3IR), {kC3}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_16u_AC4R), {kAC4Read, kAC4}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_16u_AC4IR), {kAC4}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_16u_P3R), {kP3, kP3}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_16u_IP3R), {kP3}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_16u_C3R), {kC3, kC3}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_16u_C3IR), {kC3}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_16u_AC4R), {kAC4Read, kAC4}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_16u_AC4IR), {kAC4}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_16u_P3R), {kP3, kP3}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_16u_IP3R), {kP3}, k16u},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_32f_C3R), {kC3, kC3}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_32f_C3IR), {kC3}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_32f_AC4R), {kAC4Read, kAC4}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_32f_AC4IR), {kAC4}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_32f_P3R), {kP3, kP3}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaFwd_32f_IP3R), {kP3}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_32f_C3R), {kC3, kC3}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_32f_C3IR), {kC3}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_32f_AC4R), {kAC4Read, kAC4}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_32f_AC4IR), {kAC4}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_32f_P3R), {kP3, kP3}, k32f, {}, {kMin, kMax}},
    {QRX_FUZZ_ENTRY(qrxiGammaInv_32f_IP3R), {kP3}, k32f, {}, {kMin, kMax}},
}};

}  // namespace
}  // namespace qrxfuzz
