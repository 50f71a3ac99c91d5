#define QRX_ISA isa_avx512
#include "lumachroma/yuv_rows_inl.h"
