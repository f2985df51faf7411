#include "core/address_fields.h"
#include "tests/support/fake_view.h"

#include <gtest/gtest.h>

namespace lookwell {
namespace {

using test_support::FakeView;

TEST(FieldNumber, ReadsLikeAtoi) {
    EXPECT_EQ(fieldNumber(""), 0u);
    EXPECT_EQ(fieldNumber("192"), 192u);
    EXPECT_EQ(fieldNumber("0300"), 300u); // leading zeros never mean octal
    EXPECT_EQ(fieldNumber(" \t\n+17"), 17u);
    EXPECT_EQ(fieldNumber("12ab34"), 12u);
    EXPECT_EQ(fieldNumber("abc"), 0u);
    EXPECT_EQ(fieldNumber("- 5"), 0u);
    EXPECT_EQ(fieldNumber("-5"), 0xFFFFFFFBu);
}

TEST(FieldNumber, WrapsModulo2To32AndKeepsTheByteOfTheWrittenValue) {
    EXPECT_EQ(fieldNumber("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(fieldNumber("4294967296"), 0u);
    EXPECT_EQ(fieldNumber("4294967301"), 5u);
    // 10^30 is divisible by 256, so its byte is 0; +7 makes it 7.
    EXPECT_EQ(fieldByte("1000000000000000000000000000007"), 7);
    EXPECT_EQ(fieldByte(std::string(5000, '9')), 0xFF); // 10^5000 - 1 ≡ -1 (mod 256)
}

TEST(FieldByte, IsTheLowEightBits) {
    EXPECT_EQ(fieldByte("256"), 0);
    EXPECT_EQ(fieldByte("300"), 44);
    EXPECT_EQ(fieldByte("0300"), 44);
    EXPECT_EQ(fieldByte("-5"), 251);
    EXPECT_EQ(fieldByte("266"), 10);
}

TEST(ValidateFields, AcceptsDigitsAndEmptyTextOnly) {
    EXPECT_TRUE(validateFields({"192", "168", "1", ""}));
    EXPECT_TRUE(validateFields({"", "", "", ""}));
    EXPECT_TRUE(validateFields({"99999999999999", "0", "00", "255"}));
    EXPECT_FALSE(validateFields({"10", "0", "0", "1a"}));
    EXPECT_FALSE(validateFields({"a10", "0", "0", "1"}));
    EXPECT_FALSE(validateFields({"10", " 0", "0", "1"}));
    EXPECT_FALSE(validateFields({"10", "0", "-1", "1"}));
    EXPECT_FALSE(validateFields({"10", "0", "+1", "1"}));
    EXPECT_FALSE(validateFields({"10", "0", "\xEF\xBC\x91", "1"})); // a full-width digit
}

TEST(PackAddress, TakesTheByteOfEachField) {
    EXPECT_EQ(packAddress({"192", "168", "1", ""}), 0xC0A80100u);
    EXPECT_EQ(packAddress({"300", "1", "2", "3"}), 0x2C010203u);
    EXPECT_EQ(toNetworkOrder(0x2C010203u), (Ipv4Bytes{44, 1, 2, 3}));
}

TEST(FormatDottedQuad, UsesWholeNumbersNotBytes) {
    EXPECT_EQ(formatDottedQuad({"300", "1", "2", "3"}), "300.1.2.3");
    EXPECT_EQ(formatDottedQuad({"10", "", "", "1"}), "10.0.0.1");
    EXPECT_EQ(formatDottedQuad({"007", "4294967296", "4294967295", "1"}), "7.0.4294967295.1");
}

TEST(ParseDottedQuad, FollowsScanfUnsignedConversions) {
    EXPECT_EQ(parseDottedQuad("172.16.5.4"), (FieldNumbers{172, 16, 5, 4}));
    EXPECT_EQ(parseDottedQuad("1. 2. 3. 4"), (FieldNumbers{1, 2, 3, 4}));
    EXPECT_EQ(parseDottedQuad("  1.2.3.4 and more words"), (FieldNumbers{1, 2, 3, 4}));
    EXPECT_EQ(parseDottedQuad("1.2.3.4.5"), (FieldNumbers{1, 2, 3, 4}));
    EXPECT_EQ(parseDottedQuad("300.1.2.3"), (FieldNumbers{300, 1, 2, 3}));
    EXPECT_EQ(parseDottedQuad("+1.-1.2.3"), (FieldNumbers{1, 0xFFFFFFFF, 2, 3}));
    EXPECT_EQ(parseDottedQuad("1.2.3.4294967297"), (FieldNumbers{1, 2, 3, 1}));
}

TEST(ParseDottedQuad, FailsUnlessAllFourNumbersConvert) {
    for (const char* text : {"", "1.2.3", "1 .2.3.4", "1..2.3", "1.2.3.", "a.b.c.d", "1.2.3.x",
                             "+.1.2.3", "1.2.3.- 4", "0x1.2.3.4"}) {
        EXPECT_FALSE(parseDottedQuad(text).has_value()) << '"' << text << '"';
    }
}

TEST(FieldWrites, SetFieldFourFirstAndFieldOneLast) {
    FakeView view;
    fillFromAddress(view, {127, 0, 0, 1});
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"field4=1", "field3=0", "field2=0", "field1=127"}));

    view.log.clear();
    writeFields(view, {4294967295u, 16, 5, 4});
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"field4=4", "field3=5", "field2=16", "field1=4294967295"}));
    EXPECT_EQ(readFields(view), (FieldTexts{"4294967295", "16", "5", "4"}));

    view.log.clear();
    clearFields(view);
    EXPECT_EQ(view.log, (std::vector<std::string>{"field4=", "field3=", "field2=", "field1="}));
}

} // namespace
} // namespace lookwell
