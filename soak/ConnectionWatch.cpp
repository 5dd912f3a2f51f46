#include "soak/ConnectionWatch.h"

int ConnectionWatch::SendBytes(std::span<const std::uint8_t> bytes)
{
    ++m_requestsSent;
    // The identification reply sets Connected at once; its notification follows the tick, after a
    // data request of the same tick may have gone out.
    if (m_awaitingReidentification && !bytes.empty() && bytes.front() == etReadData
        && !(m_connection && m_connection->Connected()))
        ++m_dataBeforeReidentification;
    return m_link->SendBytes(bytes);
}

void ConnectionWatch::LinkStatusChanged(const QString& statusText)
{
    const bool cablePresent = statusText == QLatin1String(VadInterface);
    if (m_cableSeen && !cablePresent) {
        ++m_cableGone;
        if (m_connection && m_connection->Receiver().AwaitingReply())
            ++m_goneWithReplyAwaited;
    }
    m_cableSeen = cablePresent;
}

void ConnectionWatch::Ticked()
{
    const bool waiting = m_connection && m_connection->WaitingForCable();
    if (waiting && !m_waitingForCable) {
        ++m_losses;
        m_awaitingReidentification = true;
    }
    m_waitingForCable = waiting;
}

void ConnectionWatch::EcuIdentified(const IdentifiedEcu&)
{
    ++m_identifications;
    if (m_awaitingReidentification)
        ++m_reidentified;
    m_awaitingReidentification = false;
}
