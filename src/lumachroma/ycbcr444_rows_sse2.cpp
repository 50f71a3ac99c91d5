#define QRX_ISA isa_sse2
#include "lumachroma/ycbcr444_rows_inl.h"
