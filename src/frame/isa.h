// Row kernels are compiled once per instruction set (see dispatch.h). Code
// that such a translation unit compiles - row functions, pixel layouts,
// inline helpers - lives in an inline namespace named after the set, so the
// copies stay apart at link time: an inline helper built for AVX-512 must
// never stand in for the baseline one. A generated per-target unit (see
// cmake/QrxFamily.cmake) defines QRX_ISA
// before its first include; everything else gets the baseline name.
#pragma once

#ifndef QRX_ISA
#define QRX_ISA isa_base
#endif
