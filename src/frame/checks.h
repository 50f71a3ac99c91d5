// Argument checks in a fixed order.
//
// An entry lists its checks in the order they must run and `firstFailure`
// evaluates them left to right, stopping at the first one that fails:
//
//   if (QrxStatus st = check::firstFailure(check::nulls(pSrc, pDst),
//                                          check::size(roi, 2, 2),
//                                          check::planes(pDst, 3)))
//       return st;
//
// Pointer tests of plane arrays are lazy, so an array listed in `nulls` is
// dereferenced only after it has been found non-null, and a plane test placed
// after `size` is not reached for an empty region.
#pragma once

#include "qrxcc.h"

namespace qrx::check {

struct Nulls {
    bool ok;
    QrxStatus status() const { return ok ? qrxOk : qrxErrNullPtr; }
};

// Every pointer must be non-null.
template <class... P>
inline Nulls nulls(const P*... p) {
    return Nulls{((p != nullptr) && ...)};
}

template <class T>
struct Planes {
    T* const* planes;
    int count;
    QrxStatus status() const {
        for (int i = 0; i < count; ++i)
            if (planes[i] == nullptr) return qrxErrNullPtr;
        return qrxOk;
    }
};

// The first `count` entries of a plane-pointer array must be non-null.
template <class T>
inline Planes<T> planes(T* const* array, int count) {
    return Planes<T>{array, count};
}

struct MinSize {
    QrxRoiSize roi;
    int minWidth, minHeight;
    QrxStatus status() const {
        return roi.width < minWidth || roi.height < minHeight ? qrxErrSize : qrxOk;
    }
};

// Width and height at least the given minimums (negative values fail too).
inline MinSize size(QrxRoiSize roi, int minWidth = 1, int minHeight = 1) {
    return MinSize{roi, minWidth, minHeight};
}

struct Condition {
    bool ok;
    QrxStatus failure;
    QrxStatus status() const { return ok ? qrxOk : failure; }
};

// A family-specific test: fails with `failure` when `ok` is false.
inline Condition require(bool ok, QrxStatus failure) { return Condition{ok, failure}; }

// Every step at least 1.
template <class... S>
inline Condition steps(S... s) {
    return Condition{((s >= 1) && ...), qrxErrStep};
}

struct StepArray {
    const int* steps;
    int count;
    QrxStatus status() const {
        for (int i = 0; i < count; ++i)
            if (steps[i] < 1) return qrxErrStep;
        return qrxOk;
    }
};

// Every entry of a step array at least 1 (read only when this check is reached).
inline StepArray stepArray(const int* s, int count) { return StepArray{s, count}; }

template <class... C>
inline QrxStatus firstFailure(const C&... checks) {
    QrxStatus st = qrxOk;
    (void)(((st = checks.status()) == qrxOk) && ...);
    return st;
}

// The status after a conversion of whole sampling blocks only.
inline QrxStatus warnIf(bool remainder) { return remainder ? qrxWarnSizeNotMultiple : qrxOk; }

}  // namespace qrx::check
