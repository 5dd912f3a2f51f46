#include "app/AppOptions.h"

#include "capture/CaptureSummary.h"
#include "cmdline/OptionArgument.h"
#include "defs/WholeNumber.h"
#include "port/SerialPortCheck.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

constexpr std::string_view SimulateOption = "--simulate";
constexpr std::string_view SimulatorPrefix = "--sim-";

// "--name VALUE" or "--name=VALUE". `index` moves past what was taken. nullopt when args[index]
// is not this option; an empty value with `error` set when its value is missing.
std::optional<std::string> TakeValue(
    std::span<const std::string> args, std::size_t& index, std::string_view name, std::string& error)
{
    if (OptionName(args[index]) != name)
        return std::nullopt;
    const auto value = TakeOptionValue(args, index, name);
    if (!value) {
        error = std::string(name) + " needs a value";
        return std::string();
    }
    return std::string(*value);
}

class Parser {
public:
    explicit Parser(std::span<const std::string> args)
        : m_args(args)
    {
    }

    AppOptionsParse Run()
    {
        while (m_index < m_args.size() && m_result.Ok())
            TakeOne();
        if (m_result.Ok() && m_simulatorOptionSeen && m_result.options.cable != CableKind::Simulated)
            m_result.error = m_firstSimulatorOption + " needs --simulate";
        if (m_result.Ok() && m_result.options.replayTiming && m_result.options.cable != CableKind::Replay)
            m_result.error = "--replay-timing needs --replay";
        return m_result;
    }

private:
    void TakeOne()
    {
        AppOptions& o = m_result.options;
        std::string& error = m_result.error;
        const std::string& arg = m_args[m_index];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            ++m_index;
        } else if (arg == "--version") {
            o.version = true;
            ++m_index;
        } else if (OptionName(arg) == SimulateOption) {
            TakeSimulate(arg);
        } else if (arg.starts_with(SimulatorPrefix)) {
            const std::size_t at = m_index;
            if (TakeSimulatorOption(m_args, m_index, o.simulator, error)
                == SimOptionOutcome::NotSimulatorOption)
                error = "unknown option " + arg;
            else if (!m_simulatorOptionSeen) {
                m_simulatorOptionSeen = true;
                m_firstSimulatorOption = m_args[at];
            }
        } else if (const auto port = TakeValue(m_args, m_index, "--port", error)) {
            if (error.empty())
                error = NotSerialPortReason(*port);
            if (error.empty() && SetCable(CableKind::Port, "--port"))
                o.portPath = QString::fromStdString(*port);
        } else if (const auto replay = TakeValue(m_args, m_index, "--replay", error)) {
            if (error.empty())
                TakeReplay(*replay);
        } else if (arg == "--replay-timing") {
            o.replayTiming = true;
            ++m_index;
        } else if (const auto record = TakeValue(m_args, m_index, "--record", error)) {
            if (error.empty() && record->empty())
                error = "--record needs a file name";
            else if (error.empty())
                o.recordPath = QString::fromStdString(*record);
        } else if (const auto dir = TakeValue(m_args, m_index, "--settings-dir", error)) {
            if (error.empty())
                TakeSettingsDir(*dir);
        } else if (const auto file = TakeValue(m_args, m_index, "--screenshot", error)) {
            if (error.empty())
                o.screenshots.push_back(QString::fromStdString(*file));
        } else if (const auto after = TakeValue(m_args, m_index, "--screenshot-after", error)) {
            if (error.empty()) {
                const auto ms = ParseWholeNumber(*after);
                if (ms)
                    o.screenshotAfterMs = *ms;
                else
                    error = "--screenshot-after needs a whole number of milliseconds, not " + Quoted(*after);
            }
        } else if (const auto log = TakeValue(m_args, m_index, "--open-log", error)) {
            if (error.empty() && !QFileInfo(QString::fromStdString(*log)).isFile())
                error = "--open-log: " + Quoted(*log) + " is not a file";
            else if (error.empty())
                o.openLog = QString::fromStdString(*log);
        } else if (arg == "--start-logging") {
            o.startLogging = true;
            ++m_index;
        } else if (arg == "--startup-time") {
            o.reportStartup = true;
            ++m_index;
        } else {
            error = (arg.starts_with('-') ? "unknown option " : "unexpected argument ") + arg;
        }
    }

    void TakeSimulate(const std::string& arg)
    {
        if (!SetCable(CableKind::Simulated, "--simulate"))
            return;
        ++m_index;
        if (arg == SimulateOption)
            return;
        const std::string id = arg.substr(SimulateOption.size() + 1);
        if (const auto normal = NormalizedEcuId(id))
            m_result.options.simulatedEcuId = *normal;
        else
            m_result.error = "--simulate needs an ECU ID of four hexadecimal digits, not " + Quoted(id);
    }

    void TakeReplay(const std::string& path)
    {
        CaptureScan scan = ScanCaptureFile(path);
        if (!scan.source)
            m_result.error = "--replay: " + scan.error;
        else if (SetCable(CableKind::Replay, "--replay")) {
            m_result.options.replay = std::move(scan.source);
            m_result.options.replayPath = QString::fromStdString(path);
        }
    }

    void TakeSettingsDir(const std::string& dir)
    {
        const QString path = QString::fromStdString(dir);
        if (!QFileInfo(path).isDir())
            m_result.error = "--settings-dir: " + Quoted(dir) + " is not a directory";
        else
            m_result.options.settingsDir = QDir(path).absolutePath();
    }

    bool SetCable(CableKind cable, const char* option)
    {
        if (m_cableOption.empty()) {
            m_result.options.cable = cable;
            m_cableOption = option;
            return true;
        }
        m_result.error = std::string(option) + " cannot be used with " + m_cableOption;
        return false;
    }

    std::span<const std::string> m_args;
    std::size_t m_index = 0;
    AppOptionsParse m_result;
    std::string m_cableOption;
    bool m_simulatorOptionSeen = false;
    std::string m_firstSimulatorOption;
};

} // namespace

AppOptionsParse ParseAppOptions(std::span<const std::string> args)
{
    return Parser(args).Run();
}

std::string AppUsage()
{
    return "Usage: dazederir [OPTIONS]\n"
           "\n"
           "Where the ECU is (at most one; neither: search for the interface cable):\n"
           "  --simulate[=ID]        the built-in simulated cable and ECU (ID default 1103); connects at "
           "start\n"
           "  --port PATH            this serial port, taken as the interface cable\n"
           "  --replay FILE          a cable that answers as the capture FILE recorded; connects at start\n"
           "  --replay-timing        with --replay: keep the recorded delays\n"
           "\n"
           "Options:\n"
           "  --record FILE          record every byte on the line into the capture FILE\n"
           "  --settings-dir DIR     keep bin/kodradash.ini and bin/kodralog.ini under DIR\n"
           "                         instead of the working directory (installed: ~/.config/dazederir)\n"
           "  --start-logging        open the data logger and start recording at once\n"
           "  --open-log FILE        show a log in the log viewer\n"
           "  --help                 this text\n"
           "  --version              print the program's name and version\n"
           "\n"
           "Simulator options (with --simulate):\n"
           "  --sim-bytes A=V[,A=V...]  fix the byte at data address A to V\n"
           "  --sim-id-after N          answer the identification only at the Nth request\n"
           "  --sim-drop P, --sim-corrupt P, --sim-cut P, --sim-noise P\n"
           "                            drop, corrupt, cut or precede with noise each reply with probability "
           "P\n"
           "  --sim-reset-fails         the reset reply reports failure\n"
           "  --sim-unplug EVERY:FOR    pull the cable every EVERY seconds for FOR seconds\n"
           "  --sim-pace                send the ECU's bytes at the line speed\n"
           "  --sim-latency MS          hold the ECU's bytes as a USB serial chip does, up to MS ms\n"
           "  --sim-seed N              seed of the simulator's random choices\n"
           "\n"
           "Debugging:\n"
           "  --screenshot FILE      save a picture of the main window (repeatable: one a second apart),\n"
           "                         then quit (status 4 when a file cannot be written)\n"
           "  --screenshot-after MS  time of the first picture (default 2000)\n"
           "  --startup-time         print the milliseconds to the main window's first paint, then quit\n";
}
