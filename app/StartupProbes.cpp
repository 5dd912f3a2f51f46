#include "app/StartupProbes.h"

#include <QApplication>
#include <QEvent>
#include <QImageWriter>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// Watches every paint event for the first one that lands in the window; owned by the application.
class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget& window, QElapsedTimer started)
        : QObject(qApp)
        , m_window(&window)
        , m_started(started)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == m_window) {
            m_seen = true;
            // Reported once the paint has run: the event loop comes back here after it.
            QTimer::singleShot(0, this, [this] {
                std::printf("first paint after %lld ms\n", static_cast<long long>(m_started.elapsed()));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QElapsedTimer m_started;
    bool m_seen = false;
};

} // namespace

void ReportFirstPaint(QWidget& window, QElapsedTimer started)
{
    qApp->installEventFilter(new FirstPaintWatch(window, started));
}

void ScheduleScreenshots(QWidget& window, const std::vector<QString>& files, int afterMs, int spacingMs)
{
    const QPointer<QWidget> target(&window);
    int at = afterMs;
    for (std::size_t i = 0; i < files.size(); ++i, at += spacingMs) {
        const bool last = i + 1 == files.size();
        QTimer::singleShot(at, qApp, [target, file = files[i], last] {
            if (!target)
                return;
            QImageWriter writer(file);
            if (!writer.write(target->grab().toImage())) {
                // A script waiting for the picture must learn that there is none.
                std::fprintf(stderr, "dazederir: cannot write the screenshot %s: %s\n", qPrintable(file),
                    qPrintable(writer.errorString()));
                QCoreApplication::exit(ScreenshotFailedStatus);
            } else if (last) {
                QCoreApplication::quit();
            }
        });
    }
}
