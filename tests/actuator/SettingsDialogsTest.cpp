#include "CapturingForm.h"

#include "ui/CommsForm.h"
#include "ui/SampleRateForm.h"
#include "ui/UnitsSelForm.h"

#include "tests/support/UserActions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <ostream>

namespace {

QStringList FirstArguments(QSignalSpy& spy)
{
    QStringList texts;
    for (const QList<QVariant>& args : spy)
        texts << args.at(0).toString();
    spy.clear();
    return texts;
}

// --- Comms ---------------------------------------------------------------------------------

class CommsFormTest : public ::testing::Test {
protected:
    Capturing<TCommsForm> form;
    QSignalSpy spy { &form, &TCommsForm::BaudTextChosen };
    QComboBox* combo = ChildOf<QComboBox>(form, "CommsBaudCombo");

    // The focus leaving the box finishes the edit (Enter would also press the default OK).
    void LeaveTheBox() const { emit combo->lineEdit()->editingFinished(); }
};

TEST_F(CommsFormTest, ChoosingAnItemChangesTheLineSpeedAtOnce)
{
    form.SetShownBaudText(QStringLiteral("7812"));
    EXPECT_TRUE(spy.isEmpty());
    combo->setCurrentIndex(combo->findText(QStringLiteral("15625")));
    EXPECT_EQ(FirstArguments(spy), QStringList { "15625" });
}

TEST_F(CommsFormTest, StartsFromTheBaudTextInForceWithoutSendingIt)
{
    form.SetShownBaudText(QStringLiteral("15625"));
    EXPECT_TRUE(spy.isEmpty());
    form.show();
    ClickButton(form, "ComsSelBtn");
    EXPECT_EQ(FirstArguments(spy), QStringList { "15625" });
    EXPECT_FALSE(form.isVisible());
}

struct BaudCase {
    const char* typed;
    const char* sent; // nullptr: refused
};

void PrintTo(const BaudCase& c, std::ostream* os)
{
    *os << "'" << c.typed << "'";
}

class CommsBaudText : public CommsFormTest, public ::testing::WithParamInterface<BaudCase> { };

TEST_F(CommsFormTest, TypedDigitsTakeEffectOnlyWhenTypingIsFinished)
{
    form.show();
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("15625"));
    EXPECT_TRUE(spy.isEmpty());
    LeaveTheBox();
    EXPECT_EQ(FirstArguments(spy), QStringList { "15625" });
}

TEST_P(CommsBaudText, OnlyPositiveWholeNumbersReachTheLink)
{
    const BaudCase& c = GetParam();
    form.show();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), QString::fromLatin1(c.typed));
    LeaveTheBox();
    const QStringList typed = FirstArguments(spy);
    ClickButton(form, "ComsSelBtn");
    const QStringList confirmed = FirstArguments(spy);
    if (c.sent == nullptr) {
        EXPECT_TRUE(typed.isEmpty());
        EXPECT_TRUE(confirmed.isEmpty());
        EXPECT_EQ(form.messages,
            QStringList { QStringLiteral("'%1' is not a valid baud rate: enter a positive whole number")
                              .arg(QString::fromLatin1(c.typed)) });
        EXPECT_TRUE(form.isVisible());
    } else {
        EXPECT_EQ(typed, QStringList { c.sent });
        EXPECT_EQ(confirmed, QStringList { c.sent });
        EXPECT_TRUE(form.messages.isEmpty());
        EXPECT_FALSE(form.isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(Typed, CommsBaudText,
    ::testing::Values(BaudCase { "9600", "9600" }, BaudCase { " 15625 ", "15625" },
        BaudCase { "07812", "7812" }, BaudCase { "abc", nullptr }, BaudCase { "0", nullptr },
        BaudCase { "-7812", nullptr }, BaudCase { "7812.5", nullptr }));

// --- Sample rate ---------------------------------------------------------------------------

class SampleRateFormTest : public ::testing::Test {
protected:
    Capturing<TSampleRateForm> form;
    QSignalSpy spy { &form, &TSampleRateForm::SampleRateChosen };
    QComboBox* combo = ChildOf<QComboBox>(form, "SampleRateCB");

    void Confirm(const char* typed)
    {
        form.show();
        combo->setEditText(QString::fromLatin1(typed));
        ClickButton(form, "SampleRateBtn");
    }
};

TEST_F(SampleRateFormTest, ActsOnlyOnOkWithTheTypedPeriod)
{
    combo->setEditText(QStringLiteral("250"));
    EXPECT_TRUE(spy.isEmpty());
    Confirm("250");
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 250);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(SampleRateFormTest, OkWithoutAChangeKeepsThePeriodInForce)
{
    form.SetShownSampleRate(200);
    ClickButton(form, "SampleRateBtn");
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 200);
}

struct PeriodCase {
    const char* typed;
    int sent; // 0: refused
    const char* message;
};

void PrintTo(const PeriodCase& c, std::ostream* os)
{
    *os << "'" << c.typed << "'";
}

class SampleRatePeriod : public SampleRateFormTest, public ::testing::WithParamInterface<PeriodCase> { };

TEST_P(SampleRatePeriod, AcceptsFiftyToFiveHundredMilliseconds)
{
    const PeriodCase& c = GetParam();
    Confirm(c.typed);
    if (c.sent == 0) {
        EXPECT_TRUE(spy.isEmpty());
        EXPECT_EQ(form.messages, QStringList { QString::fromLatin1(c.message) });
        EXPECT_TRUE(form.isVisible());
    } else {
        ASSERT_EQ(spy.size(), 1);
        EXPECT_EQ(spy.at(0).at(0).toInt(), c.sent);
        EXPECT_TRUE(form.messages.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Typed, SampleRatePeriod,
    ::testing::Values(PeriodCase { "50", 50, nullptr }, PeriodCase { "500", 500, nullptr },
        PeriodCase {
            "20", 0, "'20' is not a valid sample rate: enter a whole number of milliseconds from 50 to 500" },
        PeriodCase {
            "49", 0, "'49' is not a valid sample rate: enter a whole number of milliseconds from 50 to 500" },
        PeriodCase { "501", 0,
            "'501' is not a valid sample rate: enter a whole number of milliseconds from 50 to 500" },
        PeriodCase { "abc", 0, "'abc' is not a valid integer value" },
        PeriodCase { "", 0, "'' is not a valid integer value" }));

// --- Units ---------------------------------------------------------------------------------

class UnitsSelFormTest : public ::testing::Test {
protected:
    TUnitsSelForm form;
    QSignalSpy tempSpy { &form, &TUnitsSelForm::TempUnitsChosen };
    QSignalSpy speedSpy { &form, &TUnitsSelForm::SpeedUnitsChosen };

    void Click(const char* button) { ClickButton(form, button); }
};

TEST_F(UnitsSelFormTest, EachClickSendsItsUnitAtOnce)
{
    Click("TempF_RB");
    Click("TempC_RB");
    Click("KPK_RB");
    Click("MPH_RB");
    EXPECT_EQ(FirstArguments(tempSpy), (QStringList { "F", "C" }));
    EXPECT_EQ(FirstArguments(speedSpy), (QStringList { "KPH", "MPH" }));
}

TEST_F(UnitsSelFormTest, CloseSendsTheShownStateOfBothGroups)
{
    form.show();
    Click("TempF_RB");
    FirstArguments(tempSpy);
    ClickButton(form, "UnitsSelectBtn");
    EXPECT_EQ(FirstArguments(tempSpy), QStringList { "F" });
    EXPECT_EQ(FirstArguments(speedSpy), QStringList { "MPH" });
    EXPECT_FALSE(form.isVisible());
}

TEST_F(UnitsSelFormTest, CloseRightAfterShowingKeepsTheUnitsInForce)
{
    form.SetShownUnits(QStringLiteral("F"), QStringLiteral("KPH"));
    EXPECT_TRUE(tempSpy.isEmpty());
    EXPECT_TRUE(speedSpy.isEmpty());
    ClickButton(form, "UnitsSelectBtn");
    EXPECT_EQ(FirstArguments(tempSpy), QStringList { "F" });
    EXPECT_EQ(FirstArguments(speedSpy), QStringList { "KPH" });

    form.SetShownUnits(QStringLiteral("C"), QStringLiteral("MPH"));
    ClickButton(form, "UnitsSelectBtn");
    EXPECT_EQ(FirstArguments(tempSpy), QStringList { "C" });
    EXPECT_EQ(FirstArguments(speedSpy), QStringList { "MPH" });
}

} // namespace
