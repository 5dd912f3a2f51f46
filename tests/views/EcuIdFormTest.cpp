#include "ui/EcuIdForm.h"

#include <QLabel>
#include <QLineEdit>
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
    EXPECT_EQ(form.findChild<QLineEdit*>("IDEB")->text(), "17E2");
    form.close();
    form.ShowEcuId("1103");
    EXPECT_FALSE(form.isVisible());
    form.show();
    EXPECT_EQ(form.EcuIdText(), "1103");
}

} // namespace
