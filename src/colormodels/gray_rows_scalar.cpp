#define QRX_ISA isa_scalar
#include "colormodels/gray_rows_inl.h"
