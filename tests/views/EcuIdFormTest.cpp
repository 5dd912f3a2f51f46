#include "ui/EcuIdForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(EcuIdFormTest, Reads0000UntilTheFirstIdentification)
{
    TECUIDForm form;
    EXPECT_EQ(form.windowTitle(), "ECU ID");
    const auto* caption = form.findChild<QLabel*>("ECUIDL");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "ECU ID");
    EXPECT_EQ(caption->font().pixelSize(), 19);
    EXPECT_EQ(form.EcuIdText(), "0000");
}

TEST(EcuIdFormTest, AnIdentificationWhileHiddenShowsWhenOpened)
{
    TECUIDForm form;
    form.ShowEcuId("17E2");
    form.show();
    auto* edit = form.findChild<QLineEdit*>("IDEB");
    EXPECT_EQ(edit->text(), "17E2");
    // It shows what the ECU said: typing changes nothing.
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("XYZ"));
    EXPECT_EQ(form.EcuIdText(), "17E2");
    form.close();
    form.ShowEcuId("1103");
    EXPECT_FALSE(form.isVisible());
    form.show();
    EXPECT_EQ(form.EcuIdText(), "1103");
}

} // namespace
