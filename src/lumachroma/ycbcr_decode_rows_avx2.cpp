#define QRX_ISA isa_avx2
#include "lumachroma/ycbcr_decode_rows_inl.h"
