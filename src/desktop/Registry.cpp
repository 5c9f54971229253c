#include "desktop/Registry.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <optional>
#include <string_view>

#include "common/AnsiText.h"

namespace Registry {
namespace {

constexpr std::string_view kProductKey = "Software\\Ostrelworks\\Vorn! Voice Control";
const char* const kOrganisation = "Ostrelworks";
const char* const kApplication = "Vorn! Voice Control";

// A value is read into a buffer of this many bytes, its terminating NUL included.
constexpr std::size_t kValueBufferSize = 1024;

constexpr int32_t kCreatedNewKey = 1;
constexpr int32_t kOpenedExistingKey = 2;

QString ToQString(std::string_view ansi) {
    return QString::fromStdString(Ansi::ToUtf8(ansi));
}

std::string ToAnsi(const QString& text) {
    return Ansi::FromUtf8(text.toStdString());
}

// The settings group a key names: the segments after the product key, joined by "/"; nothing
// for a key outside the product key.
std::optional<QString> GroupOf(std::string_view key) {
    if (key.size() < kProductKey.size() ||
        !Ansi::EqualsIgnoreCase(key.substr(0, kProductKey.size()), kProductKey)) {
        return std::nullopt;
    }
    std::string_view rest = key.substr(kProductKey.size());
    if (!rest.empty()) {
        if (rest.front() != '\\') {
            return std::nullopt;  // a sibling such as "...\Vorn! Voice Control 2"
        }
        rest.remove_prefix(1);
    }
    QString group = ToQString(rest);
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return group;
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

}  // namespace

int32_t CreateRegistryKey(const std::string& key) {
    const auto group = GroupOf(key);
    if (!group) {
        return 0;
    }
    QSettings settings(kOrganisation, kApplication);
    if (!settings.isWritable()) {
        return 0;
    }
    settings.beginGroup(*group);
    return settings.allKeys().isEmpty() ? kCreatedNewKey : kOpenedExistingKey;
}

std::string GetRegistryString(const std::string& key, const std::string& name) {
    const auto group = GroupOf(key);
    if (!group) {
        return {};
    }
    QSettings settings(kOrganisation, kApplication);
    settings.beginGroup(*group);
    const QVariant value = settings.value(ToQString(name));
    // A hand-edited line with unquoted commas reads back as a list: it is still the one text.
    const QString text = value.typeId() == QMetaType::QStringList
                             ? value.toStringList().join(QLatin1Char(','))
                             : value.toString();
    std::string ansi = ToAnsi(text);
    if (ansi.size() + 1 > kValueBufferSize) {
        return {};
    }
    return ansi;
}

bool SetRegistryString(const std::string& key, const std::string& name, const std::string& text) {
    const auto group = GroupOf(key);
    if (!group) {
        return false;
    }
    QSettings settings(kOrganisation, kApplication);
    if (!settings.isWritable()) {
        return false;
    }
    settings.beginGroup(*group);
    const QString valueName = ToQString(name);
    if (IsBlank(text)) {
        if (!settings.contains(valueName)) {
            return false;
        }
        settings.remove(valueName);
    } else {
        settings.setValue(valueName, ToQString(text));
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace Registry
