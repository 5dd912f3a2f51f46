#include "viewer/PlotPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kCellPadding = 6;
const QColor kPaper(Qt::white);
const QColor kInk(Qt::black);
const QColor kRule(190, 190, 190);

} // namespace

QImage PlotPicture::Compose(const QPixmap& plots) const
{
    const QFont font;
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.height() + kCellPadding;
    const int columns = static_cast<int>(headings.size());
    std::vector<int> widths(static_cast<std::size_t>(columns));
    for (int column = 0; column < columns; ++column) {
        int widest = metrics.horizontalAdvance(headings[column]);
        for (const QStringList& row : rows)
            widest = std::max(widest, metrics.horizontalAdvance(row.value(column)));
        widths[static_cast<std::size_t>(column)] = widest + 2 * kCellPadding;
    }
    int tableWidth = 0;
    for (const int width : widths)
        tableWidth += width;
    const int plotsWidth = static_cast<int>(plots.width() / plots.devicePixelRatio());
    const int plotsHeight = static_cast<int>(plots.height() / plots.devicePixelRatio());
    const int width = std::max({ plotsWidth, tableWidth, metrics.horizontalAdvance(caption) }) + 2 * kMargin;
    const int tableTop = kMargin + lineHeight + plotsHeight + kMargin;
    const int height = tableTop + lineHeight * (1 + static_cast<int>(rows.size())) + kMargin;

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(kInk);
    painter.drawText(
        QRect(kMargin, kMargin, width - 2 * kMargin, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, caption);
    painter.drawPixmap(QRect(kMargin, kMargin + lineHeight, plotsWidth, plotsHeight), plots);
    const auto drawRow = [&](int top, const QStringList& cells) {
        int left = kMargin;
        for (int column = 0; column < columns; ++column) {
            const int cellWidth = widths[static_cast<std::size_t>(column)];
            const QRect cell(left, top, cellWidth, lineHeight);
            painter.setPen(kRule);
            painter.drawRect(cell);
            painter.setPen(kInk);
            painter.drawText(cell.adjusted(kCellPadding, 0, -kCellPadding, 0),
                Qt::AlignLeft | Qt::AlignVCenter, cells.value(column));
            left += cellWidth;
        }
    };
    drawRow(tableTop, headings);
    for (std::size_t row = 0; row < rows.size(); ++row)
        drawRow(tableTop + lineHeight * (1 + static_cast<int>(row)), rows[row]);
    painter.end();

    image.setText(QStringLiteral("Title"), title);
    image.setText(QStringLiteral("Creation Time"), created);
    image.setText(QStringLiteral("Description"), description);
    return image;
}
