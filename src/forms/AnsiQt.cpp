#include "forms/AnsiQt.h"

#include <algorithm>

#include "common/AnsiText.h"

namespace {

// The code page's byte for one UTF-16 unit; '?' for a character it lacks.
char AnsiByteOf(QChar c) {
    return c.isSurrogate() ? '?' : Ansi::FromCodePoint(c.unicode());
}

}  // namespace

QString ToQString(const std::string& ansi) {
    QString text;
    text.reserve(static_cast<qsizetype>(ansi.size()));
    for (char c : ansi) text.append(QChar(static_cast<char16_t>(Ansi::ToCodePoint(c))));
    return text;
}

std::string FromQString(const QString& text) {
    std::string ansi;
    ansi.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) ansi += AnsiByteOf(c);
    return ansi;
}

bool IsAnsiText(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c == u'?' || AnsiByteOf(c) != '?'; });
}
