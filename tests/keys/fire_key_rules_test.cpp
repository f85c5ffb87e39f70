#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "keys/fire_key_rules.h"

namespace kz7 {
namespace {

struct BoxCase {
    const char* text;
    int value;
    std::optional<std::string> replacement;
};

TEST(FireKeyRules, SpeedHoldsFiveTo255AndFallsBackToFive) {
    const BoxCase cases[] = {
        {"32", 32, std::nullopt},  {"5", 5, std::nullopt},     {"255", 255, std::nullopt},
        {"3", 5, "5"},             {"4", 5, "5"},              {"256", 5, "5"},
        {"", 5, "5"},              {"0", 5, "5"},              {"99999999999999", 5, "5"},
        {"007", 7, std::nullopt},  {"12x", 12, std::nullopt},  {"-40", 5, "5"},
    };
    for (const BoxCase& c : cases) {
        EXPECT_EQ(FireSpeedFromText(c.text), (FireBoxValue{static_cast<std::uint8_t>(c.value), c.replacement}))
            << '"' << c.text << '"';
    }
}

TEST(FireKeyRules, TimesHoldsZeroTo255AndFallsBackToOne) {
    const BoxCase cases[] = {
        {"1", 1, std::nullopt},  {"0", 0, std::nullopt}, {"", 0, std::nullopt},  // empty: until released, box stays empty
        {"255", 255, std::nullopt}, {"30", 30, std::nullopt}, {"300", 1, "1"},
        {"256", 1, "1"},         {"-1", 1, "1"},         {"4294967297", 1, "1"},
    };
    for (const BoxCase& c : cases) {
        EXPECT_EQ(FireTimesFromText(c.text), (FireBoxValue{static_cast<std::uint8_t>(c.value), c.replacement}))
            << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace kz7
