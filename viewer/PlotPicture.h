#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <vector>

// A picture of plots to send to someone: a caption (the log's name and dates) above them and the
// table of figures below, drawn and kept again as the PNG's text ("Title", "Creation Time",
// "Description") so that a program can read them.
struct PlotPicture {
    QString title; // the log's file name
    QString caption; // what the line above the plots says
    QString created; // when the picture was made, ISO 8601
    QStringList headings; // of the table of figures
    std::vector<QStringList> rows;
    QString description; // the caption and the table as text

    QImage Compose(const QPixmap& plots) const;
};
