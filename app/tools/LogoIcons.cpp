// dazederir-logo-icons: draws the program's icon, the maker's logo, into a folder laid out as an
// icon theme: OUT/scalable/apps/NAME.svg and OUT/NxN/apps/NAME.png for each size asked for.
// Run by the build, so the installed icons always match the logo the main window shows.
//   dazederir-logo-icons OUT NAME SIZE...
#include "defs/WholeNumber.h"
#include "ui/MakerLogo.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <iostream>
#include <string>

namespace {

constexpr int BadUsageStatus = 2;
constexpr int FailedStatus = 1;
constexpr int LargestIconSide = 1024;
constexpr const char* Usage = "usage: dazederir-logo-icons OUT NAME SIZE...";

const QSize DesignSize { MakerLogoDesignSide, MakerLogoDesignSide };

// The folder `relative` below `out`, created when missing; empty when it cannot be.
QString IconFolder(const QString& out, const QString& relative)
{
    const QString folder = QDir(out).filePath(relative);
    return QDir().mkpath(folder) ? folder : QString();
}

bool WriteSvg(const QString& out, const QString& name)
{
    const QString folder = IconFolder(out, QStringLiteral("scalable/apps"));
    if (folder.isEmpty())
        return false;
    QSvgGenerator svg;
    svg.setFileName(QDir(folder).filePath(name + QStringLiteral(".svg")));
    svg.setSize(DesignSize);
    svg.setViewBox(QRect(QPoint(0, 0), DesignSize));
    svg.setTitle(name);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    PaintMakerLogo(painter, DesignSize);
    return painter.end();
}

bool WritePng(const QString& out, const QString& name, int side)
{
    const QString folder = IconFolder(out, QStringLiteral("%1x%1/apps").arg(side));
    if (folder.isEmpty())
        return false;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    // Drawn at the size its pens were made for, scaled, so every size has the same proportions.
    const qreal scale = qreal(side) / MakerLogoDesignSide;
    painter.scale(scale, scale);
    PaintMakerLogo(painter, DesignSize);
    painter.end();
    return image.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << Usage << std::endl;
        return BadUsageStatus;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    QGuiApplication application(argc, argv);
    if (!WriteSvg(out, name)) {
        std::cerr << "dazederir-logo-icons: cannot write the SVG icon under " << argv[1] << std::endl;
        return FailedStatus;
    }
    for (int i = 3; i < argc; ++i) {
        const auto side = ParseWholeNumber(argv[i]);
        if (!side || *side < 1 || *side > LargestIconSide) {
            std::cerr << "dazederir-logo-icons: " << argv[i] << " is not an icon size" << std::endl;
            return BadUsageStatus;
        }
        if (!WritePng(out, name, *side)) {
            std::cerr << "dazederir-logo-icons: cannot write the " << argv[i] << " pixel icon" << std::endl;
            return FailedStatus;
        }
    }
    return 0;
}
