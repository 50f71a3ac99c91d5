#define QRX_ISA isa_avx2
#include "lumachroma/yuv_rows_inl.h"
