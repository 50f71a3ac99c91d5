// Selecting a target for tests and benchmarks.
//
// Defined only in the internal library (qrxccm7_internal) that the tests and
// benchmarks link; the shared library has no such call and always runs the
// widest target. While a target is selected, every entry uses its tables.
#pragma once

#include "frame/dispatch.h"

namespace qrx {

// Makes the entries use t's tables. Returns false, and changes nothing, when
// this processor cannot run t.
bool selectTarget(Target t);

// Back to the automatic choice (the widest target).
void selectAutomaticTarget();

}  // namespace qrx
