// What a colour-model row function is handed: the row of each plane, or the
// interleaved row in p[0].
#pragma once

namespace qrx {

template <class T>
struct RowPtrs {
    T* p[4];
};

}  // namespace qrx
