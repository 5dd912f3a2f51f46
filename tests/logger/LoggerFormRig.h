#pragma once

#include "logfile/DataLog.h"
#include "logger/DataLoggerForm.h"
#include "logger/DataLoggerSettings.h"
#include "tests/support/FakeEcuQueries.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// The logger window with its message boxes recorded instead of shown.
class RecordingLoggerForm : public TDataLoggerForm {
public:
    using TDataLoggerForm::TDataLoggerForm;

    QStringList messages;
    QStringList questions;
    bool confirmAnswer = true;

protected:
    void ShowMessage(const QString& text) override { messages << text; }
    bool Confirm(const QString& text) override
    {
        questions << text;
        return confirmAnswer;
    }
};

// A logger window over settable live values, with its settings and log in temporary folders.
class LoggerFormRig {
public:
    LoggerFormRig() { Recreate(); }

    // Logs go to the temporary folder unless the settings' own "File Path" is wanted.
    void Recreate(bool intoLogDir = true)
    {
        form.reset();
        form = std::make_unique<RecordingLoggerForm>(ecu, SettingsFolder());
        if (intoLogDir)
            form->SetLogPath(logDir.path());
    }

    QComboBox& Combo(const QString& name) const { return *form->findChild<QComboBox*>(name); }
    QString LabelText(const QString& name) const { return form->findChild<QLabel*>(name)->text(); }
    std::filesystem::path LogFile() const
    {
        return std::filesystem::path(logDir.path().toStdString()) / DataLog::kLogFileName;
    }
    // "bin" in settingsDir, as the program has it below its working directory.
    QString SettingsFolder() const { return settingsDir.filePath(QStringLiteral("bin")); }
    std::filesystem::path SettingsFile() const { return DataLoggerSettingsFile(SettingsFolder()); }
    // Puts `text` in the settings file byte for byte, for the next Recreate to read.
    void WriteSettings(const std::string& text) const
    {
        std::filesystem::create_directories(SettingsFile().parent_path());
        WriteFileBytes(SettingsFile(), text);
        ASSERT_EQ(ReadFileBytes(SettingsFile()), text);
    }

    // Types into an editable combo box and finishes the edit, as Enter or leaving it does.
    void Type(const QString& comboName, const QString& text) const { TypeIntoCombo(Combo(comboName), text); }
    // Chooses an item from the drop-down list.
    void Choose(const QString& comboName, const QString& item) const
    {
        QComboBox& combo = Combo(comboName);
        const int index = combo.findText(item);
        combo.setCurrentIndex(index);
        emit combo.activated(index);
    }

    void PressStart() const { ClickButton(*form, QStringLiteral("DL_Start_Button")); }
    void PressStop() const { ClickButton(*form, QStringLiteral("DL_Stop_Button")); }
    // Sample ticks, as the running timer would give them.
    void Ticks(int count) const
    {
        for (int i = 0; i < count; ++i)
            TickTimer(*form, QStringLiteral("LogTimer1"));
    }

    QTemporaryDir settingsDir;
    QTemporaryDir logDir;
    FakeEcuQueries ecu;
    std::unique_ptr<RecordingLoggerForm> form;
};
