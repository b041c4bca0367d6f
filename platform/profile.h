#pragma once
// The program's settings store, reached through one small interface so that
// the core never looks settings up globally and tests use a private store.

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

class Profile {
public:
    virtual ~Profile() = default;
    // Integer and string calls mirror the registry's: an absent value gives the default.
    virtual int GetInt(const QString &section, const QString &name, int def) const = 0;
    virtual QString GetString(const QString &section, const QString &name, const QString &def) const = 0;
    virtual void WriteInt(const QString &section, const QString &name, int value) = 0;
    virtual void WriteString(const QString &section, const QString &name, const QString &value) = 0;
    virtual void Sync() {}
};

// QSettings-backed profile. Sections are groups ("LastOptions/WebPage1").
class SettingsProfile : public Profile {
public:
    // The user's store: QSettings("Vorlex Software", "Gallorim").
    SettingsProfile();
    // A store in an INI file of the caller's choice (tests, --settings).
    explicit SettingsProfile(const QString &iniFile);
    ~SettingsProfile() override;

    int GetInt(const QString &section, const QString &name, int def) const override;
    QString GetString(const QString &section, const QString &name, const QString &def) const override;
    void WriteInt(const QString &section, const QString &name, int value) override;
    void WriteString(const QString &section, const QString &name, const QString &value) override;
    void Sync() override;

    QSettings &settings() { return *m_settings; }

private:
    std::unique_ptr<QSettings> m_settings;
};
