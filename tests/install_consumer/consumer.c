/* Links against an installed library and checks the version record. */
#include <qrxcc.h>
#include <string.h>

int main(void) {
    const QrxLibVersion* v = qrxccGetLibVersion();
    if (v->versionMajor != 6 || v->versionMinor != 1) return 1;
    if (strcmp(v->libraryName, "libqrxccm7.so.6.1") != 0) return 2;
    return 0;
}
