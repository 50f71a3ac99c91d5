#define QRX_ISA isa_avx512
#include "lumachroma/ycbcr_encode_rows_inl.h"
