// memcpy of as many bytes as one source region of each layout our operations
// read: the ceiling a conversion that touches its source once could reach.
#include <cstring>
#include <set>
#include <string>

#include "frames.h"

namespace qrxbench {

void registerMemcpyPeers() {
  const Layout* sources[] = {&kRGB,  &kRGBA, &kC2,    &kW16,   &kP444,  &kP4,    &kP422,
                             &kP420, &kP411, &k16uC3, &k16uC4, &k32fC3, &k32fC4};
  std::set<std::string> done;
  for (const Layout* l : sources) {
    std::string name = memcpyPeerFor(*l);
    if (!done.insert(name).second) continue;
    Runner copy = [](const Args& a) {
      const Layout& l = a.src->layout;
      for (int p = 0; p < l.planes; ++p)
        std::memcpy(a.dst->plane[p], a.src->plane[p],
                    std::size_t(l.planeWidth(p, a.roi.width)) * l.channels * l.elemBytes() *
                        l.planeHeight(p, a.roi.height));
      return 0;
    };
    registerPeer(name, *l, *l, copy, "memcpy of as many bytes as one source region");
  }
}

}  // namespace qrxbench
