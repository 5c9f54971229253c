#include "forms/AnsiQt.h"

#include "common/AnsiText.h"

QString ToQString(const std::string& ansi) {
    QString text;
    text.reserve(static_cast<qsizetype>(ansi.size()));
    for (char c : ansi) text.append(QChar(static_cast<char16_t>(Ansi::ToCodePoint(c))));
    return text;
}

std::string FromQString(const QString& text) {
    std::string ansi;
    ansi.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        ansi += c.isSurrogate() ? '?' : Ansi::FromCodePoint(c.unicode());
    }
    return ansi;
}
