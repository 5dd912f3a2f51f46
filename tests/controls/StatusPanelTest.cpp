#include "controls/StatusPanel.h"

#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

TEST(StatusPanel, KeepsItsDesignWidthAndGrowsForATextThatWouldBeCutOff)
{
    QStatusBar bar;
    StatusPanel panel(100, QStringLiteral("COM1"), &bar);
    EXPECT_EQ(panel.minimumSizeHint().width(), 100);

    const QString longText = QStringLiteral("Output file:    /home/technician/logs/2026/kodralog.csv");
    panel.setText(longText);
    EXPECT_GE(panel.minimumSizeHint().width(), panel.fontMetrics().horizontalAdvance(longText));

    panel.setText(QStringLiteral("Done"));
    EXPECT_EQ(panel.minimumSizeHint().width(), 100);
}

} // namespace
