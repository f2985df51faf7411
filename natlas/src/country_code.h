/* Compile-time form of NatlasGetCountryCode for two upper-case letters. Plain
 * preprocessor arithmetic, so that the resource compiler can number the string
 * table with it too. */
#ifndef NATLAS_COUNTRY_CODE_H
#define NATLAS_COUNTRY_CODE_H

#define NATLAS_LETTER_A 0
#define NATLAS_LETTER_B 1
#define NATLAS_LETTER_C 2
#define NATLAS_LETTER_D 3
#define NATLAS_LETTER_E 4
#define NATLAS_LETTER_F 5
#define NATLAS_LETTER_G 6
#define NATLAS_LETTER_H 7
#define NATLAS_LETTER_I 8
#define NATLAS_LETTER_J 9
#define NATLAS_LETTER_K 10
#define NATLAS_LETTER_L 11
#define NATLAS_LETTER_M 12
#define NATLAS_LETTER_N 13
#define NATLAS_LETTER_O 14
#define NATLAS_LETTER_P 15
#define NATLAS_LETTER_Q 16
#define NATLAS_LETTER_R 17
#define NATLAS_LETTER_S 18
#define NATLAS_LETTER_T 19
#define NATLAS_LETTER_U 20
#define NATLAS_LETTER_V 21
#define NATLAS_LETTER_W 22
#define NATLAS_LETTER_X 23
#define NATLAS_LETTER_Y 24
#define NATLAS_LETTER_Z 25

/* The letters are pasted, never expanded, so a macro that happens to be named
 * like a letter cannot change a code. */
#define NATLAS_CODE(first, second) (NATLAS_LETTER_##first * 32 + NATLAS_LETTER_##second)

#endif
