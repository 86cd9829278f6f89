#include "platform/settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include "platform/errors.h"

namespace platform {

namespace {

std::string& folderOverride() {
    static std::string folder;
    return folder;
}

QString keyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + "/" + QString::fromStdString(key);
}

}  // namespace

void setSettingsFolder(const std::string& folder) { folderOverride() = folder; }

std::string settingsFile(const std::string& application) {
    const QString folder = folderOverride().empty()
                               ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                               : QString::fromStdString(folderOverride());
    return QDir(folder).filePath(QString::fromStdString(application) + "/settings.ini").toStdString();
}

std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& def) {
    if (application.empty() || section.empty() || key.empty()) return def;
    const QSettings store(QString::fromStdString(settingsFile(application)), QSettings::IniFormat);
    const QVariant value = store.value(keyOf(section, key));
    return value.isValid() ? value.toString().toStdString() : def;
}

void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                 const std::string& value) {
    if (application.empty() || section.empty() || key.empty()) raiseError(errInvalidArgument);
    QSettings store(QString::fromStdString(settingsFile(application)), QSettings::IniFormat);
    store.setValue(keyOf(section, key), QString::fromStdString(value));
    store.sync();
    if (store.status() != QSettings::NoError) raiseError(75, "Path/File access error");
}

}  // namespace platform
