#pragma once
#include <QString>

// The port number a stored "CommPort" text selects: the number the text starts with;
// anything above 4 (also "4.5") and anything that is not a port number 1-4 gives port 1.
int Comm_Port_From_Setting(const QString& text);
