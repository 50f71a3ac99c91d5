#define QRX_ISA isa_avx512
#include "lumachroma/ycbcr444_rows_inl.h"
