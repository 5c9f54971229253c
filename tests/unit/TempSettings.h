#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <string>

// Points the per-user settings store at a fresh temporary folder for one test (removed
// afterwards) and makes the C locale the default, so number texts read the same everywhere.
class TempSettings {
public:
    TempSettings() {
        EXPECT_TRUE(folder_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        QLocale::setDefault(QLocale::c());
    }

    // The program's settings file as written on disk, "" while it does not exist.
    std::string FileText() const {
        QFile file(FilePath());
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return file.readAll().toStdString();
    }

    void WriteFile(const std::string& text) const {
        QDir().mkpath(folder_.filePath("Ostrelworks"));
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

private:
    QString FilePath() const { return folder_.filePath("Ostrelworks/Vorn! Voice Control.conf"); }

    QTemporaryDir folder_;
};
