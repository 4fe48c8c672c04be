/*
 * vexa: driver library of the Tavix USB contact smart-card reader.
 *
 * Every integer argument is a 32-bit signed slot of which each function reads
 * only the width it documents. Results are 16-bit signed statuses (0 success,
 * 1 no card, -16 to -25 the library's own failures, other positive values the
 * reader's answer words), except the open calls, which return a 32-bit device
 * number or -16. Each call also leaves its status in a process-wide
 * last-error register; IC_GetLastError turns it into a GBK message text.
 * Calls are not thread-safe: serialise them.
 */
#ifndef VEXA_H
#define VEXA_H

#include <stdint.h>

#if defined(VEXA_BUILDING)
#define VEXA_API __attribute__((visibility("default")))
#else
#define VEXA_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Connection and messages ---- */
VEXA_API int32_t IC_InitComm(int32_t port);
VEXA_API int32_t IC_InitComm_Baud(int32_t port, int32_t baud);
VEXA_API int32_t IC_InitComm_Q(int32_t port, int32_t unused);
VEXA_API int32_t IC_InitCommAdvanced(int32_t port);
VEXA_API int16_t IC_ExitComm(int32_t icdev);
/* text: at least 21 bytes */
VEXA_API int16_t IC_GetLastError(char* text);

/* ---- Card type selection ---- */
VEXA_API int16_t IC_InitType(int32_t icdev, int32_t type);

/* ---- Converters ---- */
VEXA_API int16_t asc2hex(const unsigned char* bytes, char* text, int32_t n);
VEXA_API int16_t hex2asc(const char* text, unsigned char* bytes, int32_t n);

#ifdef __cplusplus
}
#endif

#endif /* VEXA_H */
