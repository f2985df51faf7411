#include "core/button_rules.h"
#include "tests/support/fake_view.h"

#include <gtest/gtest.h>

namespace lookwell {
namespace {

using test_support::FakeView;

TEST(ButtonRules, ToIpFollowsTheHostName) {
    EXPECT_FALSE(toIpEnabledFor(""));
    EXPECT_TRUE(toIpEnabledFor("a"));
    EXPECT_TRUE(toIpEnabledFor(" "));
}

TEST(ButtonRules, TypingFieldsInOrderEnablesToHostNameAtTheLastField) {
    FakeView view;
    view.setAddressField(AddressField::One, "192");
    view.setAddressField(AddressField::Two, "168");
    view.setAddressField(AddressField::Three, "1");
    EXPECT_FALSE(view.toHostName);
    view.setAddressField(AddressField::Four, "1");
    EXPECT_TRUE(view.toHostName);
}

TEST(ButtonRules, OnlyAChangeOfFieldFourEnables) {
    FakeView view;
    view.setAddressField(AddressField::Four, "1");
    view.setAddressField(AddressField::One, "192");
    view.setAddressField(AddressField::Two, "168");
    view.setAddressField(AddressField::Three, "1");
    EXPECT_FALSE(view.toHostName);
    view.setAddressField(AddressField::Four, "2");
    EXPECT_TRUE(view.toHostName);
}

TEST(ButtonRules, EmptyingAnyFieldDisablesAndRefillingOnlyFieldFourEnablesAgain) {
    FakeView view;
    view.typeFields({"192", "168", "1", "1"});
    ASSERT_TRUE(view.toHostName);
    view.setAddressField(AddressField::Two, "");
    EXPECT_FALSE(view.toHostName);
    view.setAddressField(AddressField::Two, "168");
    EXPECT_FALSE(view.toHostName);
    view.setAddressField(AddressField::Four, "1");
    EXPECT_TRUE(view.toHostName);
    view.setAddressField(AddressField::Four, "");
    EXPECT_FALSE(view.toHostName);
}

TEST(ButtonRules, ChangingFieldsOneToThreeWithoutEmptyingKeepsTheState) {
    FakeView view;
    view.typeFields({"10", "0", "0", "1"});
    view.setAddressField(AddressField::Three, "7");
    EXPECT_TRUE(view.toHostName);
}

} // namespace
} // namespace lookwell
