#define QRX_ISA isa_avx512
#include "lumachroma/ycbcr_decode_rows_inl.h"
