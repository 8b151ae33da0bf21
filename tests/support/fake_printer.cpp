#include "fake_printer.h"

#include <QStringList>
#include <cmath>
#include <stdexcept>

const FakePrinter::Line* FakePrinter::Log::find(const QString& part) const
{
    for (const Line& l : lines)
        if (l.text.contains(part))
            return &l;
    return nullptr;
}

QStringList FakePrinter::Log::texts() const
{
    QStringList out;
    for (const Line& l : lines)
        out << l.text;
    return out;
}

FakePrinter::FakePrinter() : FakePrinter(std::make_shared<Log>()) {}

FakePrinter::FakePrinter(std::shared_ptr<Log> l) : log(l ? std::move(l) : std::make_shared<Log>())
{
    ++log->printersCreated;
}

int FakePrinter::lineHeightFor(double points) { return static_cast<int>(std::lround(points * 20.0)); }

void FakePrinter::printLine(const QString& text)
{
    if (failAtLine >= 0 && log->lines.size() >= failAtLine)
        throw std::runtime_error("printer failure");
    log->lines << Line{text, x_, y_, size_, bold_, underline_, color_};
    ++log->linesSinceEndDoc;
    x_ = 0;
    y_ += lineHeightFor(size_);
}

void FakePrinter::endDoc()
{
    ++log->endDocCount;
    log->linesSinceEndDoc = 0;
}
