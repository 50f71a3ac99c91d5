// The shared library's choice of target: always the widest this processor
// runs. (The internal library links frame/select/active_target.cpp instead.)
#include "frame/dispatch.h"

namespace qrx {

Target activeTarget() { return widestTarget(); }

}  // namespace qrx
