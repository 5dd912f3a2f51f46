#pragma once

#include "controls/BandRing.h"
#include "controls/ColorRef.h"
#include "controls/DialGeometry.h"

#include <QImage>
#include <QWidget>
#include <cstdint>

class QPainter;

enum TGraphKind : std::uint8_t {
    pgBar = 0,
    pgLine = 1,
};

// A scrolling strip chart. The owner adds the newest point of each series with DataPoint and
// then calls Update: the picture moves left by StepSize pixels and the new column is drawn at
// the right edge. Scale, the value drawn at full height, follows the largest value in the
// history, rounded up to a multiple of Gradient; a new scale redraws the chart from history.
// The history holds as many bands as the chart is wide, so a redraw shows the whole chart.
class TPerformanceGraph : public QWidget {
    Q_OBJECT

public:
    explicit TPerformanceGraph(QWidget* owner = nullptr);

    TGraphKind Kind() const { return m_kind; }
    ColorRef ForeColor() const { return m_foreColor; }
    ColorRef BackColor() const { return m_backColor; }
    int GridSize() const { return m_gridSize; }
    int StepSize() const { return m_stepSize; }
    int Scale() const { return m_scale; }
    int Gradient() const { return m_gradient; }
    bool Gridlines() const { return m_gridlines; }
    int PenWidth() const { return m_penWidth; }
    // Distance from the right edge to where the next vertical grid line will scroll in.
    int GridPhase() const { return m_gridPhase; }

    // Each does nothing for an unchanged value, else stores it and redraws from history.
    void SetGraphKind(TGraphKind kind);
    void SetForeColor(ColorRef color);
    void SetBackColor(ColorRef color);
    void SetGridSize(int size); // at least 2
    void SetStepSize(int size); // at least 1; rebuilds the history for the new band count
    void SetScale(int scale); // rounded up to a multiple of Gradient; emits OnScaleChange
    void SetGradient(int gradient);
    void SetGridlines(bool show);
    void SetPenWidth(int width); // the pen of the widget surface; the chart lines stay 1 pixel

    // Adds a point to the newest band. A 17th point is ignored with a qWarning: the chart is
    // fed from timer slots, where an exception would end the program.
    void DataPoint(ColorRef color, int value);
    // Scrolls one step, draws the band just completed, starts a new one and rescales.
    void Update();
    // Redraws the whole picture from the history and schedules the widget's repaint.
    void Replay();
    // Forgets every point: the chart starts empty, as at a new run or a new channel.
    void Clear();
    // Schedules a repaint, first rebuilding history and picture if the size has changed.
    void Paint();

    static int RoundUp(int value, int multiple);

    int GetBandCount() const;
    int BandSlots() const { return m_bands.BandSlots(); }
    int CurrentBand() const { return m_bands.CurrentBand(); }
    int OldestBand() const { return m_bands.OldestBand(); }
    int FirstY() const { return m_bands.FirstY(); }
    int NextY(int band) const { return m_bands.NextY(band); }
    int LastY(int band) const { return m_bands.LastY(band); }
    const BandRing& Bands() const { return m_bands; }
    const QImage& GraphBitmap() const { return m_graphBitmap; }

signals:
    void OnScaleChange(TPerformanceGraph* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    template <typename T> void storeAndReplay(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Replay();
    }
    bool hasColumns() const { return GetBandCount() > 0; }
    bool bitmapFits() const;
    void syncToSize();
    void ReallocHistory();
    void rebuildPicture();
    void Initialize(int gridOffset);
    void ScrollGraph();
    void scrollBitmap();
    void DisplayPoints(QPainter& painter, int band);
    void PaintBar(QPainter& painter, ColorRef color, long long base, long long height);
    void PaintLine(QPainter& painter, ColorRef color, int from, int to);
    int pixelHeight(double value) const;

    TGraphKind m_kind;
    ColorRef m_foreColor;
    ColorRef m_backColor;
    int m_gridSize;
    int m_stepSize;
    int m_scale;
    int m_gradient;
    bool m_gridlines;
    int m_penWidth;

    BandRing m_bands;
    QImage m_graphBitmap;
    EdgeBox m_newColumn;
    int m_gridPhase = 0;
};
