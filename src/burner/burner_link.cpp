#include "burner/burner_link.h"

void Burner_Link::commandStarts()
{
    readBackPending_ = false;
    downloadDoc_.clear();
}

void Burner_Link::downloadSent(QObject* doc)
{
    readBackPending_ = true;
    downloadDoc_ = doc;
}

QObject* Burner_Link::readBackDocument(QObject* active)
{
    QObject* doc = readBackPending_ ? downloadDoc_.data() : active;
    readBackPending_ = false;
    downloadDoc_.clear();
    return doc;
}

void Burner_Link::statusRequested(QObject* active) { statusFor_ = owner_ ? owner_.data() : active; }
