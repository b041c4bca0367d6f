#include "pagegen/photopagenames.h"

#include <QCryptographicHash>
#include <QHash>
#include <QRegularExpression>
#include <map>

namespace {
const QString kMarkerStart = QStringLiteral("<meta name=\"gallorim-photo\" content=\"");

// The key inside an attribute: only what would end or garble it is escaped.
QString EscapeKey(const QString &key)
{
    QString s = key;
    s.replace(QLatin1Char('&'), QLatin1String("&amp;")).replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return s.replace(QLatin1Char('<'), QLatin1String("&lt;"));
}

QString UnescapeKey(QString s)
{
    s.replace(QLatin1String("&lt;"), QLatin1String("<")).replace(QLatin1String("&quot;"), QLatin1String("\""));
    return s.replace(QLatin1String("&amp;"), QLatin1String("&"));
}
} // namespace

QString PhotoPageSlug(const QString &fileName)
{
    QString base = fileName;
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        base.truncate(dot);
    QString slug;
    for (const QChar c : base.normalized(QString::NormalizationForm_KD)) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue; // the accent of a decomposed letter
        const QChar l = c.toLower();
        if ((l >= QLatin1Char('a') && l <= QLatin1Char('z')) || (l >= QLatin1Char('0') && l <= QLatin1Char('9'))
            || l == QLatin1Char('_'))
            slug += l;
        else if (!slug.isEmpty() && !slug.endsWith(QLatin1Char('-')))
            slug += QLatin1Char('-');
    }
    while (slug.endsWith(QLatin1Char('-')))
        slug.chop(1);
    slug.truncate(60);
    return slug.isEmpty() ? QStringLiteral("photo") : slug;
}

QString HashedPhotoPageName(const QString &slug, const QString &key)
{
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex();
    return slug + QLatin1Char('-') + QString::fromLatin1(hash.left(8));
}

QStringList UniquePhotoKeys(const QStringList &paths)
{
    QStringList unique;
    QHash<QString, int> seen;
    for (const QString &key : paths) {
        const int n = ++seen[key];
        unique << (n == 1 ? key : key + QLatin1Char('#') + QString::number(n));
    }
    return unique;
}

QStringList AssignPhotoPageNames(const QStringList &unique, const std::function<QString(const QString &)> &ownerOf)
{
    QStringList names(unique.size());
    std::map<QString, QList<int>> bySlug; // ordered: the same result on every run
    for (int i = 0; i < unique.size(); ++i) {
        static const QRegularExpression listedAgain(QStringLiteral("#\\d+$"));
        const QString slug = PhotoPageSlug(unique[i].section(QLatin1Char('/'), -1).remove(listedAgain));
        const QString hashed = HashedPhotoPageName(slug, unique[i]);
        // A photo that once had to share its name keeps the name it was given.
        if (ownerOf(hashed) == unique[i])
            names[i] = hashed;
        else
            bySlug[slug].append(i);
    }
    for (const auto &[slug, members] : bySlug) {
        if (members.size() == 1) {
            names[members.first()] = slug;
            continue;
        }
        const QString owner = ownerOf(slug);
        int plain = -1;
        for (int i : members)
            if (unique[i] == owner)
                plain = i;
        // Nobody listed holds the plain name yet: the smallest key takes it.
        if (plain < 0) {
            plain = members.first();
            for (int i : members)
                if (unique[i] < unique[plain])
                    plain = i;
        }
        for (int i : members)
            names[i] = i == plain ? slug : HashedPhotoPageName(slug, unique[i]);
    }
    return names;
}

QString PhotoPageOwnerMarker(const QString &key) { return kMarkerStart + EscapeKey(key) + QStringLiteral("\">"); }

QString PhotoPageOwnerIn(const QByteArray &pageStart)
{
    const QString text = QString::fromUtf8(pageStart);
    const qsizetype at = text.indexOf(kMarkerStart);
    if (at < 0)
        return {};
    const qsizetype from = at + kMarkerStart.size();
    const qsizetype end = text.indexOf(QLatin1Char('"'), from);
    return end < 0 ? QString() : UnescapeKey(text.mid(from, end - from));
}
