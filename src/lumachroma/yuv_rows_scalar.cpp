#define QRX_ISA isa_scalar
#include "lumachroma/yuv_rows_inl.h"
