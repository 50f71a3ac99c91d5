#define QRX_ISA isa_scalar
#include "lumachroma/ycbcr444_rows_inl.h"
