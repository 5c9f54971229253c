#include "desktop/SystemSettings.h"

#include <QSettings>
#include <QStringList>
#include <cstdlib>

#include "forms/AnsiQt.h"

namespace SystemSettings {
namespace {

QStringList ConfigFolders() {
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    QStringList folders;
    if (dirs != nullptr) folders = QString::fromLocal8Bit(dirs).split(':', Qt::SkipEmptyParts);
    if (folders.isEmpty()) folders << "/etc/xdg";
    return folders;
}

}  // namespace

std::optional<std::string> Read(const std::string& key, const std::string& name) {
    const QStringList segments = ToQString(key).split('\\', Qt::SkipEmptyParts);
    if (segments.size() < 3 || segments[0].compare("Software", Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    const QString file = segments[1] + "/" + segments[2] + ".conf";
    const QStringList groups = segments.mid(3);
    for (const QString& folder : ConfigFolders()) {
        QSettings settings(folder + "/" + file, QSettings::IniFormat);
        for (const QString& group : groups) settings.beginGroup(group);
        const QVariant value = settings.value(ToQString(name));
        if (!value.isValid()) continue;
        // A text holding commas reads back as a list.
        if (value.typeId() == QMetaType::QStringList) {
            return FromQString(value.toStringList().join(','));
        }
        return FromQString(value.toString());
    }
    return std::nullopt;
}

}  // namespace SystemSettings
