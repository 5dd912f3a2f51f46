#pragma once

#include "port/ByteRing.h"
#include "port/InterfaceLink.h"
#include "port/PortDriver.h"

#include <QMutex>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

// The one worker thread: finds the interface cable among the driver's ports, opens and
// closes it on request, and moves bytes between the cable and the two rings. The main thread
// reaches it only through the InterfaceLink calls, none of which waits for it.
class TD2xxThread final : public QThread, public InterfaceLink {
public:
    // Called once on the link thread: the driver is created, used and released there, since a
    // serial port must stay on the thread that made it.
    using DriverFactory = std::function<PortDriverPtr()>;

    // How often the ports are listed: often enough to notice a pulled cable before the
    // main window's next connection check, rarely enough to cost nothing.
    static constexpr std::chrono::milliseconds ScanInterval { 200 };
    // The longest the thread waits for received bytes before its next pass. Received bytes end
    // the wait at once, and so do bytes to send and every request of the main thread (the driver
    // is interrupted), so this only sets how often an idle open port costs a pass.
    static constexpr std::chrono::milliseconds PassWait { 50 };
    // The pause between passes while no port is open; an open request ends it at once.
    static constexpr std::chrono::milliseconds IdleWait { 50 };

    // Starts the thread at once, named "D2xxPort".
    explicit TD2xxThread(DriverFactory factory, QObject* parent = nullptr);
    // Stops and joins the thread, closing the port if it is open.
    ~TD2xxThread() override;

    int OpenPort(const QString& baudText) override;
    int ClosePort() override;
    bool IsPortOpen() const override;
    QString GetStatusText() const override;
    int SendBytes(std::span<const std::uint8_t> bytes) override;
    int ReceiveBytes(ReceiveBuffer& buffer, std::uint8_t& count) override;
    int SetBaudRate(const QString& baudText) override;

    // Why the last attempt to open the cable failed; empty text once an open succeeds.
    PortOpenError GetOpenError() const override;
    std::optional<OpenPortDetails> GetOpenPort() const override;
    void SetArrivalNotifier(std::function<void()> notify) override;

protected:
    void run() override;

private:
    // Where the cable is among the listed ports; nothing when it is not there.
    std::optional<PortListing> ScanDevices(PortDriver& driver);
    void OpenStep(PortDriver& driver);
    void CloseStep(PortDriver& driver);
    // One pass of receiving and transmitting; false when the cable failed.
    bool MoveBytes(PortDriver& driver);
    // Whether the receive ring has no room left; when so, the next Take wakes the thread.
    bool ReceiveRingFull();
    void LoseCable(PortDriver& driver);
    void Pause(std::chrono::milliseconds duration = IdleWait);
    // Ends a pause or a wait for received bytes at once (any thread).
    void WakeUp();
    void SetStatusText(const char* text);
    void SetOpenError(PortOpenError error);
    void SetOpenPort(std::optional<OpenPortDetails> details);

    const DriverFactory m_factory;

    // Link thread only.
    std::optional<PortListing> m_cable; // found by the last scan
    std::string m_openLocation; // of the port open now
    bool m_openCableListed = false;

    // Shared between the two threads.
    std::atomic<bool> m_openRequested { false };
    std::atomic<bool> m_closeRequested { false };
    std::atomic<bool> m_portOpen { false };
    std::atomic<bool> m_stopRequested { false };
    std::atomic<int> m_baudRate { 0 };
    std::atomic<int> m_newBaudRate { 0 }; // 0: no change asked for
    ByteRing m_rxRing;
    // The link thread waits for the main thread to take received bytes.
    std::atomic<bool> m_waitingForRoom { false };
    ByteRing m_txRing;

    mutable QMutex m_textMutex;
    QString m_statusText { QString::fromLatin1(NoInterface) };
    PortOpenError m_openError;
    std::optional<OpenPortDetails> m_openPort;

    std::mutex m_notifyMutex;
    std::function<void()> m_arrivalNotifier; // guarded by m_notifyMutex

    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    // The driver while the thread runs, for WakeUp from the main thread; guarded by m_wakeMutex.
    PortDriverPtr m_wakeableDriver;
    bool m_wakeRequested = false;
};
