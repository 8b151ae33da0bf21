#pragma once
#include <QString>

// The "mailto:" link for a new message: the recipient, then "?" and the parts that are
// given, joined by "&" (Subject, Body, CC, BCC, Attach in quotes). Nothing is escaped:
// blanks and other characters go into the link as they stand.
QString Mail_Link(const QString& Recipient, const QString& Subject, const QString& Body, const QString& CC,
                  const QString& BCC, const QString& Attach);
