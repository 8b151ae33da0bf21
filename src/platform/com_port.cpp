#include "platform/com_port.h"

#include <QFileInfo>

QString comPortDevice(int n, const QString& devDir)
{
    if (n < 1)
        return QString();
    const QByteArray var = "MORROWBURN_COM" + QByteArray::number(n);
    const QString fromEnv = qEnvironmentVariable(var.constData());
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString usb = devDir + QStringLiteral("/ttyUSB") + QString::number(n - 1);
    if (QFileInfo::exists(usb))
        return usb;
    return devDir + QStringLiteral("/ttyS") + QString::number(n - 1);
}

QString comPortDevice(int n)
{
    return comPortDevice(n, QStringLiteral("/dev"));
}
