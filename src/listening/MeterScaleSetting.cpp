#include "listening/MeterScaleSetting.h"

#include <QSettings>
#include <cmath>

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

std::optional<float> FullScale(const std::string& text) {
    bool isNumber = false;
    const float value = ToQString(text).trimmed().toFloat(&isNumber);
    if (!isNumber || !std::isfinite(value) || value <= 0.0f) return std::nullopt;
    return value;
}

}  // namespace MeterScaleSetting
