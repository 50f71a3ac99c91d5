// Benchmark cases of RGB to and from YCC (no peer library offers this
// model), with one- and two-thread variants of the 8-bit members.
#include "operations.h"
#include "qrxcc.h"
#include "qrxcore.h"

namespace qrxbench {
namespace {

void peers() {
  const struct {
    const char* name;
    Runner run;
  } threaded[] = {{"qrxiRGBToYCC_8u_C3R", runnerFor(&qrxiRGBToYCC_8u_C3R)},
                  {"qrxiYCCToRGB_8u_C3R", runnerFor(&qrxiYCCToRGB_8u_C3R)}};
  for (const auto& t : threaded)
    for (int n : {1, 2})
      registerCase(std::string(t.name) + "/threads" + std::to_string(n), kRGB, kRGB,
                   [n, run = t.run](const Args& a) {
                     qrxSetNumThreads(n);
                     const int status = run(a);
                     qrxSetNumThreads(0);
                     return status;
                   },
                   {kFrame});
}

const Family kYcc{"YCC", {
    {OP(qrxiRGBToYCC_8u_C3R), &kRGB, &kRGB, ""},
    {OP(qrxiRGBToYCC_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiRGBToYCC_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiRGBToYCC_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiRGBToYCC_16s_C3R), &k16sC3, &k16sC3, ""},
    {OP(qrxiRGBToYCC_16s_AC4R), &k16sC4, &k16sC4, ""},
    {OP(qrxiRGBToYCC_32f_C3R), &k32fC3, &k32fC3, ""},
    {OP(qrxiRGBToYCC_32f_AC4R), &k32fC4, &k32fC4, ""},
    {OP(qrxiYCCToRGB_8u_C3R), &kRGB, &kRGB, ""},
    {OP(qrxiYCCToRGB_8u_AC4R), &kRGBA, &kRGBA, ""},
    {OP(qrxiYCCToRGB_16u_C3R), &k16uC3, &k16uC3, ""},
    {OP(qrxiYCCToRGB_16u_AC4R), &k16uC4, &k16uC4, ""},
    {OP(qrxiYCCToRGB_16s_C3R), &k16sC3, &k16sC3, ""},
    {OP(qrxiYCCToRGB_16s_AC4R), &k16sC4, &k16sC4, ""},
    {OP(qrxiYCCToRGB_32f_C3R), &k32fC3, &k32fC3, ""},
    {OP(qrxiYCCToRGB_32f_AC4R), &k32fC4, &k32fC4, ""},
}, peers};

}  // namespace
}  // namespace qrxbench
