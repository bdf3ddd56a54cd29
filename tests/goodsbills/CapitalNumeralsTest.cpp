#include <QStringList>

#include <gtest/gtest.h>

#include "CapitalNumerals.h"
#include "GoodsBillModeInfo.h"

// The two texts the grid makes itself: the total in capital numerals and a
// new bill's code.

namespace {

struct CapitalCase
{
    const char* amount;
    const char* capital; // empty: the amount cannot be written
};

void PrintTo(const CapitalCase& c, std::ostream* out)
{
    *out << c.amount;
}

class CapitalText : public testing::TestWithParam<CapitalCase>
{
};

} // namespace

TEST_P(CapitalText, EveryDigitWithItsUnitAndABlank)
{
    const CapitalCase c = GetParam();
    const QString amount = QString::fromUtf8(c.amount);
    EXPECT_EQ(CapitalNumerals::Format(amount).toStdString(), std::string(c.capital));
    EXPECT_EQ(CapitalNumerals::IsWritable(amount), *c.capital != '\0');
}

INSTANTIATE_TEST_SUITE_P(Amounts, CapitalText,
    testing::Values(
        // The worked examples.
        CapitalCase {"1234.50", "壹仟 贰佰 参拾 肆元 伍角 零分 "}, CapitalCase {"0.00", "零元 零角 零分 "},
        CapitalCase {"100.00", "壹佰 零拾 零元 零角 零分 "}, CapitalCase {"1005.06", "壹仟 零佰 零拾 伍元 零角 陆分 "},
        CapitalCase {"12345678.90", "壹仟 贰佰 参拾 肆万 伍仟 陆佰 柒拾 捌元 玖角 零分 "},
        CapitalCase {"5.00", "伍元 零角 零分 "}, CapitalCase {"0", "零元 零角 零分 "},
        CapitalCase {"30.00", "参拾 零元 零角 零分 "},
        CapitalCase {"100005.07", "壹拾 零万 零仟 零佰 零拾 伍元 零角 柒分 "},
        CapitalCase {"99999999.99", "玖仟 玖佰 玖拾 玖万 玖仟 玖佰 玖拾 玖元 玖角 玖分 "},
        // Past 仟万 the places go on with 亿.
        CapitalCase {"123456789.00", "壹亿 贰仟 参佰 肆拾 伍万 陆仟 柒佰 捌拾 玖元 零角 零分 "},
        CapitalCase {"1000000000000", "壹万 零仟 零佰 零拾 零亿 零仟 零佰 零拾 零万 零仟 零佰 零拾 零元 零角 零分 "},
        CapitalCase {"9999999999999.99", "玖万 玖仟 玖佰 玖拾 玖亿 玖仟 玖佰 玖拾 玖万 玖仟 玖佰 玖拾 玖元 玖角 玖分 "},
        CapitalCase {"10000000000000", ""}, CapitalCase {"9999999999999.996", ""}, CapitalCase {"-10000000000000", ""},
        // Below zero: 负 and the absolute value.
        CapitalCase {"-5", "负伍元 零角 零分 "}, CapitalCase {"-1005.06", "负壹仟 零佰 零拾 伍元 零角 陆分 "},
        // Rounded to cents as the total cell is.
        CapitalCase {"1234.567", "壹仟 贰佰 参拾 肆元 伍角 柒分 "}, CapitalCase {"0.004", "零元 零角 零分 "},
        CapitalCase {"0.006", "零元 零角 壹分 "}, CapitalCase {"-0.001", "零元 零角 零分 "},
        CapitalCase {"19.999", "贰拾 零元 零角 零分 "},
        // Any text reads as StrToDouble reads it.
        CapitalCase {"", "零元 零角 零分 "}, CapitalCase {"2a", "贰元 零角 零分 "}));

TEST(BillCode, ThePrefixOfTheModeAndTheWorkingDatesDigits)
{
    const QString date = QStringLiteral("2027-01-09");
    const QString digits = QStringLiteral("20270109");
    const QString shipment = QStringLiteral("XS_CH_"), salesReturn = QStringLiteral("XS_TH_");
    const QString stockIn = QStringLiteral("CG_JH_"), purchaseReturn = QStringLiteral("CG_TH_");
    // Modes 0 to 19 in order; change and take-back modes have no prefix.
    const QStringList prefixes {shipment, salesReturn, {}, {}, {}, {}, shipment, salesReturn, {}, {}, stockIn,
        purchaseReturn, {}, {}, {}, {}, stockIn, purchaseReturn, {}, {}};
    for (int mode = 0; mode < 20; ++mode)
        EXPECT_EQ(MakeBillNumber(mode, date), prefixes.at(mode) + digits) << "mode " << mode;
    EXPECT_EQ(MakeBillNumber(0, QStringLiteral("2026-12-05")), QStringLiteral("XS_CH_20261205"));
    EXPECT_EQ(MakeBillNumber(-1, date), digits);
}
