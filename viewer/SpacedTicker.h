#pragma once

#include <qcustomplot.h>

// Ticks of a value axis that keep their labels apart however short the axis is: the step is the
// least readable one (1, 2, 2.5 or 5 times a power of ten) that puts them at least `spacing`
// pixels apart. QCustomPlot's own ticker aims at a count of ticks and may round the step down,
// which on a short axis crowds the labels into each other.
class SpacedTicker : public QCPAxisTicker {
public:
    // The axis is `pixels` long; ticks at least `spacing` pixels apart. False when both are as
    // they were.
    bool SetSpace(int pixels, int spacing);

protected:
    double getTickStep(const QCPRange& range) override;

private:
    int m_pixels = 0;
    int m_spacing = 0;
};
