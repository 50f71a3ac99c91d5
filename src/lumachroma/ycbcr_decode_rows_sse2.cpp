#define QRX_ISA isa_sse2
#include "lumachroma/ycbcr_decode_rows_inl.h"
