#pragma once

#include "tests/connection/ConnectionRig.h"
#include "ui/DashBoardForm.h"

#include "defs/LiveValues.h"

#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class TKodraGauge;

// The main window with its message boxes answered by the test.
class TestDashBoard final : public TDashBoardForm {
public:
    using TDashBoardForm::TDashBoardForm;

    QStringList messages;
    QStringList confirmations; // "caption|text"
    bool confirmAnswer = true;
    // Given in turn before confirmAnswer decides.
    QList<ResetChoice> resetAnswers;

protected:
    void ShowMessage(const QString& text) override { messages << text; }
    ResetChoice AskReset(const QString& text, const QString& caption) override
    {
        confirmations << caption + QLatin1Char('|') + text;
        if (!resetAnswers.isEmpty())
            return resetAnswers.takeFirst();
        return confirmAnswer ? ResetChoice::Reset : ResetChoice::Cancel;
    }
};

// The main window over a session with a fake link to a scripted ECU, with its settings in a
// folder of its own; the session's timer does not run: the test ticks it.
struct DashboardRig {
    QTemporaryDir settingsDir;
    ScriptedEcu ecu;
    FakeLink* link = nullptr; // owned by the session
    std::unique_ptr<EcuSession> session;
    TestDashBoard* form = nullptr; // owned by the rig until TakeForm

    // Writes `iniText` as the settings file first, when given.
    explicit DashboardRig(const std::optional<std::string>& iniText = std::nullopt);
    // A second window over the same settings folder (the program started again).
    void Restart();
    void CloseWindow();
    // Hands the window to a new owner; the rig goes on driving it.
    std::unique_ptr<TestDashBoard> TakeForm() { return std::move(m_ownedForm); }

    const EcuConnection& Connection() const { return session->Connection(); }
    const EcuQueries& Queries() const { return session->Queries(); }

    void Tick(int count = 1);
    bool TickUntil(const std::function<bool()>& done, int limit = 2000);
    // Connects and polls until the ECU answering as `ecuId` is identified.
    void Identify(const std::string& ecuId);
    // Polls until the session's values are current (a whole sweep read since the identification).
    void PollUntilLive();
    // The cable goes and comes back: the ECU is identified again.
    void PullAndReplugCable();
    // Puts each byte at the address of its role for the identified ECU and polls until every
    // address has been read since.
    void PollRoles(const std::map<int, std::uint8_t>& rawByRole);

    TKodraGauge* Gauge(const char* name) const;
    QLabel* Label(const char* name) const;
    std::filesystem::path SettingsPath() const;
    // "bin" in settingsDir, as the program has it below its working directory.
    QString SettingsFolder() const { return settingsDir.filePath(QStringLiteral("bin")); }
    std::string SettingsText() const;

private:
    std::unique_ptr<TestDashBoard> m_ownedForm;
};

// The first known ECU for which `wanted` holds; empty when none does.
std::string FirstEcuWhere(const std::function<bool(const std::string&)>& wanted);
// Whether the ECU's row holds `role`.
bool HasRole(const std::string& ecuId, int role);
// A raw byte that gives, for `role` of the ECU, values for which `wanted` holds.
std::optional<std::uint8_t> RawWhere(const std::string& ecuId, int role,
    const std::function<bool(const LiveValues&)>& wanted, const LiveSettings& settings = {});
// The text colour of a label.
QColor TextColour(const QLabel* label);
