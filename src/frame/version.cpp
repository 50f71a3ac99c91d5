#include "qrxcc.h"

namespace {

constexpr QrxLibVersion kVersion = {
    6, 1, 137, 754, {'m', '7', '\0', '\0'}, "libqrxccm7.so.6.1", "6.1 build 137.56", "Mar 17 2010",
};

}  // namespace

extern "C" const QrxLibVersion* qrxccGetLibVersion(void) { return &kVersion; }
