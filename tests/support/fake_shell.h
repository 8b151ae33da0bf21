#pragma once
// Records the addresses opened and the programs started; answers from settings.
#include "platform/shell.h"

#include <QList>
#include <QSet>

class FakeShell : public Shell {
public:
    struct Start {
        QString path;
        QStringList args;
    };

    bool openUrl(const QString& url) override
    {
        urls << url;
        return openUrlResult;
    }
    bool startProgram(const QString& path, const QStringList& args = {}) override
    {
        starts << Start{path, args};
        return startResult;
    }
    bool programExists(const QString& path) override
    {
        existsQueries << path;
        return existingPrograms.contains(path);
    }

    bool openUrlResult = true;
    bool startResult = true;
    QSet<QString> existingPrograms;

    QStringList urls;
    QList<Start> starts;
    QStringList existsQueries;
};
