#include "shell/mail_link.h"

QString Mail_Link(const QString& Recipient, const QString& Subject, const QString& Body, const QString& CC,
                  const QString& BCC, const QString& Attach)
{
    QString params;
    if (!Subject.isEmpty()) params += QStringLiteral("&Subject=") + Subject;
    if (!Body.isEmpty()) params += QStringLiteral("&Body=") + Body;
    if (!CC.isEmpty()) params += QStringLiteral("&CC=") + CC;
    if (!BCC.isEmpty()) params += QStringLiteral("&BCC=") + BCC;
    if (!Attach.isEmpty()) params += QStringLiteral("&Attach=\"") + Attach + QLatin1Char('"');
    if (!params.isEmpty()) params[0] = QLatin1Char('?');
    return QStringLiteral("mailto:") + Recipient + params;
}
