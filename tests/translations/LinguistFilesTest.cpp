// The Linguist files against the sources: a text in the code that a file lacks, or one left
// unfinished there, fails the test run, so no window text lands untranslated.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct LinguistMessages {
    int total = 0;
    QStringList unfinished; // "context: source"
};

LinguistMessages ReadMessages(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    LinguistMessages messages;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages.total;
            const bool unfinished
                = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            if (unfinished || xml.readElementText().isEmpty())
                messages.unfinished << context + QStringLiteral(": ") + source;
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

TEST(LinguistFiles, EveryTextInTheCodeIsTranslatedInEveryLanguage)
{
    const QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QStringList tsFiles = QString::fromUtf8(DAZED_TS_FILES).split(QLatin1Char('|'));
    ASSERT_GE(tsFiles.size(), 2);
    for (const QString& tsFile : tsFiles) {
        // lupdate adds what the code has and the file lacks, marked unfinished; the copy keeps the
        // repository's file as it is.
        const QString copy = QDir(work.path()).filePath(QFileInfo(tsFile).fileName());
        ASSERT_TRUE(QFile::copy(tsFile, copy)) << tsFile.toStdString();
        QProcess lupdate;
        lupdate.start(QString::fromUtf8(DAZED_LUPDATE),
            QString::fromUtf8(DAZED_LUPDATE_ARGUMENTS).split(QLatin1Char('|'))
                + QStringList { QStringLiteral("-ts"), copy });
        ASSERT_TRUE(lupdate.waitForFinished(-1));
        ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

        const LinguistMessages messages = ReadMessages(copy);
        EXPECT_GT(messages.total, 0) << tsFile.toStdString();
        EXPECT_TRUE(messages.unfinished.isEmpty())
            << QFileInfo(tsFile).fileName().toStdString() << " lacks or leaves unfinished "
            << messages.unfinished.size() << " texts (cmake --build build --target update_translations, then "
            << "translate them):\n"
            << messages.unfinished.join(QLatin1Char('\n')).toStdString();
    }
}

} // namespace
