#define QRX_ISA isa_avx512
#include "colormodels/gray_rows_inl.h"
