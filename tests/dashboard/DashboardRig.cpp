#include "DashboardRig.h"

#include "controls/KodraGauge.h"
#include "defs/EcuConstants.h"
#include "defs/EcuIdentification.h"
#include "defs/RoleTable.h"
#include "tests/support/FileBytes.h"
#include "ui/DashboardSettings.h"

#include <gtest/gtest.h>

DashboardRig::DashboardRig(const std::optional<std::string>& iniText)
{
    if (iniText) {
        std::filesystem::create_directories(SettingsPath().parent_path());
        WriteFileBytes(SettingsPath(), *iniText);
    }
    Restart();
}

void DashboardRig::Restart()
{
    m_ownedForm.reset();
    session.reset();
    session = std::make_unique<EcuSession>(
        [this]() -> std::unique_ptr<InterfaceLink> {
            auto fake = std::make_unique<FakeLink>();
            fake->farEnd = &ecu;
            link = fake.get();
            return fake;
        },
        EcuSession::Ticking::ByCaller);
    m_ownedForm = std::make_unique<TestDashBoard>(*session, SettingsFolder());
    form = m_ownedForm.get();
}

void DashboardRig::CloseWindow()
{
    form->close();
}

void DashboardRig::Tick(int count)
{
    for (int i = 0; i < count; ++i) {
        link->Pass();
        session->Tick();
    }
}

bool DashboardRig::TickUntil(const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit && !done(); ++i)
        Tick();
    return done();
}

void DashboardRig::Identify(const std::string& ecuId)
{
    ecu.id = { static_cast<std::uint8_t>(std::stoi(ecuId.substr(0, 2), nullptr, 16)),
        static_cast<std::uint8_t>(std::stoi(ecuId.substr(2, 2), nullptr, 16)) };
    session->Connect();
    ASSERT_TRUE(TickUntil([&] { return Queries().GetEcuId() == ecuId && Connection().Connected(); }));
}

void DashboardRig::PollUntilLive()
{
    ASSERT_TRUE(TickUntil([&] { return session->State().stage == SessionStage::Live; }));
}

void DashboardRig::PullAndReplugCable()
{
    link->status = QString::fromLatin1(InterfaceLink::NoInterface);
    Tick();
    link->status = QString::fromLatin1(InterfaceLink::VadInterface);
}

void DashboardRig::PollRoles(const std::map<int, std::uint8_t>& rawByRole)
{
    const std::string id = Queries().GetEcuId();
    const int base = Connection().Range().Base();
    for (const auto& [role, raw] : rawByRole) {
        bool found = false;
        for (int offset = 0; offset < RoleOffsetCount; ++offset) {
            if (RoleAt(id, offset) == role) {
                ecu.memory[static_cast<std::size_t>(base + offset)] = raw;
                found = true;
            }
        }
        ASSERT_TRUE(found) << "ECU " << id << " has no role " << role;
    }
    // The sweep under way may have read some addresses before the change: wait for a whole new one.
    const int target = Connection().CompletedSweeps() + 2;
    ASSERT_TRUE(TickUntil([&] { return Connection().CompletedSweeps() >= target; }));
}

TKodraGauge* DashboardRig::Gauge(const char* name) const
{
    auto* gauge = form->findChild<TKodraGauge*>(QString::fromLatin1(name));
    EXPECT_NE(gauge, nullptr) << name;
    return gauge;
}

QLabel* DashboardRig::Label(const char* name) const
{
    auto* label = form->findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return label;
}

std::filesystem::path DashboardRig::SettingsPath() const
{
    return DashboardSettingsPath(SettingsFolder());
}

std::string DashboardRig::SettingsText() const
{
    return ReadFileBytes(SettingsPath());
}

std::string FirstEcuWhere(const std::function<bool(const std::string&)>& wanted)
{
    for (const std::string_view id : KnownEcuIds) {
        if (wanted(std::string(id)))
            return std::string(id);
    }
    return {};
}

bool HasRole(const std::string& ecuId, int role)
{
    for (int offset = 0; offset < RoleOffsetCount; ++offset) {
        if (RoleAt(ecuId, offset) == role)
            return true;
    }
    return false;
}

std::optional<std::uint8_t> RawWhere(const std::string& ecuId, int role,
    const std::function<bool(const LiveValues&)>& wanted, const LiveSettings& settings)
{
    const EcuConstantsRow& constants = ConstantsRowAt(EcuRowOf(ecuId));
    for (int raw = 0; raw <= 255; ++raw) {
        LiveValues values;
        ApplyRoleUpdate(values, role, static_cast<std::uint8_t>(raw), constants, settings);
        if (wanted(values))
            return static_cast<std::uint8_t>(raw);
    }
    return std::nullopt;
}

QColor TextColour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}
