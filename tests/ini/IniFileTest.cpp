#include "ini/IniFile.h"
#include "settings/SettingsFile.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class TemporaryFolder {
public:
    TemporaryFolder()
        : m_path(std::filesystem::temp_directory_path()
            / ("ini_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

TEST(IniFileReading, AcceptsWhatOtherProgramsWrite)
{
    const IniFile file = IniFile::FromText("; written by hand\r\n"
                                           "[Comms]\r\n"
                                           "  BaudRate = 7812 \r\n"
                                           "# another comment\r\n"
                                           "samplerate=250\r\n"
                                           "[File]\r\n"
                                           "File Path=\"/home/tech/logs\"\r\n"
                                           "[form]\r\n"
                                           "InitMax=1\r\n");
    EXPECT_EQ(file.ReadInteger("Comms", "BaudRate", 15625), 7812);
    EXPECT_EQ(file.ReadInteger("Comms", "SampleRate", 100), 250);
    EXPECT_EQ(file.ReadString("File", "File Path", "C://"), "/home/tech/logs");
    EXPECT_TRUE(file.ReadBool("Form", "InitMax", false));
    EXPECT_EQ(file.ReadInteger("Form", "Top", 50), 50);
    EXPECT_EQ(file.ReadString("Display", "TempUnits", "C"), "C");
}

TEST(IniFileReading, KeysOnlyCountInTheirOwnSection)
{
    const IniFile file = IniFile::FromText("[Form]\nTop=7\n[Log]\nCh1=RPM\n");
    EXPECT_EQ(file.ReadInteger("Log", "Top", 50), 50);
    EXPECT_EQ(file.ReadString("Form", "Ch1", "MAP"), "MAP");
    EXPECT_FALSE(file.Value("Missing", "Top"));
}

TEST(IniFileReading, BadNumbersFallBackToTheDefault)
{
    const IniFile file
        = IniFile::FromText("[Comms]\n"
                            "A=abc\nB=12abc\nC=99999999999\nD=\nE=-40\nF=+7\nG=0x1F\nH=\x01\xff\n");
    EXPECT_EQ(file.ReadInteger("Comms", "A", 100), 100);
    EXPECT_EQ(file.ReadInteger("Comms", "B", 100), 100);
    EXPECT_EQ(file.ReadInteger("Comms", "C", 100), 100);
    EXPECT_EQ(file.ReadInteger("Comms", "D", 100), 100);
    EXPECT_EQ(file.ReadInteger("Comms", "E", 100), -40);
    EXPECT_EQ(file.ReadInteger("Comms", "F", 100), 7);
    EXPECT_EQ(file.ReadInteger("Comms", "G", 100), 100);
    EXPECT_EQ(file.ReadInteger("Comms", "H", 100), 100);
}

TEST(IniFileReading, GarbageAndBinaryBytesNeitherCrashNorInventKeys)
{
    std::string garbage = "\x00\xff[\n]]==\n[=]\n=value\n[Comms\nBaudRate=1\n";
    garbage[0] = '\0';
    const IniFile file = IniFile::FromText(garbage);
    EXPECT_FALSE(file.Value("Comms", "BaudRate"));
    EXPECT_EQ(file.Text(), garbage);
}

TEST(IniFileWriting, NewFileHasPlainSectionsAndKeysAsWritten)
{
    IniFile file;
    file.WriteInteger("Form", "Top", 50);
    file.WriteBool("Form", "InitMax", false);
    file.WriteString("File", "File Path", "C://");
    file.WriteBool("File", "Flag", true);
    EXPECT_EQ(file.Text(), "[Form]\nTop=50\nInitMax=0\n\n[File]\nFile Path=C://\nFlag=1\n");
}

TEST(IniFileWriting, ChangesOnlyTheLinesOfTheKeysWritten)
{
    const std::string original
        = "; keep me\r\n[Comms]\r\nbaudrate = 7812\r\nOther=x\r\n\r\n[Display]\r\nTempUnits=C\r\n";
    IniFile file = IniFile::FromText(original);
    EXPECT_EQ(file.Text(), original);

    file.WriteString("Comms", "BaudRate", "15625");
    file.WriteInteger("Comms", "SampleRate", 200);
    file.WriteString("Display", "TempUnits", "F");
    EXPECT_EQ(file.Text(),
        "; keep "
        "me\r\n[Comms]\r\nbaudrate=15625\r\nOther=x\r\nSampleRate=200\r\n\r\n[Display]\r\nTempUnits=F\r\n");
}

TEST(IniFileWriting, MixedAndMissingLineEndsSurviveAndNewLinesFollowTheFile)
{
    const std::string original = "[Form]\r\nTop=1\nLeft=2\r";
    IniFile file = IniFile::FromText(original);
    EXPECT_EQ(file.Text(), original);
    EXPECT_EQ(file.ReadInteger("Form", "Left", 50), 2);

    file.WriteInteger("Form", "InitMax", 1);
    EXPECT_EQ(file.Text(), "[Form]\r\nTop=1\nLeft=2\r\r\nInitMax=1\r\n");
}

TEST(IniFileWriting, LineBreaksInAValueCannotCreateKeys)
{
    IniFile file;
    file.WriteString("File", "File Path", "/tmp/a\n[Comms]\nBaudRate=1");
    EXPECT_FALSE(file.Value("Comms", "BaudRate"));
    EXPECT_EQ(file.ReadString("File", "File Path", ""), "/tmp/a [Comms] BaudRate=1");
}

TEST(IniFileSaving, CreatesTheFolderAndRoundTripsByteForByte)
{
    TemporaryFolder folder;
    SettingsFile file(folder.Path() / "bin" / "kodradash.ini");
    ASSERT_FALSE(file.Update([](IniFile& ini) {
        ini.WriteInteger("Form", "Top", 120);
        ini.WriteString("Display", "SpeedUnits", "KPH");
    }));

    const std::string written = ReadFileBytes(file.Path());
    EXPECT_EQ(file.Read().ReadInteger("Form", "Top", 50), 120);
    ASSERT_FALSE(file.Update([](IniFile&) {}));
    EXPECT_EQ(ReadFileBytes(file.Path()), written);
    // Nothing is left beside it.
    const auto entries = std::distance(
        std::filesystem::directory_iterator(folder.Path() / "bin"), std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);
}

TEST(IniFileSaving, FailedWriteIsReportedAndTheOldFileKept)
{
    TemporaryFolder folder;
    // Room for the name but not for a temporary name made from it: the write fails, even for root.
    constexpr std::size_t LongestFileName = 255;
    const std::string name
        = std::string(LongestFileName - 3 - std::string("kodralog.ini").size(), 'k') + "kodralog.ini";
    const auto path = folder.Path() / name;
    WriteFileBytes(path, "[Log]\nCh1=RPM\n");
    SettingsFile file(path);
    const auto error = file.Update([](IniFile& ini) { ini.WriteString("Log", "Ch1", "MAP"); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->find(path.string()), std::string::npos) << *error;
    EXPECT_EQ(ReadFileBytes(path), "[Log]\nCh1=RPM\n");
}

TEST(IniFileSaving, FileInPlaceOfTheFolderIsReported)
{
    TemporaryFolder folder;
    WriteFileBytes(folder.Path() / "bin", "not a folder");
    SettingsFile file(folder.Path() / "bin" / "kodradash.ini");
    const auto error = file.Update([](IniFile& ini) { ini.WriteInteger("Form", "Top", 1); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("bin"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(folder.Path() / "bin"), "not a folder");
}

TEST(IniFileLoading, MissingFileIsEmptyAndWillBeWritten)
{
    SettingsFile file("/nonexistent/folder/kodradash.ini");
    EXPECT_EQ(file.Read().Text(), "");
    EXPECT_FALSE(file.LeftAlone());
}

} // namespace
