#include "core/address_info.h"
#include "tests/support/fake_view.h"

#include <gtest/gtest.h>

namespace lookwell {
namespace {

using test_support::FakeView;

TEST(AddressClass, FollowsTheLeadingBitsOfTheFirstByte) {
    EXPECT_EQ(classTextIdFor(0), text::kClassA);
    EXPECT_EQ(classTextIdFor(127), text::kClassA);
    EXPECT_EQ(classTextIdFor(128), text::kClassB);
    EXPECT_EQ(classTextIdFor(191), text::kClassB);
    EXPECT_EQ(classTextIdFor(192), text::kClassC);
    EXPECT_EQ(classTextIdFor(223), text::kClassC);
    EXPECT_EQ(classTextIdFor(224), text::kClassUnknown);
    EXPECT_EQ(classTextIdFor(255), text::kClassUnknown);
}

TEST(PrivateAddress, CoversExactlyTheThreeRanges) {
    EXPECT_TRUE(isPrivateAddress(10, 0));
    EXPECT_TRUE(isPrivateAddress(10, 255));
    EXPECT_FALSE(isPrivateAddress(11, 0));
    EXPECT_FALSE(isPrivateAddress(172, 15));
    EXPECT_TRUE(isPrivateAddress(172, 16));
    EXPECT_TRUE(isPrivateAddress(172, 31));
    EXPECT_FALSE(isPrivateAddress(172, 32));
    EXPECT_TRUE(isPrivateAddress(192, 168));
    EXPECT_FALSE(isPrivateAddress(192, 169));
    EXPECT_FALSE(isPrivateAddress(192, 167));
}

TEST(Country, ComesFromTheLastLabel) {
    EXPECT_EQ(countryOfHostName("www.u-tokyo.ac.jp"), "Japan");
    EXPECT_EQ(countryOfHostName("www.example.JP"), "Japan");
    EXPECT_EQ(countryOfHostName("bbc.co.uk"), "United Kingdom");
    EXPECT_EQ(countryOfHostName("www.example.de"), "Germany");
    EXPECT_EQ(countryOfHostName("example.com"), "United States");
    EXPECT_EQ(countryOfHostName("example.org"), "United States");
    EXPECT_EQ(countryOfHostName("a.b.xyz"), "United States"); // every three-letter ending
}

TEST(Country, IsUnknownWithoutATwoOrThreeCharacterLastLabel) {
    EXPECT_EQ(countryOfHostName("example.info"), "Unknown");
    EXPECT_EQ(countryOfHostName("localhost"), "Unknown");
    EXPECT_EQ(countryOfHostName(""), "Unknown");
    EXPECT_EQ(countryOfHostName("example.jp."), "Unknown");
    EXPECT_EQ(countryOfHostName("example.j"), "Unknown");
}

TEST(Country, IsEmptyForATwoCharacterEndingWithoutAName) {
    EXPECT_EQ(countryOfHostName("example.zz"), "");
    EXPECT_EQ(countryOfHostName("example.gb"), "");
    EXPECT_EQ(countryOfHostName("192.168.1.12"), ""); // an address typed as a host name
    EXPECT_EQ(countryOfHostName("x.\xC3\xA9\xC3"), "United States"); // three bytes count as three
    EXPECT_EQ(countryOfHostName("x.\xFF\x80"), "");
}

class AddressInfoUpdate : public ::testing::Test {
protected:
    FakeView view;

    std::vector<std::string> update(const FieldTexts& fields, const std::string& host) {
        view.fields = fields;
        view.host = host;
        view.log.clear();
        updateAddressInfo(view);
        return view.log;
    }
};

TEST_F(AddressInfoUpdate, WritesTheThreeFactsAndNothingElse) {
    EXPECT_EQ(update({"133", "1", "2", "3"}, "www.example.jp"),
              (std::vector<std::string>{"class=Class-B", "country=Japan", "private=off"}));
    EXPECT_EQ(update({"10", "1", "2", "3"}, "example.com"),
              (std::vector<std::string>{"class=Class-A", "country=United States", "private=on"}));
    EXPECT_EQ(view.fields, (FieldTexts{"10", "1", "2", "3"}));
    EXPECT_EQ(view.host, "example.com");
}

TEST_F(AddressInfoUpdate, ReadsBytesFromTheLowBitsOfTheFieldNumbers) {
    update({"266", "0", "0", "1"}, "h");
    EXPECT_EQ(view.classText, "Class-A");
    EXPECT_TRUE(view.privateLabel);

    update({"-5", "0", "0", "1"}, "h"); // byte 251, read without validation
    EXPECT_EQ(view.classText, "Unknown");

    update({"172", "-224", "0", "1"}, "h"); // byte 32
    EXPECT_FALSE(view.privateLabel);
    update({"172", "-240", "0", "1"}, "h"); // byte 16
    EXPECT_TRUE(view.privateLabel);

    update({"224", "0", "0", "1"}, "h");
    EXPECT_EQ(view.classText, "Unknown");
    update({"223", "255", "255", "255"}, "h");
    EXPECT_EQ(view.classText, "Class-C");
}

} // namespace
} // namespace lookwell
