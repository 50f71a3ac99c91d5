/* Core library shared by the qrx primitive libraries: aligned scratch
 * memory, the processor's cache size and the thread count for parallel
 * regions. */
#ifndef QRXCORE_H
#define QRXCORE_H

#include <stdint.h>

#define QRXCORE_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* A 64-byte aligned block of at least `size` bytes, or null. */
QRXCORE_API void* qrxMalloc(uint64_t size);
/* Releases a block from qrxMalloc; null is ignored. */
QRXCORE_API void qrxFree(void* ptr);
/* Stores the size in bytes of the largest processor cache and returns 0;
 * returns non-zero and stores nothing when the size is not known. */
QRXCORE_API int qrxGetMaxCacheSizeB(int32_t* sizeBytes);
/* Threads to request for one parallel region (1 or more). */
QRXCORE_API int ownGetNumThreads(void);

/* Thread control for applications: the count that ownGetNumThreads reports.
 * Values below 1 restore the default, the number of online processors. */
QRXCORE_API void qrxSetNumThreads(int numThreads);
QRXCORE_API int qrxGetNumThreads(void);

#ifdef __cplusplus
}
#endif
#endif
