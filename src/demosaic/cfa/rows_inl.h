// Interior rows of the CFA interpolation, compiled once per target by the
// units the build generates (QRX_ISA names the target).
#include <cstdlib>

#include "demosaic/cfa/rows.h"
#include "frame/simd.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

inline int avg2(int a, int b) { return (a + b + 1) >> 1; }
inline int avg4(int a, int b, int c, int d) { return (a + b + c + d + 2) >> 2; }

}  // namespace
}  // namespace QRX_ISA
}  // namespace qrx

#include "demosaic/cfa/kernels_inl.h"

namespace qrx {
inline namespace QRX_ISA {
namespace {

// The reference for every column; the vector kernel takes the leading
// column pairs and leaves the rest of the row to this loop.
template <class T>
void cfaInteriorRow(const T* const* rows, T* dst, int c0, int n, int greenParity,
                    int siteChannel) {
    const T *up2 = rows[0], *up = rows[1], *s = rows[2], *down = rows[3], *down2 = rows[4];
    const int xc = siteChannel, yc = 2 - siteChannel;
    for (int i = cfaLeadKernel(rows, dst, c0, n, greenParity, siteChannel); i < n; ++i) {
        const int c = c0 + i;
        T* p = dst + 3 * i;
        if (((c ^ greenParity) & 1) == 0) {
            p[1] = s[c];
            p[xc] = static_cast<T>(avg2(s[c - 1], s[c + 1]));
            p[yc] = static_cast<T>(avg2(up[c], down[c]));
        } else {
            p[xc] = s[c];
            p[yc] = static_cast<T>(avg4(up[c - 1], up[c + 1], down[c - 1], down[c + 1]));
            const int dV = std::abs(up2[c] - down2[c]), dH = std::abs(s[c - 2] - s[c + 2]);
            const int g = dV < dH   ? avg2(up[c], down[c])
                          : dV > dH ? avg2(s[c - 1], s[c + 1])
                                    : avg4(up[c], s[c - 1], s[c + 1], down[c]);
            p[1] = static_cast<T>(g);
        }
    }
}

}  // namespace

extern const CfaRows kCfaRows;
const CfaRows kCfaRows{cfaInteriorRow<Qrx8u>, cfaInteriorRow<Qrx16u>};

}  // namespace QRX_ISA
}  // namespace qrx
