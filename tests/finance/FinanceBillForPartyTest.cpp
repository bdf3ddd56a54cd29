#include "FinanceBillForParty.h"

#include "Database.h"
#include "FinanceBillPage.h"
#include "FinanceTestSupport.h"

// 收入 and 支出 of the parties' detail window: a bill made out to the party.

namespace {

class FinanceBillForPartyTest : public ::testing::Test
{
protected:
    FinanceBillForPartyTest()
    {
        SetWorkingDate(QDate(2024, 3, 5));
        AddClientRow(db.db(), u("甲"));
        AddProviderRow(db.db(), u("甲"));
    }
    ~FinanceBillForPartyTest() override { SetWorkingDateSource(nullptr); }

    TestDatabase db;
    ScriptedInteraction user;
    bool workingDay = (SetWorkingDate(QDate(2024, 3, 5)), true);
    CDlgTabFina sales{4, nullptr};
    CDlgTabFina_Provider purchase{4, nullptr};
};

TEST_F(FinanceBillForPartyTest, TheBillIsMadeOutToThePartyAndWrittenOnItsSide)
{
    const auto answer = [&](const char *title, const char *code) {
        user.onNextModal([title, code](QDialog *d) {
            EditorControls e(d);
            EXPECT_EQ(d->windowTitle(), u(title));
            EXPECT_EQ(e.code()->text(), u(code));
            EXPECT_EQ(e.name()->currentText(), u("甲"));
            EXPECT_FALSE(e.name()->isEnabled());
            e.typeAmount(u("40"));
            e.ok();
            return d->result();
        });
    };
    answer("新增财务收入", "SR_XS_20240305");
    EXPECT_EQ(RunFinanceBillForParty(nullptr, &sales, PartyClient, 6, u("甲")), 1);
    answer("新增财务支出", "ZC_CG_20240305");
    EXPECT_EQ(RunFinanceBillForParty(nullptr, &purchase, PartyProvider, 25, u("甲")), 1);
    EXPECT_EQ(storedSumIncome(db, FinanceBillSide::Sales(), u("甲")), u("40.00"));
    EXPECT_EQ(storedSumIncome(db, FinanceBillSide::Purchase(), u("甲")), u("0.00"));
    EXPECT_EQ(storedBalance(db, u("现金")), u("0.00"));
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income_provider"), 1);

    // 取消 saves nothing; a mode of the other side runs nothing.
    user.onNextModal([](QDialog *d) {
        EditorControls(d).cancel();
        return d->result();
    });
    EXPECT_EQ(RunFinanceBillForParty(nullptr, &purchase, PartyProvider, 24, u("甲")), 0);
    user.clear();
    EXPECT_EQ(RunFinanceBillForParty(nullptr, &sales, PartyClient, 24, u("甲")), 0);
    EXPECT_EQ(RunFinanceBillForParty(nullptr, &sales, PartyClient, 0, u("甲")), 0);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income"), 1);
}

} // namespace
