#define QRX_ISA isa_avx2
#include "lumachroma/ycbcr444_rows_inl.h"
