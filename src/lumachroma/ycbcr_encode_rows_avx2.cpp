#define QRX_ISA isa_avx2
#include "lumachroma/ycbcr_encode_rows_inl.h"
