// Running the library under every target this machine supports, for
// comparison with the scalar reference.
#pragma once

#include <vector>

#include "frame/dispatch.h"
#include "frame/target_select.h"

namespace qrxtest {

// Exhaustive sweeps run a sample under the sanitizers, which are ten times
// slower or more.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
inline constexpr bool kUnderSanitizer = true;
#else
inline constexpr bool kUnderSanitizer = false;
#endif

// Widths around every vector group size, and one long row.
inline const std::vector<int> kEdgeWidths = {1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 32, 33,
                                              47, 63, 64, 65, 127, 129, 1000};

// The targets other than scalar that this machine can run.
inline std::vector<qrx::Target> vectorTargets() {
    std::vector<qrx::Target> out;
    for (int t = 1; t < qrx::kTargetCount; ++t)
        if (qrx::targetSupported(static_cast<qrx::Target>(t)))
            out.push_back(static_cast<qrx::Target>(t));
    return out;
}

// While it lives, the public entries use target t's kernels.
class TargetScope {
public:
    explicit TargetScope(qrx::Target t) : ok_(qrx::selectTarget(t)) {}
    ~TargetScope() { qrx::selectAutomaticTarget(); }
    TargetScope(const TargetScope&) = delete;
    TargetScope& operator=(const TargetScope&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_;
};

}  // namespace qrxtest
