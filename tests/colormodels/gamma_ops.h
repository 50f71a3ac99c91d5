// The gamma operations, one table per sample type: forward forms first,
// then inverse, six each.
#pragma once

#include "channel_ops.h"

namespace gammatest {

using namespace colortest;

inline std::vector<ChannelOp<Qrx8u>> ops8u() {
    auto v = sixForms<Qrx8u>("Fwd_8u", qrxiGammaFwd_8u_C3R, qrxiGammaFwd_8u_C3IR, qrxiGammaFwd_8u_AC4R,
                             qrxiGammaFwd_8u_AC4IR, qrxiGammaFwd_8u_P3R, qrxiGammaFwd_8u_IP3R);
    auto i = sixForms<Qrx8u>("Inv_8u", qrxiGammaInv_8u_C3R, qrxiGammaInv_8u_C3IR, qrxiGammaInv_8u_AC4R,
                             qrxiGammaInv_8u_AC4IR, qrxiGammaInv_8u_P3R, qrxiGammaInv_8u_IP3R);
    v.insert(v.end(), i.begin(), i.end());
    return v;
}
inline std::vector<ChannelOp<Qrx16u>> ops16u() {
    auto v = sixForms<Qrx16u>("Fwd_16u", qrxiGammaFwd_16u_C3R, qrxiGammaFwd_16u_C3IR, qrxiGammaFwd_16u_AC4R,
                              qrxiGammaFwd_16u_AC4IR, qrxiGammaFwd_16u_P3R, qrxiGammaFwd_16u_IP3R);
    auto i = sixForms<Qrx16u>("Inv_16u", qrxiGammaInv_16u_C3R, qrxiGammaInv_16u_C3IR, qrxiGammaInv_16u_AC4R,
                              qrxiGammaInv_16u_AC4IR, qrxiGammaInv_16u_P3R, qrxiGammaInv_16u_IP3R);
    v.insert(v.end(), i.begin(), i.end());
    return v;
}
inline std::vector<ChannelOp<Qrx32f, Qrx32f, Qrx32f>> ops32f() {
    auto v = sixForms<Qrx32f>("Fwd_32f", qrxiGammaFwd_32f_C3R, qrxiGammaFwd_32f_C3IR, qrxiGammaFwd_32f_AC4R,
                              qrxiGammaFwd_32f_AC4IR, qrxiGammaFwd_32f_P3R, qrxiGammaFwd_32f_IP3R);
    auto i = sixForms<Qrx32f>("Inv_32f", qrxiGammaInv_32f_C3R, qrxiGammaInv_32f_C3IR, qrxiGammaInv_32f_AC4R,
                              qrxiGammaInv_32f_AC4IR, qrxiGammaInv_32f_P3R, qrxiGammaInv_32f_IP3R);
    v.insert(v.end(), i.begin(), i.end());
    return v;
}

template <class Op>
bool forward(const Op& op) {
    return op.name.rfind("Fwd", 0) == 0;
}

}  // namespace gammatest
