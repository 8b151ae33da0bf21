#include "shell/admin_password.h"

#include "platform/platform.h"
#include "platform/registry.h"
#include "shell/shell_texts.h"

QString PASS1_Value;
QString PASS2_Value;

void Reset_Password_Values()
{
    PASS1_Value.clear();
    PASS2_Value.clear();
}

bool Admin_Setup_Done(const QString& pass1)
{
    return pass1.left(kAdminPassword.size()) == kAdminPassword;
}

bool Login_Accepts(const QString& entry, const QString& pass2)
{
    const QString typed = entry.toUpper();
    return typed == kAdminPassword || typed == pass2.toUpper();
}

int Registry_String_Length(const QString& text)
{
    return static_cast<int>(text.toUtf8().size()) + 1;
}

std::optional<QString> Read_History_String(const QString& name)
{
    Registry* reg = platform().registry;
    if (!reg) return std::nullopt;
    const std::optional<QString> value = reg->readValue(Registry::CurrentUser, kHistoryKey, name);
    if (!value || Registry_String_Length(*value) < 3) {
        reg->writeValue(Registry::CurrentUser, kHistoryKey, name, QString());
        return std::nullopt;
    }
    return value;
}

bool Password_Long_Enough(const QString& password)
{
    return password.size() >= 2;
}

bool Store_Password(const QString& password)
{
    Registry* reg = platform().registry;
    if (!reg) return false;
    reg->createKey(Registry::CurrentUser, kProgramKey);
    reg->createKey(Registry::CurrentUser, kSettingsKey);
    reg->createKey(Registry::CurrentUser, kHistoryKey);
    const bool marker = reg->writeValue(Registry::CurrentUser, kHistoryKey, QStringLiteral("PASS1"), kAdminPassword);
    const bool stored = reg->writeValue(Registry::CurrentUser, kHistoryKey, QStringLiteral("PASS2"), password);
    return marker && stored;
}
