#include "natlas.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string_view>

namespace {

struct CodeCase {
    const char* text;
    CountryCode code;
};

void expectCodes(std::initializer_list<CodeCase> cases) {
    for (const CodeCase& c : cases)
        EXPECT_EQ(NatlasGetCountryCode(c.text), c.code)
            << "text \"" << std::string_view(c.text, 2) << '"';
}

TEST(CountryCode, PacksUpperCaseLettersAsThirtyTwoTimesFirstPlusSecond) {
    expectCodes({{"AA", 0},
                 {"AD", 3},
                 {"DE", 100},
                 {"GB", 193},
                 {"JP", 303},
                 {"SU", 596},
                 {"UK", 650},
                 {"US", 658},
                 {"ZW", 822},
                 {"ZZ", 825}});
}

TEST(CountryCode, DoesNotFoldCaseAndOrsTheSecondLetterIn) {
    expectCodes({{"jp", 1327}, {"Jp", 303}, {"Ad", 35}});
}

TEST(CountryCode, GivesWrappedValuesForOtherCharacters) {
    // "A" is read together with its terminating zero byte.
    expectCodes({{"12", 0xFFF1}, {"A", 0xFFBF}, {"A1", 0xFFF0}});
}

TEST(CountryCode, CountsBytesAboveSevenBitsAsNegative) {
    // 0xC1 is -63 as a signed byte: (-63 - 65) * 32 = -4096; 0xFF is -1.
    const char highFirst[] = {'\xC1', 'A'};
    expectCodes({{highFirst, 0xF000}, {"A\xFF", 0xFFBE}});
}

TEST(CountryCode, ReadsOnlyTwoCharactersOfAnUnterminatedText) {
    const char letters[2] = {'J', 'P'};
    EXPECT_EQ(NatlasGetCountryCode(letters), 303);
}

TEST(Natlas, ReportsVersionOnePointZero) {
    EXPECT_EQ(NatlasGetVersion(), 0x0100);
}

TEST(Natlas, NetworkQueriesAnswerOneWhateverTheArgument) {
    using Query = int32_t(NATLAS_CALL*)(int32_t);
    for (Query query :
         {NatlasGetBitnet, NatlasGetFidonet, NatlasGetInet, NatlasGetOSI, NatlasGetUUCP})
        for (int32_t argument : {0, -1, 1, INT32_MIN, INT32_MAX})
            EXPECT_EQ(query(argument), 1) << "argument " << argument;
}

} // namespace
