#include "platform/qt/qt_registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kOrganisation = QStringLiteral("Velmondra inc.");
const QString kApplication = QStringLiteral("Morrowburn");
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QStringList keyParts(const QString& key)
{
    QString k = key;
    while (k.startsWith(QLatin1Char('\\')))
        k.remove(0, 1);
    while (k.endsWith(QLatin1Char('\\')))
        k.chop(1);
    return k.isEmpty() ? QStringList() : k.split(QLatin1Char('\\'));
}

bool validName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// The existing entry spelled like `name` apart from case, else `name` itself.
QString matchCase(const QStringList& existing, const QString& name)
{
    for (const QString& e : existing)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return name;
}

// Enters the groups of `path`, each spelled as already stored when it exists.
// Returns false when a group is missing and `mustExist` is set.
bool enterGroups(QSettings& s, const QStringList& path, bool mustExist)
{
    for (const QString& part : path) {
        const QStringList groups = s.childGroups();
        const QString actual = matchCase(groups, part);
        if (mustExist && !groups.contains(actual))
            return false;
        s.beginGroup(actual);
    }
    return true;
}

// Creates an empty file readable and writable by its owner only, whatever the umask.
// Something else at the path (a folder) is no settings file: false, and it is left alone.
bool createPrivateFile(const QString& path)
{
    if (QFileInfo::exists(path))
        return QFileInfo(path).isFile();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return QFileInfo(path).isFile();
    ::close(fd);
    return true;
}

} // namespace

QtRegistry::QtRegistry() = default;

QtRegistry::QtRegistry(const QString& userFile, const QString& systemFile)
    : userFile_(userFile), systemFile_(systemFile), standardFiles_(false)
{
}

QtRegistry::~QtRegistry() = default;

std::optional<QStringList> QtRegistry::groupPath(const QString& key)
{
    QStringList parts = keyParts(key);
    if (parts.isEmpty())
        return std::nullopt;
    for (const QString& p : parts)
        if (!validName(p))
            return std::nullopt;
    const QStringList program = keyParts(kProgramKey);
    bool underProgram = parts.size() >= program.size();
    for (int i = 0; underProgram && i < program.size(); ++i)
        underProgram = parts[i].compare(program[i], Qt::CaseInsensitive) == 0;
    if (!underProgram)
        return parts;
    parts = parts.mid(program.size());
    if (!parts.isEmpty())
        parts[0] = matchCase({QStringLiteral("Settings"), QStringLiteral("History")}, parts[0]);
    return parts;
}

QString QtRegistry::fileName(Root root) const
{
    if (standardFiles_) {
        QSettings s(QSettings::NativeFormat, root == LocalMachine ? QSettings::SystemScope : QSettings::UserScope,
                    kOrganisation, kApplication);
        return s.fileName();
    }
    return root == LocalMachine ? systemFile_ : userFile_;
}

std::unique_ptr<QSettings> QtRegistry::open(Root root) const
{
    const QString file = fileName(root);
    if (file.isEmpty())
        return nullptr;
    auto s = std::make_unique<QSettings>(file, QSettings::NativeFormat);
    s->setFallbacksEnabled(false);
    return s;
}

bool QtRegistry::secureUserFile() const
{
    // Only the settings file itself: never a folder or anything else found at its path.
    const QString file = fileName(CurrentUser);
    return QFileInfo(file).isFile() && QFile::setPermissions(file, kOwnerOnly);
}

bool QtRegistry::createKey(Root root, const QString& key)
{
    const auto path = groupPath(key);
    if (!path)
        return false;
    const QString file = fileName(root);
    if (file.isEmpty())
        return false;
    if (root == CurrentUser) {
        if (!createPrivateFile(file) || !secureUserFile())
            return false;
        return QFileInfo(file).isWritable();
    }
    // The system-wide file is usually read-only to users: opening an existing key is
    // all that can be asked of it then.
    auto s = open(root);
    return s && (s->isWritable() || enterGroups(*s, *path, true));
}

std::optional<QString> QtRegistry::readValue(Root root, const QString& key, const QString& name)
{
    const auto path = groupPath(key);
    if (!path || !validName(name))
        return std::nullopt;
    auto s = open(root);
    if (!s || !enterGroups(*s, *path, true))
        return std::nullopt;
    const QString actual = matchCase(s->childKeys(), name);
    if (!s->contains(actual))
        return std::nullopt;
    const QVariant v = s->value(actual);
    // A hand-edited "a,b" comes back as a list; the registry knows only strings.
    if (v.metaType().id() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    if (!v.isValid())
        return QString();
    return v.toString();
}

bool QtRegistry::writeValue(Root root, const QString& key, const QString& name, const QString& value)
{
    const auto path = groupPath(key);
    if (!path || !validName(name))
        return false;
    const QString file = fileName(root);
    if (file.isEmpty())
        return false;
    if (root == CurrentUser && !createPrivateFile(file))
        return false;
    auto s = open(root);
    if (!s || !s->isWritable())
        return false;
    enterGroups(*s, *path, false);
    s->setValue(matchCase(s->childKeys(), name), value);
    s->sync();
    const bool stored = s->status() == QSettings::NoError;
    s.reset();
    if (root == CurrentUser && !secureUserFile())
        return false;
    return stored;
}
