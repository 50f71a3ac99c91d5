#define QRX_ISA isa_avx2
#include "colormodels/gray_rows_inl.h"
