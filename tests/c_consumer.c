/* A C99 program against the public header: the version record. */
#include "qrxcc.h"

#include <string.h>

int main(void) {
    const QrxLibVersion* v = qrxccGetLibVersion();
    if (v != qrxccGetLibVersion()) return 1;
    if (strcmp(v->cpuCode, "m7") != 0 || strcmp(v->versionText, "6.1 build 137.56") != 0) return 2;
    return 0;
}
