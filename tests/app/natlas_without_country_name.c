/* A libnatlas.so.1 that lacks NatlasGetCountryName, for the program to refuse. */
#include "natlas.h"

CountryCode NatlasGetCountryCode(const char* text) {
    (void)text;
    return 0;
}
