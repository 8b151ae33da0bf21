#include "support/pdf_words.h"

#include <QProcess>
#include <QRegularExpression>

QList<Pdf_Word> Pdf_Words(const QString& pdf)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression re(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">([^<]*)</word>)re");
    QList<Pdf_Word> words;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words << Pdf_Word{m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                          m.captured(4).toDouble()};
    }
    return words;
}

const Pdf_Word* Find_Pdf_Word(const QList<Pdf_Word>& words, const QString& text)
{
    for (const Pdf_Word& w : words)
        if (w.text == text) return &w;
    return nullptr;
}
