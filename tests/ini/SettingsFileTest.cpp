// The settings file on disk, with real files, folders, FIFOs and links in place of it.
#include "settings/SettingsFile.h"
#include "tests/support/FileBytes.h"
#include "tests/support/NobodyUser.h"
#include "tests/support/WarningsCaught.h"

#include <QStringList>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class TemporaryFolder {
public:
    TemporaryFolder()
        : m_path(fs::temp_directory_path()
            / ("settings_file_test_" + std::to_string(::getpid()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        fs::remove_all(m_path);
        fs::create_directories(m_path / "bin");
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    fs::path Bin(const char* name = "kodradash.ini") const { return m_path / "bin" / name; }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

void SetTop(IniFile& ini)
{
    ini.WriteInteger("Form", "Top", 80);
}

mode_t ModeOf(const fs::path& path)
{
    struct stat status { };
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode;
}

TEST(SettingsFileReading, AByteOrderMarkHidesNoSectionAndIsWrittenBack)
{
    TemporaryFolder folder;
    const std::string mark = "\xEF\xBB\xBF";
    WriteFileBytes(folder.Bin(), mark + "[Form]\r\nTop=70\r\n; kept\r\n[Comms]\r\nBaudRate=7812\r\n");
    SettingsFile file(folder.Bin());
    EXPECT_EQ(file.Read().ReadInteger("Form", "Top", 50), 70);
    ASSERT_FALSE(file.Update(SetTop));
    EXPECT_EQ(
        ReadFileBytes(folder.Bin()), mark + "[Form]\r\nTop=80\r\n; kept\r\n[Comms]\r\nBaudRate=7812\r\n");
}

// None of these may hang, be read into memory whole, or be replaced; each is said once.
TEST(SettingsFileReading, AFifoAFolderOrAHugeFileIsNotReadNorWrittenAndSaidOnce)
{
    TemporaryFolder folder;
    const fs::path fifo = folder.Bin("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const fs::path directory = folder.Bin("folder.ini");
    fs::create_directory(directory);
    const fs::path huge = folder.Bin("huge.ini");
    constexpr std::size_t TwentyMegabytes = 20 * 1024 * 1024;
    const std::string blankLines = "[Form]\nTop=70\n" + std::string(TwentyMegabytes, '\n');
    WriteFileBytes(huge, blankLines);

    for (const fs::path& path : { fifo, directory, huge }) {
        WarningsCaught warnings;
        SettingsFile file(path);
        EXPECT_EQ(file.Read().ReadInteger("Form", "Top", 50), 50) << path;
        EXPECT_TRUE(file.LeftAlone());
        EXPECT_FALSE(file.Update(SetTop)) << path;
        EXPECT_FALSE(file.Update(SetTop)) << path;
        ASSERT_EQ(WarningsCaught::Caught().size(), 1) << path;
        EXPECT_TRUE(WarningsCaught::Caught().front().contains(QString::fromStdString(path.string())));
    }
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_TRUE(fs::is_directory(directory) && fs::is_empty(directory));
    EXPECT_EQ(fs::file_size(huge), blankLines.size());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path() / "bin"), fs::directory_iterator()), 3);
}

TEST(SettingsFileWriting, ALinkPlantedAtATemporaryNameIsNotFollowed)
{
    TemporaryFolder folder;
    const fs::path victim = folder.Path() / "victim.txt";
    WriteFileBytes(victim, "precious\n");
    for (const char* suffix : { ".tmp", "~", ".new", ".bak", ".swp" })
        fs::create_symlink(victim, folder.Bin().string() + suffix);

    SettingsFile file(folder.Bin());
    ASSERT_FALSE(file.Update(SetTop));
    EXPECT_EQ(ReadFileBytes(victim), "precious\n");
    EXPECT_EQ(file.Read().ReadInteger("Form", "Top", 50), 80);
    EXPECT_FALSE(fs::is_symlink(folder.Bin()));
    EXPECT_EQ(fs::read_symlink(folder.Bin().string() + ".tmp"), victim);
}

TEST(SettingsFileWriting, ALinkKeepsPointingAtItsTargetWhichGetsTheNewText)
{
    TemporaryFolder folder;
    fs::create_directories(folder.Path() / "shared");
    const fs::path target = folder.Path() / "shared" / "dash.ini";
    WriteFileBytes(target, "; the workshop's\n[Form]\nTop=70\n");
    fs::create_symlink("../shared/dash.ini", folder.Bin());

    SettingsFile file(folder.Bin());
    EXPECT_EQ(file.Read().ReadInteger("Form", "Top", 50), 70);
    ASSERT_FALSE(file.Update(SetTop));
    ASSERT_TRUE(fs::is_symlink(folder.Bin()));
    EXPECT_EQ(fs::read_symlink(folder.Bin()), "../shared/dash.ini");
    EXPECT_EQ(ReadFileBytes(target), "; the workshop's\n[Form]\nTop=80\n");
}

TEST(SettingsFileWriting, TheFileKeepsItsModeAndOwner)
{
    TemporaryFolder folder;
    WriteFileBytes(folder.Bin(), "[Form]\nTop=70\n");
    fs::permissions(folder.Bin(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(folder.Bin().c_str(), NobodyId, NobodyId), 0);
    }

    SettingsFile file(folder.Bin());
    ASSERT_FALSE(file.Update(SetTop));
    EXPECT_EQ(ReadFileBytes(folder.Bin()), "[Form]\nTop=80\n");
    EXPECT_EQ(ModeOf(folder.Bin()) & 07777, 0640u);
    struct stat status { };
    ASSERT_EQ(::stat(folder.Bin().c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, root ? NobodyId : ::geteuid());
}

TEST(SettingsFileWriting, AReadOnlyFileIsLeftAsItIsAndSaidSoNamingIt)
{
    TemporaryFolder folder;
    WriteFileBytes(folder.Bin(), "[Form]\nTop=70\n");
    fs::permissions(folder.Bin(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    SettingsFile file(folder.Bin());
    const auto error = file.Update(SetTop);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(folder.Bin().string()), std::string::npos) << *error;
    EXPECT_NE(error->find("read-only"), std::string::npos) << *error;
    EXPECT_EQ(ReadFileBytes(folder.Bin()), "[Form]\nTop=70\n");
    EXPECT_EQ(ModeOf(folder.Bin()) & 07777, 0444u);
}

} // namespace
