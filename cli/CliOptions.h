#pragma once

#include "capture/CaptureReader.h"
#include "defs/LiveValues.h"
#include "link/EcuConnection.h"
#include "sim/CableKind.h"
#include "sim/SimulatorOptions.h"

#include <QString>

#include <chrono>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The command line of dazederir-cli, checked: every value here is one the tool can use.
struct CliOptions {
    CableKind source = CableKind::Search;
    std::string simulateId = "1103";
    std::string portPath;
    std::shared_ptr<const CaptureSource> replay; // read when the options were
    std::string replayPath; // the file it was read from
    bool replayTiming = false; // keep the recorded delays
    std::string recordPath; // empty: no recording
    QString baudText = QString::fromLatin1(EcuConnection::DefaultBaudText);
    QString sampleRateText = QString::number(EcuConnection::DefaultSampleRate);
    std::string tempUnits = LiveSettings {}.temperatureUnit;
    std::string speedUnits = LiveSettings {}.speedUnit;
    std::string idleGauge = LiveSettings {}.idleGaugeMode;
    int injectorFlow = LiveSettings {}.injectorFlow;
    double timeoutSeconds = 10.0;
    EcuConnection::PollMode pollMode = EcuConnection::PollMode::Tick;
    bool gatherReads = false;
    std::chrono::microseconds pollGap = FastPollSchedule::DefaultGap;
    bool json = false;
    bool helpWanted = false;
    bool versionWanted = false;
    SimulatorSettings simulator;
    std::string command;
    // What follows the command and is not one of the options above, in order.
    std::vector<std::string> commandArgs;
};

struct CliParse {
    CliOptions options;
    std::string error; // one line naming the bad input; empty when all was good
};

CliParse ParseCliArguments(std::span<const std::string> args);

// A whole number from `min` to `max` written with decimal digits only; false otherwise.
bool ParseWholeNumber(std::string_view text, int min, int max, int& value);

inline constexpr const char* CliUsage
    = "usage: dazederir-cli [OPTIONS] COMMAND [COMMAND OPTIONS]\n"
      "where: --simulate[=ID] | --port PATH | --replay FILE [--replay-timing]\n"
      "       (none: search for the interface cable)\n"
      "options: --baud N  --sample-rate MS  --temp-units C|F  --speed-units MPH|KPH\n"
      "         --idle-gauge IAC|MPG  --inj-flow N  --timeout S  --record FILE  --json  --version\n"
      "         --poll tick|fast  --gather-reads  --poll-gap MS\n"
      "simulator: --sim-bytes A=V[,A=V...]  --sim-id-after N  --sim-drop P  --sim-corrupt P  --sim-cut P\n"
      "           --sim-noise P  --sim-reset-fails  --sim-unplug EVERY:FOR  --sim-pace  --sim-seed N\n"
      "           --sim-latency MS\n"
      "commands: identify [--verbose] | ecus | values [--sweeps N] | raw [--sweeps N]\n"
      "          faults [--sweeps N] | status [--sweeps N] | report --out FILE [--sweeps N] | reset\n"
      "          actuator N [V | --command TEXT]\n"
      "          log --channels C1,C2,C3,C4 [--all-values] [--time-base S|fast] [--samples N] [--out FILE]\n"
      "              [--start-when COND] [--stop-when COND] [--stop-delay S] [--pre-trigger S]\n"
      "              (COND: NAME>VALUE or NAME<VALUE, NAME one of the four channels)\n"
      "          recover [DIR] | capinfo FILE | logstat FILE | convert FILE --to msl [--out FILE]\n";
