#pragma once
// The words of a PDF with their boxes in points, as poppler's `pdftotext -bbox` reads them.
#include <QList>
#include <QString>

struct Pdf_Word {
    QString text;
    double xMin, yMin, xMax, yMax;
};

// Every word of the file in reading order; empty when the tool fails or is missing.
QList<Pdf_Word> Pdf_Words(const QString& pdf);
// The first word with exactly this text, or nullptr.
const Pdf_Word* Find_Pdf_Word(const QList<Pdf_Word>& words, const QString& text);
