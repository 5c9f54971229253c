#include "desktop/Location.h"

#include <QLocale>
#include <QString>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "common/AnsiText.h"
#include "desktop/Registry.h"
#include "platform/Platform.h"

namespace Location {
namespace {

constexpr std::string_view kCompany = "Ostrelworks";
constexpr std::string_view kProduct = "Vorn! Voice Control";
constexpr std::string_view kLocationValue = "Location";
constexpr std::string_view kStateValue = "State";
constexpr std::string_view kFillDesktopValue = "FillDesktop";

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Rounds to the nearest 32-bit integer, halves to even (the default rounding mode).
std::optional<int32_t> RoundToInt32(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double whole = std::nearbyint(value);
    if (whole < std::numeric_limits<int32_t>::min() ||
        whole > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(whole);
}

// A number written in the user's locale, blanks around it allowed.
std::optional<double> LocaleNumber(std::string_view text) {
    bool ok = false;
    const double value =
        QLocale().toDouble(QString::fromStdString(Ansi::ToUtf8(text)).trimmed(), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

// The same, rounded to a 32-bit integer.
std::optional<int32_t> LocaleInt32(std::string_view text) {
    const auto value = LocaleNumber(text);
    return value ? RoundToInt32(*value) : std::nullopt;
}

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// Whole twips, so the text never holds a decimal separator that could be a comma.
std::string TwipsText(double twips) {
    const double whole = std::nearbyint(twips) + 0.0;  // + 0.0 turns -0 into 0
    std::array<char, std::numeric_limits<double>::max_exponent10 + 8> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), whole,
                                      std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

bool TextToBoolean(const std::string& text) {
    const std::string trimmed = TrimBlanks(text);
    if (Ansi::EqualsIgnoreCase(trimmed, "True")) {
        return true;
    }
    if (Ansi::EqualsIgnoreCase(trimmed, "False")) {
        return false;
    }
    const auto number = LocaleNumber(trimmed);
    return number && *number != 0.0;
}

}  // namespace

bool LoadFormLocation(const PlacedWindow& window, int& state, TwipsRect& location,
                      const std::optional<std::string>& section, bool* fillDesktop) {
    const std::string key = FormRegistryKey(window, section);
    const std::string text = Registry::GetRegistryString(key, std::string(kLocationValue));
    bool restored = false;
    TwipsRect parsed;
    if (!text.empty() && ParseLocation(text, parsed)) {
        FitToWorkArea(parsed);
        location = parsed;
        restored = true;
    }
    state = WindowStateFromName(Registry::GetRegistryString(key, std::string(kStateValue)));
    if (state == kWindowMinimized) {
        state = kWindowNormal;
    }
    if (fillDesktop != nullptr) {
        *fillDesktop = FillDesktopSetting(window, key, false);
    }
    return restored;
}

bool SaveFormLocation(const PlacedWindow& window, const std::optional<std::string>& section) {
    const int state = window.WindowState();
    const std::string key = FormRegistryKey(window, section);
    Registry::SetRegistryString(key, std::string(kStateValue), WindowStateName(state));
    if (state == kWindowNormal) {
        Registry::SetRegistryString(key, std::string(kLocationValue), FormLocationString(window));
    }
    return true;
}

void PositionForm(PlacedWindow& window, int code) {
    if (code >= kTopLeft && code <= kBottomRight) {
        PositionFormAtCorner(window, code);
    }
}

void PositionFormAtCorner(PlacedWindow& window, int code) {
    if (window.WindowState() != kWindowNormal) {
        return;
    }
    const TwipsRect area = GetWorkArea();
    const double leftEdge = area.left;
    const double topEdge = area.top;
    const double rightEdge = leftEdge + area.width - window.Width();
    const double bottomEdge = topEdge + area.height - window.Height();
    double left = 0;
    double top = 0;
    switch (code) {
        case kTopLeft:
            left = leftEdge;
            top = topEdge;
            break;
        case kTopRight:
            left = rightEdge;
            top = topEdge;
            break;
        case kBottomLeft:
            left = leftEdge;
            top = bottomEdge;
            break;
        case kBottomRight:
            left = rightEdge;
            top = bottomEdge;
            break;
        default:
            return;
    }
    const auto newLeft = RoundToInt32(left);
    const auto newTop = RoundToInt32(top);
    if (newLeft && newTop) {
        window.Move(*newLeft, *newTop, window.Width(), window.Height());
    }
}

bool FitToWorkArea(TwipsRect& location) {
    const TwipsRect area = GetWorkArea();
    const TwipsRect before = location;
    location.width = std::min(location.width, area.width);
    location.height = std::min(location.height, area.height);
    // The far edges are summed in 64 bits: a stored left or top near the 32-bit limit is
    // pulled back inside instead of overflowing.
    if (location.left < 0) {
        location.left = 0;
    } else if (int64_t{location.left} + location.width > area.width) {
        location.left = area.width - location.width;
    }
    if (location.top < 0) {
        location.top = 0;
    } else if (int64_t{location.top} + location.height > area.height) {
        location.top = area.height - location.height;
    }
    return location == before;
}

TwipsRect GetWorkArea() {
    IWindowSystem& windows = Platform::Windows();
    const ScreenRect pixels = windows.GetWorkArea();
    const int64_t twipsPerPixel = windows.TwipsPerPixel();
    return TwipsRect{
        ClampToInt32(pixels.left * twipsPerPixel),
        ClampToInt32(pixels.top * twipsPerPixel),
        ClampToInt32((int64_t{pixels.right} - pixels.left) * twipsPerPixel),
        ClampToInt32((int64_t{pixels.bottom} - pixels.top) * twipsPerPixel),
    };
}

std::string FormLocationString(const PlacedWindow& window) {
    return TwipsText(window.Left()) + "," + TwipsText(window.Top()) + "," +
           TwipsText(window.Width()) + "," + TwipsText(window.Height());
}

bool ParseLocation(const std::string& text, TwipsRect& location) {
    if (std::count(text.begin(), text.end(), ',') != 3) {
        return false;
    }
    const std::array<int32_t*, 4> fields{&location.left, &location.top, &location.width,
                                         &location.height};
    const std::string_view rest(text);
    std::size_t start = 0;
    for (int32_t* field : fields) {
        const std::size_t end = rest.find(',', start);
        const auto value = LocaleInt32(rest.substr(start, end - start));
        if (!value) {
            return false;
        }
        *field = *value;
        start = end + 1;
    }
    int32_t sum = 0;
    for (const int32_t* field : fields) {
        if (__builtin_add_overflow(sum, *field, &sum)) {
            return false;
        }
    }
    return sum >= 1;
}

std::string WindowStateName(int state) {
    switch (state) {
        case kWindowNormal:
            return "Normal";
        case kWindowMinimized:
            return "Minimized";
        case kWindowMaximized:
            return "Maximized";
        default:
            return "";
    }
}

int WindowStateFromName(const std::string& name) {
    const std::string lower = Ansi::ToLower(name);
    if (lower == "minimized") {
        return kWindowMinimized;
    }
    if (lower == "maximized") {
        return kWindowMaximized;
    }
    return kWindowNormal;
}

std::string FormRegistryKey(const PlacedWindow& window, const std::optional<std::string>& section) {
    const std::string productKey = AppRegistryKey();
    if (!section) {
        return productKey + "\\" + window.Name();
    }
    if (section->empty()) {
        return productKey;
    }
    return productKey + "\\" + TrimBlanks(*section);
}

std::string AppRegistryKey(const std::optional<std::string>& product) {
    const std::string companyKey = CompanyRegistryKey();
    if (!product) {
        return companyKey + "\\" + std::string(kProduct);
    }
    if (product->empty()) {
        return companyKey;
    }
    return companyKey + "\\" + *product;
}

std::string CompanyRegistryKey(const std::optional<std::string>& company) {
    return "Software\\" + (company ? *company : std::string(kCompany));
}

bool FillDesktopSetting(const PlacedWindow& window, const std::string& key, bool save) {
    const TwipsRect area = GetWorkArea();
    if (save) {
        const bool fills = window.Width() == area.width && window.Height() == area.height;
        Registry::SetRegistryString(key, std::string(kFillDesktopValue), fills ? "True" : "");
        return false;
    }
    const std::string text = Registry::GetRegistryString(key, std::string(kFillDesktopValue));
    return !text.empty() && TextToBoolean(text);
}

}  // namespace Location
