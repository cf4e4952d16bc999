#include "app/value_formats.h"

#include <gtest/gtest.h>

TEST(ValueFormats, Placeholder) { EXPECT_EQ(PhoneDigits(""), "0000000000"); }
