#pragma once

#include "controls/ColorRef.h"
#include "controls/DialGeometry.h"
#include "controls/GaugeBands.h"
#include "controls/GaugeKinds.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>

class QPainter;

// A gauge showing one value of a range: a 270-degree dial with ticks, a two-colour needle,
// a title and a digital value box, or one of the simpler bar, pie and needle kinds.
// It never flickers: every change composes the whole picture off-screen, and painting only
// copies that finished picture to the screen.
class TKodraGauge : public QWidget {
    Q_OBJECT

public:
    explicit TKodraGauge(QWidget* owner = nullptr);

    int MinValue() const { return m_minValue; }
    int MaxValue() const { return m_maxValue; }
    int Progress() const { return m_progress; }
    TKodraGaugeKind Kind() const { return m_kind; }
    bool ShowText() const { return m_showText; }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    ColorRef ForeColor() const { return m_foreColor; }
    ColorRef BackColor() const { return m_backColor; }
    ColorRef NeedleColor1() const { return m_needleColor1; }
    ColorRef NeedleColor2() const { return m_needleColor2; }
    ColorRef BorderColor() const { return m_borderColor; }
    ColorRef LCDColor() const { return m_lcdColor; }
    int nTicks() const { return m_nTicks; }
    const QString& GTitle() const { return m_gTitle; }
    // The colour around a round face. While ParentColor is true it follows the parent's
    // background; setting Color turns ParentColor off.
    ColorRef Color() const { return m_color; }
    bool ParentColor() const { return m_parentColor; }

    // Each stores the value and recomposes the picture, only when the value differs.
    void SetTKodraGaugeKind(TKodraGaugeKind kind);
    void SetnTicks(int ticks);
    void SetGTitle(const QString& title);
    void SetShowText(bool show);
    void SetBorderStyle(TBorderStyle style);
    void SetForeColor(ColorRef color);
    void SetBackColor(ColorRef color);
    void SetNeedleColor1(ColorRef color);
    void SetNeedleColor2(ColorRef color);
    void SetBorderColor(ColorRef color);
    void SetLCDColor(ColorRef color);
    void SetColor(ColorRef color);
    void SetParentColor(bool follow);

    // The range setters ignore a bound past the other one, change nothing and warn with
    // qWarning; a maximum of 0 is ignored silently.
    void SetMinValue(int value);
    void SetMaxValue(int value);
    // Why a bound would be refused ("Value must be between %d and %d"); none when it fits.
    static std::optional<QString> MinValueProblem(int value, int maxValue);
    static std::optional<QString> MaxValueProblem(int value, int minValue);
    // Clamps to the range; recomposes only when the whole-number percentage moves.
    void SetProgress(int value);
    // Whether Progress is a current value. Without one the needle is drawn dimmed where it last
    // stood, the value box reads "--" and a bar or pie is left empty, so that an old value is
    // never taken for a live one.
    bool HasValue() const { return m_hasValue; }
    void SetHasValue(bool hasValue);
    // The 270-degree dial marks its bands on the scale, amber for warning and red for alarm.
    const GaugeBands& Bands() const { return m_bands; }
    void SetBands(const GaugeBands& bands);
    // The dial's value box turns amber or red while its current value is beyond a limit.
    GaugeAlert Alert() const { return m_alert; }
    void SetAlert(GaugeAlert alert);
    // Moves by delta (clamped) and always recomposes.
    void AddProgress(int delta);
    int GetPercentDone() const;

    // Composes the picture at once and schedules the widget's repaint.
    void Paint();

    // The last composed picture, and how many times one has been composed.
    const QImage& Picture() const { return m_picture; }
    int ComposeCount() const { return m_composeCount; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    template <typename T> void storeAndPaint(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Paint();
    }
    // Clamps and stores; true when the whole-number percentage moved.
    bool storeProgress(long long value);
    void compose();
    bool pictureFits() const;
    QColor surroundColor() const;
    // The percentage a bar or pie fills: none without a current value.
    int filledPercent() const;
    // A needle colour as drawn: dimmed toward the face without a current value.
    QColor needleColor(ColorRef color) const;

    // The paint routines, one per kind (KodraGaugePaint.cpp).
    static void PaintBackground(QImage& image);
    void PaintAsNothing(QPainter& painter, const EdgeBox& rect) const;
    void PaintAsBar(QPainter& painter, const EdgeBox& rect) const;
    void PaintAsPie(QPainter& painter, const EdgeBox& rect) const;
    void PaintAsNeedle(QPainter& painter, const EdgeBox& rect) const;
    void PaintAs270(QPainter& painter, const EdgeBox& rect) const;
    void paintDialBands(QPainter& painter, const DialGeometry& geometry) const;
    void paintDialValue(QPainter& painter, const DialGeometry& geometry) const;

    int m_minValue;
    int m_maxValue;
    int m_progress;
    TKodraGaugeKind m_kind;
    bool m_showText;
    TBorderStyle m_borderStyle;
    ColorRef m_foreColor;
    ColorRef m_backColor;
    ColorRef m_needleColor1;
    ColorRef m_needleColor2;
    ColorRef m_borderColor;
    ColorRef m_lcdColor;
    int m_nTicks;
    QString m_gTitle;
    ColorRef m_color;
    bool m_parentColor;
    bool m_hasValue = true;
    GaugeBands m_bands;
    GaugeAlert m_alert = GaugeAlert::None;

    QImage m_picture;
    int m_composeCount = 0;
};
