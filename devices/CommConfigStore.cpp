#include "devices/CommConfigStore.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QString Path(const AnsiString& key, const AnsiString& name)
{
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())) + '/'
        + QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

bool StoreSettingsValue(const AnsiString& file, const AnsiString& key, const AnsiString& name, const AnsiString& bytes)
{
    if (file.empty() || key.empty() || name.empty()) return false;
    QSettings settings(QString::fromLocal8Bit(file.c_str()), QSettings::IniFormat);
    settings.setValue(Path(key, name), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::optional<AnsiString> LoadSettingsValue(const AnsiString& file, const AnsiString& key, const AnsiString& name)
{
    if (file.empty() || key.empty() || name.empty() || !QFileInfo::exists(QString::fromLocal8Bit(file.c_str())))
        return std::nullopt;
    QSettings settings(QString::fromLocal8Bit(file.c_str()), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) return std::nullopt;
    const QVariant value = settings.value(Path(key, name));
    if (!value.isValid()) return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    return AnsiString(bytes.constData(), static_cast<size_t>(bytes.size()));
}
