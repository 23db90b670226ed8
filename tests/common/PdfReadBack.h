#pragma once
// Reading printed PDF files back with poppler's tools (pdftotext, pdfinfo):
// the page count, the document title and each page's text. A tool that is
// missing or fails is a test failure (reported by the functions), not a
// skip: printing is only tested this way.
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

// The number of pages; 0 when the file cannot be read.
int PdfPageCount(const QString& path);
// The document title pdfinfo shows.
QString PdfTitle(const QString& path);
// The text of one page (from 1), or of every page when page is 0, laid out
// as printed (pdftotext -layout).
QString PdfText(const QString& path, int page = 0);
// The words of the text in order, split at white space.
QStringList PdfWords(const QString& path, int page = 0);

// A printed word and its box in points, from the page's top-left corner.
struct PdfWordBox {
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};
// The words of one page (from 1) with their boxes (pdftotext -bbox); the
// page's size in points goes to *pageSize when given.
QList<PdfWordBox> PdfWordBoxes(const QString& path, int page, QSizeF* pageSize = nullptr);
