#include "listening/MeterScaleSetting.h"

#include <QSettings>

#include "forms/AnsiQt.h"

namespace MeterScaleSetting {
namespace {
constexpr const char* kOrganisation = "RedoDoridade";
constexpr const char* kKey = "Startup/VUMeter";
}  // namespace

std::string Get() {
    const QSettings settings(QSettings::UserScope, kOrganisation);
    return FromQString(settings.value(kKey, "3000").toString());
}

void Save(const std::string& value) {
    QSettings settings(QSettings::UserScope, kOrganisation);
    settings.setValue(kKey, ToQString(value));
    settings.sync();
}

}  // namespace MeterScaleSetting
