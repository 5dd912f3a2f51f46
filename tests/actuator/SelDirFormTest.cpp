#include "ui/SelDirForm.h"

#include "tests/support/UserActions.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

class SelDirFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("logs/2024")));
        logs = QDir::cleanPath(QDir(scratch.path()).absoluteFilePath(QStringLiteral("logs")));
    }

    void Browse(const QString& directory)
    {
        auto* list = form.findChild<QTreeView*>(QStringLiteral("DirectoryListBox1"));
        ASSERT_NE(list, nullptr);
        auto* model = qobject_cast<QFileSystemModel*>(list->model());
        ASSERT_NE(model, nullptr);
        list->setCurrentIndex(model->index(directory));
    }

    QTemporaryDir scratch;
    QString logs;
    const QString startDirectory = QDir::currentPath();
    TSelDirForm form;
    QSignalSpy spy { &form, &TSelDirForm::DirectoryChosen };
};

TEST_F(SelDirFormTest, BrowsingLeavesTheWorkingDirectoryAndOkHandsOnTheChoice)
{
    form.show();
    form.ShowDirectory(scratch.path());
    Browse(logs + QStringLiteral("/2024"));
    Browse(logs);
    EXPECT_EQ(form.CurrentDirectory(), logs);
    EXPECT_EQ(QDir::currentPath(), startDirectory);
    EXPECT_TRUE(spy.isEmpty());

    ClickButton(form, "SelDirBtn");
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), logs);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(QDir::currentPath(), startDirectory);
}

TEST_F(SelDirFormTest, StartsAtTheDirectoryItIsShown)
{
    form.ShowDirectory(logs);
    EXPECT_EQ(form.CurrentDirectory(), logs);
    form.ShowDirectory(logs + QStringLiteral("/missing"));
    auto* drives = form.findChild<QComboBox*>(QStringLiteral("DriveComboBox1"));
    ASSERT_NE(drives, nullptr);
    EXPECT_EQ(form.CurrentDirectory(), drives->currentData().toString());
}

TEST_F(SelDirFormTest, DriveListOffersRootAndHomeAndMovesTheListThere)
{
    const QStringList paths = form.DrivePaths();
    EXPECT_EQ(paths.value(0), QDir::rootPath());
    EXPECT_TRUE(paths.contains(QDir::homePath()));
    EXPECT_FALSE(paths.contains(QStringLiteral("/proc")));
    EXPECT_FALSE(paths.contains(QStringLiteral("/sys")));

    auto* drives = form.findChild<QComboBox*>(QStringLiteral("DriveComboBox1"));
    ASSERT_NE(drives, nullptr);
    form.ShowDirectory(logs);
    drives->setCurrentIndex(static_cast<int>(paths.indexOf(QDir::homePath())));
    EXPECT_EQ(form.CurrentDirectory(), QDir::homePath());
    drives->setCurrentIndex(0);
    EXPECT_EQ(form.CurrentDirectory(), QDir::rootPath());
    EXPECT_EQ(QDir::currentPath(), startDirectory);
}

} // namespace
