#include "frame/dispatch.h"

namespace qrx {

bool targetSupported(Target t) {
    switch (t) {
        case Target::Scalar:
        case Target::SSE2:
            return true;  // the x86-64 baseline
        case Target::AVX2:
            return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
        case Target::AVX512:
            return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                   __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq");
    }
    return false;
}

const char* targetName(Target t) {
    switch (t) {
        case Target::Scalar: return "scalar";
        case Target::SSE2: return "sse2";
        case Target::AVX2: return "avx2";
        case Target::AVX512: return "avx512";
    }
    return "?";
}

Target widestTarget() {
    static const Target widest = [] {
        for (int t = kTargetCount - 1; t > 0; --t)
            if (targetSupported(static_cast<Target>(t))) return static_cast<Target>(t);
        return Target::Scalar;
    }();
    return widest;
}

}  // namespace qrx
