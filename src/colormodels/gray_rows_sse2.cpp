#define QRX_ISA isa_sse2
#include "colormodels/gray_rows_inl.h"
