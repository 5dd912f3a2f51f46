#include "ui/SelDirForm.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr QSize kFormSize { 320, 360 };
constexpr QRect kDriveComboRect { 8, 8, 304, 24 };
constexpr QRect kDirectoryListRect { 8, 40, 304, 270 };
constexpr QRect kOkButtonRect { 120, 320, 80, 30 };
constexpr int kNameColumn = 0;

// Kernel and runtime file systems: nowhere to keep a log.
constexpr auto kPseudoFileSystems
    = std::to_array<std::string_view>({ "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs",
        "debugfs", "devpts", "devtmpfs", "efivarfs", "fusectl", "hugetlbfs", "mqueue", "nsfs", "overlay",
        "proc", "pstore", "ramfs", "rpc_pipefs", "securityfs", "squashfs", "sysfs", "tmpfs", "tracefs" });

bool IsPseudoFileSystem(const QByteArray& type)
{
    const std::string_view name(type.constData(), static_cast<std::size_t>(type.size()));
    return std::ranges::find(kPseudoFileSystems, name) != kPseudoFileSystems.end();
}

// Linux has no drive letters: the file system's root, the mounted volumes and the home folder
// stand in for them.
QStringList DriveRoots()
{
    QStringList roots { QDir::rootPath() };
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !IsPseudoFileSystem(volume.fileSystemType()))
            roots << volume.rootPath();
    }
    roots << QDir::homePath();
    roots.removeDuplicates();
    return roots;
}

bool Holds(const QString& drive, const QString& directory)
{
    return directory == drive || directory.startsWith(drive.endsWith(QLatin1Char('/')) ? drive : drive + '/');
}

} // namespace

TSelDirForm::TSelDirForm(QWidget* parent)
    : SettingsDialog("SelDirForm", tr("Select Directory"), kFormSize, parent)
{

    m_driveCombo = new QComboBox(this);
    m_driveCombo->setObjectName(QStringLiteral("DriveComboBox1"));
    m_driveCombo->setGeometry(kDriveComboRect);
    for (const QString& root : DriveRoots())
        m_driveCombo->addItem(QDir::toNativeSeparators(root), root);
    connect(m_driveCombo, &QComboBox::currentIndexChanged, this, &TSelDirForm::DriveComboBox1Change);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_directoryList = new QTreeView(this);
    m_directoryList->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_directoryList->setGeometry(kDirectoryListRect);
    m_directoryList->setModel(m_model);
    m_directoryList->header()->hide();
    for (int column = kNameColumn + 1; column < m_model->columnCount(); ++column)
        m_directoryList->hideColumn(column);
    connect(m_directoryList->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) { DirectoryListCurrentChanged(current); });

    QPushButton* okButton = AddButton("SelDirBtn", tr("OK"), kOkButtonRect);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &TSelDirForm::SelDirBtnClick);
    // The list is pointed at a directory only when the dialog is first needed: the model's scan of
    // a folder (and its watch on it) would otherwise cost every start of the program.
}

void TSelDirForm::showEvent(QShowEvent* event)
{
    if (m_directory.isEmpty())
        ShowDirectory(QDir::currentPath());
    SettingsDialog::showEvent(event);
}

QStringList TSelDirForm::DrivePaths() const
{
    QStringList paths;
    for (int i = 0; i < m_driveCombo->count(); ++i)
        paths << m_driveCombo->itemData(i).toString();
    return paths;
}

void TSelDirForm::ShowDirectory(const QString& directory)
{
    const QString target = QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
    int driveIndex = 0;
    for (int i = 0; i < m_driveCombo->count(); ++i) {
        const QString drive = m_driveCombo->itemData(i).toString();
        if (Holds(drive, target) && drive.size() > m_driveCombo->itemData(driveIndex).toString().size())
            driveIndex = i;
    }
    {
        const QSignalBlocker blocker(m_driveCombo);
        m_driveCombo->setCurrentIndex(driveIndex);
    }
    PointListAt(m_driveCombo->itemData(driveIndex).toString());
    if (target != m_directory && QFileInfo(target).isDir()) {
        const QModelIndex index = m_model->index(target);
        m_directoryList->setCurrentIndex(index);
        m_directoryList->scrollTo(index);
    }
}

void TSelDirForm::PointListAt(const QString& drive)
{
    m_directoryList->setRootIndex(m_model->setRootPath(drive));
    m_directoryList->setCurrentIndex(QModelIndex());
    m_directory = drive;
}

void TSelDirForm::DriveComboBox1Change(int index)
{
    if (index >= 0)
        PointListAt(m_driveCombo->itemData(index).toString());
}

void TSelDirForm::DirectoryListCurrentChanged(const QModelIndex& current)
{
    if (current.isValid())
        m_directory = m_model->filePath(current);
}

void TSelDirForm::SelDirBtnClick()
{
    emit DirectoryChosen(m_directory);
    hide();
}
