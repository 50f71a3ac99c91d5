#define QRX_ISA isa_scalar
#include "lumachroma/ycbcr_decode_rows_inl.h"
