#pragma once
// One running copy per user: the first copy listens for activation requests; a later copy
// finds it, asks it to come forward and ends.
#include <QObject>
#include <QString>
#include <functional>

class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when no other copy is running; this copy then becomes the one that is found.
    virtual bool tryBecomeFirst() = 0;
    // Asks the running copy to bring its main window forward.
    virtual bool activateRunningCopy() = 0;
    // Called in the first copy when a later copy asks for activation.
    virtual void setActivationHandler(std::function<void()> handler) = 0;
};
