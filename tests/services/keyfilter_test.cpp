#include "services/keyfilter.h"

#include <gtest/gtest.h>

namespace calvex::services {
namespace {

struct KeyCase {
    KeyFilter filter;
    const char* text;
    char key;
    bool accepted;
};

constexpr KeyFilter unsignedNumber = KeyFilter::UnsignedNumber;
constexpr KeyFilter minusAnywhere = KeyFilter::MinusAnywhere;
constexpr KeyFilter signedNumber = KeyFilter::SignedNumber;
constexpr KeyFilter signedAnyPoints = KeyFilter::SignedAnyPoints;
constexpr KeyFilter unsignedAnyPoints = KeyFilter::UnsignedAnyPoints;
constexpr KeyFilter fraction = KeyFilter::Fraction;

TEST(KeyFilter, AcceptsWhatEachBoxKindAllows)
{
    const KeyCase cases[] = {
        {unsignedNumber, "", '0', true},
        {unsignedNumber, "12", '9', true},
        {unsignedNumber, "12", '\b', true},
        {unsignedNumber, "12", '.', true},
        {unsignedNumber, "1.2", '.', false}, // one decimal point, wherever it stands
        {unsignedNumber, ".", '.', false},
        {unsignedNumber, "", '-', false},    // the constants of a component are never negative
        {unsignedNumber, "12", '-', false},
        {unsignedNumber, "1", 'e', false},   // no exponent notation
        {unsignedNumber, "1", '+', false},
        {unsignedNumber, "1", ',', false},
        {unsignedNumber, "1", ' ', false},
        {minusAnywhere, "", '-', true},
        {minusAnywhere, "5", '-', true},     // after digits too; the reader then takes the 5
        {minusAnywhere, "--", '-', true},
        {minusAnywhere, "-0.5", '.', false},
        {minusAnywhere, "-0", '.', true},
        {minusAnywhere, "1", 'E', false},
        {minusAnywhere, "1", 'a', false},
        {signedNumber, "", '-', true},       // a minus sign only as the first character
        {signedNumber, "5", '-', false},
        {signedNumber, "-5", '.', true},
        {signedNumber, "-5.", '.', false},
        {signedAnyPoints, "1.2", '.', true}, // the saturation boxes take any number of points
        {signedAnyPoints, "", '-', true},
        {signedAnyPoints, "1", '-', false},
        {unsignedAnyPoints, "1.2", '.', true},
        {unsignedAnyPoints, "", '-', false},
        {unsignedAnyPoints, "1", 'e', false},
        {fraction, "", '.', true},           // a mole fraction: a point first, then digits
        {fraction, "", '5', false},
        {fraction, "", '-', false},
        {fraction, ".", '5', true},
        {fraction, ".5", '\b', true},
        {fraction, ".5", '.', false},
        {fraction, ".5", 'e', false},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(keyAccepted(c.filter, c.text, c.key), c.accepted)
            << "text \"" << c.text << "\" key '" << c.key << "' one point " << c.filter.onePoint << " minus "
            << static_cast<int>(c.filter.minus);
}

} // namespace
} // namespace calvex::services
