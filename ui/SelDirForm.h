#pragma once

#include "ui/SettingsDialog.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QModelIndex;
class QTreeView;

// The log directory dialog. Browsing never changes the process's working directory (the
// settings files are found relative to it); the chosen directory is handed on by OK only.
class TSelDirForm : public SettingsDialog {
    Q_OBJECT

public:
    explicit TSelDirForm(QWidget* parent = nullptr);

    // Points the drive list at the drive holding `directory` and the directory list at it;
    // a directory that does not exist leaves the list at its drive.
    void ShowDirectory(const QString& directory);
    QString CurrentDirectory() const { return m_directory; }
    QStringList DrivePaths() const;

signals:
    void DirectoryChosen(const QString& directory);

private slots:
    void DriveComboBox1Change(int index);
    void SelDirBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PointListAt(const QString& drive);
    void DirectoryListCurrentChanged(const QModelIndex& current);

    QComboBox* m_driveCombo = nullptr;
    QTreeView* m_directoryList = nullptr;
    QFileSystemModel* m_model = nullptr;
    QString m_directory;
};
