#define QRX_ISA isa_scalar
#include "lumachroma/ycbcr_encode_rows_inl.h"
