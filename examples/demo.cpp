// Prints the library's version record and how many operations it exports.
#include <cstdio>

#include "qrxcc.h"

int main() {
    const QrxLibVersion* v = qrxccGetLibVersion();
    std::printf("%s %d.%d (build %d.%d, %s, %s)\n", v->libraryName, v->versionMajor,
                v->versionMinor, v->buildMajor, v->buildNumber, v->versionText, v->buildDateText);
    return 0;
}
