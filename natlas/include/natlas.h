/* SPDX-License-Identifier: MIT */
/* natlas: Internet country-code domain endings to English country names.
 *
 * The codes are the two-letter endings of Internet domain names, not ISO 3166
 * codes: the United Kingdom is "UK" ("GB" has no name), and Lookwell looks the
 * three-letter endings ("com", "org", ...) up as "US", the United States.
 *
 * Plain C interface with no state, no allocation and no error returns. Every
 * function may run on several threads at once as long as each caller passes
 * its own buffer. */
#ifndef NATLAS_H
#define NATLAS_H

#include <stdint.h>

/* The 32-bit Windows library keeps the callee-cleans convention, and with it
 * the decorated export names its callers import. */
#if defined(_WIN32)
#define NATLAS_CALL __stdcall
#else
#define NATLAS_CALL
#endif

/* NATLAS_BUILDING is defined only while the library itself is compiled. On
 * Windows the export table comes from natlas.def, because dllexport would drop
 * the leading underscore of the decorated names. */
#if defined(_WIN32)
#if defined(NATLAS_BUILDING)
#define NATLAS_API
#else
#define NATLAS_API __declspec(dllimport)
#endif
#elif defined(NATLAS_BUILDING)
#define NATLAS_API __attribute__((visibility("default")))
#else
#define NATLAS_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Two upper-case letters of a domain ending packed as 32 * first + second ("A" is 0), so "JP" is
 * 303; other characters give other values and are neither rejected nor folded. */
typedef uint16_t CountryCode;

/* Smallest buffer NatlasGetCountryName may be given. */
#define NATLAS_NAME_BUFFER_SIZE 256

/* 0x0100: major version 1 in the high byte, minor 0 in the low byte. */
NATLAS_API uint16_t NATLAS_CALL NatlasGetVersion(void);

/* Reads exactly two characters of text; nothing after them needs to exist. */
NATLAS_API CountryCode NATLAS_CALL NatlasGetCountryCode(const char* text);

/* Writes the name stored for the low 16 bits of code into buffer (at least
 * NATLAS_NAME_BUFFER_SIZE bytes), or the empty string when that code has no
 * name, and returns buffer. */
NATLAS_API char* NATLAS_CALL NatlasGetCountryName(uint32_t code, char* buffer);

/* Network queries: each answers 1 and does not read its argument. */
NATLAS_API int32_t NATLAS_CALL NatlasGetBitnet(int32_t ignored);
NATLAS_API int32_t NATLAS_CALL NatlasGetFidonet(int32_t ignored);
NATLAS_API int32_t NATLAS_CALL NatlasGetInet(int32_t ignored);
NATLAS_API int32_t NATLAS_CALL NatlasGetOSI(int32_t ignored);
NATLAS_API int32_t NATLAS_CALL NatlasGetUUCP(int32_t ignored);

#ifdef __cplusplus
}
#endif

#endif /* NATLAS_H */
