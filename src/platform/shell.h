#pragma once
#include <QString>
#include <QStringList>

// Opening web and mailto: addresses with the user's programs, and starting programs.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openUrl(const QString& url) = 0;
    virtual bool startProgram(const QString& path, const QStringList& args = {}) = 0;
    virtual bool programExists(const QString& path) = 0;
};
