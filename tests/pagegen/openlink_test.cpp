#include "pagegen/openlink.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Desktop services that record what they were asked and never start anything.
struct FakeDesktop {
    bool openSucceeds = false;
    QString browserVariable;
    QStringList installed;
    QList<QUrl> opened;
    QList<QStringList> started;

    LinkOpenServices Services()
    {
        LinkOpenServices services;
        services.openUrl = [this](const QUrl &url) {
            opened.append(url);
            return openSucceeds;
        };
        services.findExecutable = [this](const QString &name) {
            return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
        };
        services.startDetached = [this](const QString &program, const QStringList &arguments) {
            started.append(QStringList{program} + arguments);
            return true;
        };
        services.environment = [this](const char *name) {
            return qstrcmp(name, "BROWSER") == 0 ? browserVariable : QString();
        };
        return services;
    }
};

class OpenLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_page = m_dir.filePath(QStringLiteral("index.html"));
        QFile file(m_page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir m_dir;
    QString m_page;
    FakeDesktop m_desktop;
};

TEST_F(OpenLinkTest, theDesktopOpenerComesFirstAndSuccessIsAbove32)
{
    m_desktop.openSucceeds = true;
    m_desktop.installed = {QStringLiteral("xdg-open")};
    EXPECT_GT(OpenLink(m_page, 3, m_desktop.Services()), 32);
    ASSERT_EQ(m_desktop.opened.size(), 1);
    EXPECT_EQ(m_desktop.opened[0], QUrl::fromLocalFile(m_page));
    EXPECT_TRUE(m_desktop.started.isEmpty());
}

TEST_F(OpenLinkTest, whenTheDesktopFailsTheBrowserVariableIsTriedWithTheTargetAppended)
{
    m_desktop.browserVariable = QStringLiteral("missing-browser:firefox --new-tab \"%s\" --extra");
    m_desktop.installed = {QStringLiteral("firefox"), QStringLiteral("xdg-open")};
    EXPECT_GT(OpenLink(m_page, 3, m_desktop.Services()), 32);
    ASSERT_EQ(m_desktop.started.size(), 1);
    EXPECT_EQ(m_desktop.started[0],
              (QStringList{QStringLiteral("/usr/bin/firefox"), QStringLiteral("--new-tab"), m_page}));
}

TEST_F(OpenLinkTest, withoutBrowserVariableXdgOpenThenXWwwBrowserAreUsed)
{
    m_desktop.installed = {QStringLiteral("x-www-browser")};
    const QString address = QStringLiteral("https://www.example.org/a b");
    EXPECT_GT(OpenLink(address, 3, m_desktop.Services()), 32);
    ASSERT_EQ(m_desktop.started.size(), 1);
    EXPECT_EQ(m_desktop.started[0][0], QStringLiteral("/usr/bin/x-www-browser"));
    EXPECT_EQ(m_desktop.started[0].size(), 2);
    EXPECT_EQ(QUrl(m_desktop.started[0][1]), QUrl(address));
}

TEST_F(OpenLinkTest, nothingToOpenWithReportsNoAssociation)
{
    EXPECT_EQ(OpenLink(m_page, 3, m_desktop.Services()), 31);
    EXPECT_EQ(m_desktop.opened.size(), 1);
}

TEST_F(OpenLinkTest, aMissingLocalFileFailsWithoutStartingAnything)
{
    m_desktop.openSucceeds = true;
    EXPECT_EQ(OpenLink(m_dir.filePath(QStringLiteral("nope.html")), 3, m_desktop.Services()), 2);
    EXPECT_EQ(OpenLink(m_dir.filePath(QStringLiteral("no/dir/nope.html")), 3, m_desktop.Services()), 3);
    EXPECT_TRUE(m_desktop.opened.isEmpty());
}

TEST(LinkUrl, localPathsBecomeFileUrlsAndAddressesStayAsWritten)
{
    EXPECT_EQ(LinkUrl(QStringLiteral("/tmp/a b/index.html")), QUrl::fromLocalFile(QStringLiteral("/tmp/a b/index.html")));
    EXPECT_EQ(LinkUrl(QStringLiteral("http://site.fr/x?y=1")).toString(), QStringLiteral("http://site.fr/x?y=1"));
    EXPECT_EQ(LinkUrl(QStringLiteral("mailto:a@b.fr")).scheme(), QStringLiteral("mailto"));
}

TEST(BrowserCommandLine, cutsAtTheFirstPlaceholderAndAppendsTheTarget)
{
    const QString t = QStringLiteral("/p/index.html");
    const struct {
        const char *command;
        QStringList expected;
    } rows[] = {
        {"browser", {"browser", t}},
        {"browser %1", {"browser", t}},
        {"\"/opt/my browser/run\" -x \"%1\" -y", {"/opt/my browser/run", "-x", t}},
        {"browser --a=%s --b", {"browser", "--a=", t}},
        {"browser %u", {"browser", t}},
        {"", {}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(BrowserCommandLine(QString::fromUtf8(row.command), t), row.expected) << row.command;
}

TEST(LinkErrorMessage, givesTheFrenchTextOfEachShellCode)
{
    const QString prefix = QStringLiteral("impossible d'ouvrir le lien:\n\n");
    const struct {
        int code;
        const char *text;
    } rows[] = {
        {2, "Le fichier spécifié n'a pas été trouvé."},
        {26, "Une violation de partage est survenue. "},
        {28, "La transaction DDE n'a pas pu être finie."},
        {30, "La transaction DDE n'a pas pu être finie."},
        {31, "Il n'y a pas d'application associé au fichier."},
        {99, "Unknown Error (99) occurred."},
        {-1, "Unknown Error (-1) occurred."},
    };
    for (const auto &row : rows)
        EXPECT_EQ(LinkErrorMessage(row.code), prefix + QString::fromUtf8(row.text)) << row.code;
}

TEST(ShowLinkError, handsTheMessageToTheReporter)
{
    QStringList shown;
    ShowLinkError(5, [&](const QString &message) { shown.append(message); });
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], LinkErrorMessage(5));
    EXPECT_NO_FATAL_FAILURE(ShowLinkError(5, {}));
}

} // namespace
