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

TEST(StatusPanel, SqueezedShowsAPathsStartAndFileNameAndTheWholePathInItsToolTip)
{
    const QString path
        = QStringLiteral("Output file:    /home/technician/Workshop logs/2026/customer/kodralog.csv");
    StatusPanel panel(100, path, nullptr);
    panel.resize(panel.fontMetrics().horizontalAdvance(path) / 2, panel.sizeHint().height());
    panel.grab();

    const QString shown = panel.ShownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Output file:"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("kodralog.csv"))) << shown.toStdString();
    EXPECT_LT(shown.size(), path.size());
    EXPECT_EQ(panel.text(), path);
    EXPECT_EQ(panel.toolTip(), path);

    panel.resize(panel.sizeHint());
    panel.grab();
    EXPECT_EQ(panel.ShownText(), path);
    EXPECT_TRUE(panel.toolTip().isEmpty());

    panel.setToolTip(QStringLiteral("Alarm: RPM"));
    panel.resize(40, panel.height());
    panel.grab();
    EXPECT_EQ(panel.toolTip(), QStringLiteral("Alarm: RPM")) << "an owner's tool tip is kept";
}

} // namespace
