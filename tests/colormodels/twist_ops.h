// The colour-twist operations, one table per sample type.
#pragma once

#include "channel_ops.h"

namespace twisttest {

using namespace colortest;
using Twist = const Qrx32f (*)[4];
template <class T>
using TwistOp = ChannelOp<T, Twist>;
using Matrix = Qrx32f[4][4];  // the 3x4 forms read the first three rows

inline std::vector<TwistOp<Qrx8u>> ops8u() {
    return sixForms<Qrx8u>("8u", qrxiColorTwist32f_8u_C3R, qrxiColorTwist32f_8u_C3IR, qrxiColorTwist32f_8u_AC4R,
                           qrxiColorTwist32f_8u_AC4IR, qrxiColorTwist32f_8u_P3R, qrxiColorTwist32f_8u_IP3R);
}
inline std::vector<TwistOp<Qrx8s>> ops8s() {
    return sixForms<Qrx8s>("8s", qrxiColorTwist32f_8s_C3R, qrxiColorTwist32f_8s_C3IR, qrxiColorTwist32f_8s_AC4R,
                           qrxiColorTwist32f_8s_AC4IR, qrxiColorTwist32f_8s_P3R, qrxiColorTwist32f_8s_IP3R);
}
inline std::vector<TwistOp<Qrx16u>> ops16u() {
    return sixForms<Qrx16u>("16u", qrxiColorTwist32f_16u_C3R, qrxiColorTwist32f_16u_C3IR,
                            qrxiColorTwist32f_16u_AC4R, qrxiColorTwist32f_16u_AC4IR, qrxiColorTwist32f_16u_P3R,
                            qrxiColorTwist32f_16u_IP3R);
}
inline std::vector<TwistOp<Qrx16s>> ops16s() {
    return sixForms<Qrx16s>("16s", qrxiColorTwist32f_16s_C3R, qrxiColorTwist32f_16s_C3IR,
                            qrxiColorTwist32f_16s_AC4R, qrxiColorTwist32f_16s_AC4IR, qrxiColorTwist32f_16s_P3R,
                            qrxiColorTwist32f_16s_IP3R);
}
// The six 3x4 forms, then the 4x4 C4 form.
inline std::vector<TwistOp<Qrx32f>> ops32f() {
    auto v = sixForms<Qrx32f>("32f", qrxiColorTwist_32f_C3R, qrxiColorTwist_32f_C3IR, qrxiColorTwist_32f_AC4R,
                              qrxiColorTwist_32f_AC4IR, qrxiColorTwist_32f_P3R, qrxiColorTwist_32f_IP3R);
    v.push_back(interleaved("32f_C4R", Form::C4, qrxiColorTwist_32f_C4R));
    return v;
}

// Calls f(ops) for the table of every type.
template <class F>
void forEveryType(F&& f) {
    f(ops8u());
    f(ops8s());
    f(ops16u());
    f(ops16s());
    f(ops32f());
}

}  // namespace twisttest
