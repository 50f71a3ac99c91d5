#define QRX_ISA isa_sse2
#include "lumachroma/ycbcr_encode_rows_inl.h"
