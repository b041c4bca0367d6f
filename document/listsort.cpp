#include "document/listsort.h"

#include <QDir>

namespace {
qint64 LeadingNumber(QStringView text)
{
    qint64 n = 0;
    for (QChar c : text) {
        if (!c.isDigit() || n > (qint64(1) << 40))
            break;
        n = n * 10 + c.digitValue();
    }
    return n;
}

int Compare(qint64 a, qint64 b) { return a < b ? -1 : (a > b ? 1 : 0); }
} // namespace

void ParseDimensions(const QString &text, qint64 &width, qint64 &height)
{
    const qsizetype x = text.indexOf(QLatin1Char('x'));
    width = LeadingNumber(QStringView(text).left(x < 0 ? text.size() : x));
    height = x < 0 ? 0 : LeadingNumber(QStringView(text).mid(x + 1));
}

SortKeyMaker::SortKeyMaker(int order, const QDateTime &now) : m_order(order), m_now(now.toMSecsSinceEpoch()) {}

SortKey SortKeyMaker::operator()(const ImageEntry &entry) const
{
    SortKey key;
    switch ((m_order + 1) / 2) {
    case 1:
        key.Name = entry.Path.mid(entry.Path.lastIndexOf(QDir::separator()) + 1);
        break;
    case 2:
        key.Primary = entry.ImageBytes;
        break;
    case 3: {
        qint64 w = 0, h = 0;
        ParseDimensions(entry.ImageDimensions, w, h);
        key.Primary = w * h;
        key.Secondary = w;
        break;
    }
    default: {
        const QString &date = entry.Camera[CAMERA_DATE];
        const QString &time = entry.Camera[CAMERA_TIME];
        const QDateTime shot = QDateTime::fromString(date + QLatin1Char(' ') + time, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        key.Primary = (date.isEmpty() || time.isEmpty() || !shot.isValid()) ? m_now : shot.toMSecsSinceEpoch();
        break;
    }
    }
    return key;
}

bool SortKeyMaker::Before(const SortKey &a, const SortKey &b) const
{
    int c = a.Name.compare(b.Name, Qt::CaseInsensitive);
    if (c == 0)
        c = Compare(a.Primary, b.Primary);
    if (c == 0)
        c = Compare(a.Secondary, b.Secondary);
    return m_order % 2 == 1 ? c < 0 : c > 0;
}
