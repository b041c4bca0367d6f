#include "profile.h"

#include <QSettings>

namespace {
QString Key(const QString &section, const QString &name)
{
    QString s = section;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s + QLatin1Char('/') + name;
}
} // namespace

SettingsProfile::SettingsProfile()
    : m_settings(std::make_unique<QSettings>(QStringLiteral("Vorlex Software"), QStringLiteral("Gallorim")))
{
}

SettingsProfile::SettingsProfile(const QString &iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

SettingsProfile::~SettingsProfile() = default;

int SettingsProfile::GetInt(const QString &section, const QString &name, int def) const
{
    const QVariant v = m_settings->value(Key(section, name));
    if (!v.isValid())
        return def;
    bool ok = false;
    // Stored as a 32-bit registry number: accept values written as unsigned too.
    const qlonglong n = v.toLongLong(&ok);
    return ok ? static_cast<int>(static_cast<quint32>(n)) : def;
}

QString SettingsProfile::GetString(const QString &section, const QString &name, const QString &def) const
{
    const QVariant v = m_settings->value(Key(section, name));
    return v.isValid() ? v.toString() : def;
}

void SettingsProfile::WriteInt(const QString &section, const QString &name, int value)
{
    m_settings->setValue(Key(section, name), value);
}

void SettingsProfile::WriteString(const QString &section, const QString &name, const QString &value)
{
    m_settings->setValue(Key(section, name), value);
}

void SettingsProfile::Sync()
{
    m_settings->sync();
}
