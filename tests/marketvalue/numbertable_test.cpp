#include <gtest/gtest.h>

#include <string>

#include "marketvalue/numbertable.h"

using namespace bidmark;

// Keys found again after the table grew many times; keys differing in one
// number, or only in the sign of a zero, as the run's look-ups meet them.
TEST(NumberTable, FindsEveryKeyAddedAndOnlyThose)
{
    NumberTable<3, std::string> table;
    EXPECT_EQ(table.find({1, 2, 3}), nullptr);
    for (int i = 0; i < 5000; ++i)
        table.add({double(i % 70), 'F' + double(i / 70), i * 0.25}, std::to_string(i));
    for (int i = 0; i < 5000; ++i) {
        const std::string* value = table.find({double(i % 70), 'F' + double(i / 70), i * 0.25});
        ASSERT_NE(value, nullptr) << i;
        EXPECT_EQ(*value, std::to_string(i));
    }
    EXPECT_EQ(table.find({0, 'F', 0.5}), nullptr);  // one number off
    EXPECT_EQ(table.find({69, 'F', 0.0}), nullptr); // another key's numbers, mixed

    table.add({0.0, 0.0, 7}, "zero");
    ASSERT_NE(table.find({-0.0, 0.0, 7}), nullptr);
    EXPECT_EQ(*table.find({-0.0, -0.0, 7}), "zero");
}
