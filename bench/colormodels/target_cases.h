// One-thread cases under each target, for the colour-model families: the
// per-target cases of every operation run with the default thread count,
// these compare the scalar, AVX2 and AVX-512 kernels on one core.
#pragma once

#include <string>

#include "frame/target_select.h"
#include "operations.h"
#include "qrxcore.h"

namespace qrxbench {

// Registers "<name>/threads1-<target>" for the scalar, AVX2 and AVX-512
// targets this processor runs.
inline void oneThreadTargetCases(const std::string& name, const Layout& src, const Layout& dst,
                                 Runner run) {
  for (qrx::Target t : {qrx::Target::Scalar, qrx::Target::AVX2, qrx::Target::AVX512}) {
    if (!qrx::targetSupported(t)) continue;
    registerCase(name + "/threads1-" + qrx::targetName(t), src, dst,
                 [t, run](const Args& a) {
                   qrx::selectTarget(t);
                   qrxSetNumThreads(1);
                   const int status = run(a);
                   qrxSetNumThreads(0);
                   qrx::selectAutomaticTarget();
                   return status;
                 },
                 {kFrame});
  }
}

}  // namespace qrxbench
