#include "game/InitDelay.h"

#include <gtest/gtest.h>

TEST(InitDelay, CommandLineRules)
{
    using Args = std::vector<std::string>;
    EXPECT_EQ(ParseInitDelay(Args{"zeltra"}), 0);
    EXPECT_EQ(ParseInitDelay(Args{"zeltra", "--initdelay"}), 3000) << "last argument";
    EXPECT_EQ(ParseInitDelay(Args{"zeltra", "--initdelay", "250"}), 250);
    EXPECT_EQ(ParseInitDelay(Args{"zeltra", "--initdelay", "9000"}), 5000);
    EXPECT_EQ(ParseInitDelay(Args{"zeltra", "--initdelay", "0"}), 0);
    EXPECT_LT(ParseInitDelay(Args{"zeltra", "--initdelay", "-5"}), 1);
    EXPECT_EQ(ParseInitDelay(Args{"zeltra", "--initdelay", "fast"}), 0);
    EXPECT_EQ(ParseInitDelay(Args{"zeltra", "--initdelay=200"}), 0) << "not the same word";
    EXPECT_EQ(ParseInitDelay(Args{"--initdelay", "100"}), 0) << "the program path is skipped";
    // The last occurrence counts.
    EXPECT_EQ(ParseInitDelay(Args{"zeltra", "--initdelay", "100", "--initdelay"}), 3000);
}
