#pragma once

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPageLayout>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPaintDevice;

namespace report
{

// A laid-out report: pages of positioned texts, lines and pictures in layout
// dots (see Units.h). It is drawn the same way on the preview, a printer and
// a PDF file.
class Document
{
public:
    struct TextRun {
        QPointF baseline; // left end of the base line
        QString text;
        int font = 0;
    };
    struct Line {
        QLineF line;
        double width = 0;
    };
    struct Picture {
        QRectF rect;
        QImage image;
    };
    struct Page {
        std::vector<TextRun> texts;
        std::vector<Line> lines;
        std::vector<Picture> pictures;

        // Adds the items of `other`, moved down by dy.
        void append(const Page &other, double dy);
    };

    QString title;
    QPageLayout layout; // paper and orientation; no margins
    std::vector<QFont> fonts;
    std::vector<Page> pages;

    int pageCount() const { return int(pages.size()); }
    // Draws one page on a painter that is open on a page of the device, with
    // the paper's top left corner at the device's origin.
    void paintPage(int index, QPainter &painter, const QPaintDevice &device) const;
    // The texts of a page, one line of text per base line, top to bottom.
    QString pageText(int index) const;
};

} // namespace report
