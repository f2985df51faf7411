/* A program outside the library's build that uses it as the lookup program
 * does: code from two letters, then the name into its own buffer. */
#include <natlas.h>
#include <stdio.h>

int main(int argc, char** argv) {
    char name[NATLAS_NAME_BUFFER_SIZE];
    const char* letters = argc > 1 ? argv[1] : "US";
    if (letters[0] == '\0' || letters[1] == '\0') {
        fprintf(stderr, "usage: %s LETTERS (two characters)\n", argv[0]);
        return 2;
    }
    puts(NatlasGetCountryName(NatlasGetCountryCode(letters), name));
    return 0;
}
