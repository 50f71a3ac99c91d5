#define QRX_ISA isa_sse2
#include "lumachroma/yuv_rows_inl.h"
