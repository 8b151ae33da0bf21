#pragma once
// Web and mailto: addresses open in the user's default programs; programs start detached.
#include "platform/shell.h"

class QtShell : public Shell {
public:
    bool openUrl(const QString& url) override;
    bool startProgram(const QString& path, const QStringList& args = {}) override;
    // True for an existing executable file.
    bool programExists(const QString& path) override;
};
