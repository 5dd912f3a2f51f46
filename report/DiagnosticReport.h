#pragma once

#include "logfile/LogReader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

class EcuSession;

// A record of the car as the session saw it, to keep or give to the customer: who made it and
// when, the cable, the ECU, its fault codes, status flags and every live value, and a log's
// figures and plots when there is one. Its texts are the windows' language where a translation
// is loaded, English otherwise.
struct DiagnosticReport {
    Q_DECLARE_TR_FUNCTIONS(DiagnosticReport)

public:
    struct Fault {
        QString code;
        QString description;
    };
    struct Flag {
        QString name;
        QString state;
    };
    struct Value {
        QString name;
        QString text;
        QString unit;
    };
    struct Channel {
        QString name;
        QString unit;
        QString min; // empty: the channel holds no value
        QString max;
        QString mean;
    };
    struct Log {
        QString name; // the file's name
        QString recorded; // when the recording started, as the file says it
        std::vector<Channel> channels;
        std::vector<LogMarker> markers;
        QImage plots; // null: none to show
    };

    QDateTime made;
    QString version;
    QString cable;
    QString port;
    QString connection; // where the numbers come from
    QString ecuId;
    QString support;
    QString fitted; // the kinds of load sensor, idle valve and EGR the ECU has
    bool valuesCurrent = false;
    std::vector<Fault> currentFaults;
    std::vector<Fault> storedFaults;
    std::vector<Flag> flags;
    std::vector<Value> values;
    std::optional<Log> log; // the log just recorded or shown in the log viewer
};

// The report of what `session` holds now, made at `made`.
DiagnosticReport ReportOfSession(const EcuSession& session, const QDateTime& made);

// A log's part of the report: each channel's figures over the whole log, and its markers.
DiagnosticReport::Log ReportLogOf(const QString& name, const LogContents& log);
