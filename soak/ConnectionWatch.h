#pragma once

#include "link/EcuConnection.h"
#include "port/InterfaceLink.h"

#include <memory>

// Stands between the connection and the link thread, and hears the session's reports, to count
// from outside what the connection does: every request it sends, every time the cable goes and
// comes back, every identification, and any data request made after a lost cable before the ECU
// has been identified again.
class ConnectionWatch final : public InterfaceLink {
public:
    explicit ConnectionWatch(std::unique_ptr<InterfaceLink> link)
        : m_link(std::move(link))
    {
    }

    // The connection watched, for its state at the moment the cable goes.
    void Watch(const EcuConnection& connection) { m_connection = &connection; }

    int OpenPort(const QString& baudText) override { return m_link->OpenPort(baudText); }
    int ClosePort() override { return m_link->ClosePort(); }
    bool IsPortOpen() const override { return m_link->IsPortOpen(); }
    QString GetStatusText() const override { return m_link->GetStatusText(); }
    int SendBytes(std::span<const std::uint8_t> bytes) override;
    int ReceiveBytes(ReceiveBuffer& buffer, std::uint8_t& count) override
    {
        return m_link->ReceiveBytes(buffer, count);
    }
    int SetBaudRate(const QString& baudText) override { return m_link->SetBaudRate(baudText); }
    void SetArrivalNotifier(std::function<void()> notify) override
    {
        m_link->SetArrivalNotifier(std::move(notify));
    }

    // The session's reports of the same names.
    void LinkStatusChanged(const QString& statusText);
    void EcuIdentified(const IdentifiedEcu& ecu);
    // After each tick of the session: only a tick finds the cable gone, so a loss is seen here.
    void Ticked();

    int RequestsSent() const { return m_requestsSent; }
    // The link reported the cable gone after having seen it.
    int CableGone() const { return m_cableGone; }
    // Of those, the times a request was still waiting for its reply: that exchange may be lost
    // with the cable, which the simulator cannot know.
    int GoneWithReplyAwaited() const { return m_goneWithReplyAwaited; }
    // The connection went from "Connected to ECU" to "Waiting to Connect".
    int Losses() const { return m_losses; }
    int Identifications() const { return m_identifications; }
    // Losses followed by a fresh identification.
    int Reidentified() const { return m_reidentified; }
    // Data requests sent between a loss and the identification after it.
    int DataBeforeReidentification() const { return m_dataBeforeReidentification; }
    bool AwaitingReidentification() const { return m_awaitingReidentification; }

private:
    const std::unique_ptr<InterfaceLink> m_link;
    const EcuConnection* m_connection = nullptr;
    bool m_cableSeen = false;
    bool m_waitingForCable = false;
    bool m_awaitingReidentification = false;
    int m_requestsSent = 0;
    int m_cableGone = 0;
    int m_losses = 0;
    int m_goneWithReplyAwaited = 0;
    int m_identifications = 0;
    int m_reidentified = 0;
    int m_dataBeforeReidentification = 0;
};
