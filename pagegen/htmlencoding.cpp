#include "pagegen/htmlencoding.h"
#include "pagegen/pageresources.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <array>

QString LoadHtmlResource(int id)
{
    EnsurePageResources();
    QFile file(QStringLiteral(":/pagegen/resources/%1.html").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    // A fragment ends at its first zero byte, like the C string it once was.
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    QString text = QString::fromUtf8(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QString ExtractTagContent(const QString &text, const QString &tag, qsizetype *position)
{
    const QString open = QLatin1Char('<') + tag + QLatin1Char('>');
    const QString close = QLatin1String("</") + tag + QLatin1Char('>');
    // Case-insensitive search on the original keeps indexes exact (no lower-cased copy
    // whose length could differ).
    const qsizetype a = text.indexOf(open, 0, Qt::CaseInsensitive);
    const qsizetype b = a < 0 ? -1 : text.indexOf(close, a + 1, Qt::CaseInsensitive);
    if (a < 0 || b < 0 || b < a) {
        if (position)
            *position = -1;
        return {};
    }
    if (position)
        *position = a;
    const qsizetype start = a + open.size();
    if (b < start) // "<tag>" overlapping its own closing tag cannot happen, but stay safe
        return {};
    return text.mid(start, b - start);
}

namespace {

struct AccentRow {
    char16_t ch;
    const char *entity;
};

constexpr std::array<AccentRow, 43> kAccents{{
    {u'à', "&agrave;"}, {u'â', "&acirc;"},  {u'ä', "&auml;"},   {u'ã', "&atilde;"}, {u'Â', "&Acirc;"},
    {u'Ä', "&Auml;"},   {u'À', "&Agrave;"}, {u'Ã', "&Atilde;"}, {u'é', "&eacute;"}, {u'è', "&egrave;"},
    {u'ê', "&ecirc;"},  {u'ë', "&euml;"},   {u'Ê', "&Ecirc;"},  {u'Ë', "&Euml;"},   {u'È', "&Egrave;"},
    {u'ì', "&igrave;"}, {u'î', "&icirc;"},  {u'ï', "&iuml;"},   {u'Î', "&Icirc;"},  {u'Ï', "&Iuml;"},
    {u'Ì', "&Igrave;"}, {u'ò', "&ograve;"}, {u'ô', "&ocirc;"},  {u'ö', "&ouml;"},   {u'õ', "&otilde;"},
    {u'Ô', "&Ocirc;"},  {u'Ö', "&Ouml;"},   {u'Ò', "&Ograve;"}, {u'Õ', "&Otilde;"}, {u'ù', "&ugrave;"},
    {u'û', "&ucirc;"},  {u'ü', "&uuml;"},   {u'Û', "&Ucirc;"},  {u'Ü', "&Uuml;"},   {u'Ù', "&Ugrave;"},
    {u'ÿ', "&yuml;"},   {u'ç', "&ccedil;"}, {u'ñ', "&ntilde;"}, {u'Ñ', "&Ntilde;"}, {u'€', "&euro;"},
    {u'£', "&pound;"},  {u'§', "&sect;"},   {u'µ', "&micro;"},
}};

const char *AccentEntity(QChar c)
{
    for (const AccentRow &row : kAccents) {
        if (row.ch == c.unicode())
            return row.entity;
    }
    return nullptr;
}

// A literal line break ends a script string with a syntax error; write it as an escape.
QString EscapeLineBreaks(QString text, const QString &escape)
{
    text.replace(QLatin1String("\r\n"), escape);
    text.replace(QLatin1Char('\r'), escape);
    text.replace(QLatin1Char('\n'), escape);
    return text;
}

QString ThreeStepEscape(QString text, const char *backslash, const char *quote, const char *apostrophe)
{
    text.replace(QLatin1Char('\\'), QLatin1String(backslash));
    text.replace(QLatin1Char('"'), QLatin1String(quote));
    text.replace(QLatin1Char('\''), QLatin1String(apostrophe));
    return text;
}

} // namespace

QString EncodeAccents(const QString &text)
{
    // Entities are plain ASCII, so one pass gives what one pass per table row would.
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        if (const char *entity = c.unicode() >= 0x80 ? AccentEntity(c) : nullptr)
            out += QLatin1String(entity);
        else
            out += c;
    }
    return out;
}

QString EscapeAttributeText(const QString &comment)
{
    QString text = EncodeAccents(comment);
    text.replace(QLatin1Char('"'), QLatin1String("&#34;"));
    return text;
}

QString EscapeScriptTooltip(const QString &comment)
{
    return EscapeLineBreaks(ThreeStepEscape(EncodeAccents(comment), "\\\\", "&#34;", "\\'"),
                            QStringLiteral("\\n"));
}

QString EscapePopupComment(const QString &comment)
{
    return EscapeLineBreaks(ThreeStepEscape(EncodeAccents(comment), "\\\\", "''", "\\'"),
                            QStringLiteral("\\n"));
}

QString EscapePopupBubbleComment(const QString &comment)
{
    // Read twice as a script string (page, then popup), hence doubled escapes.
    return EscapeLineBreaks(ThreeStepEscape(EncodeAccents(comment), "\\\\\\\\", "''", "\\\\\\'"),
                            QStringLiteral("\\\\n"));
}

QString EscapeSlideshowClassicComment(const QString &comment)
{
    return EscapeLineBreaks(ThreeStepEscape(comment, "\\\\", "''", "\\'"), QStringLiteral("\\n"));
}

QString EscapeScriptPath(const QString &path)
{
    return EscapeLineBreaks(ThreeStepEscape(path, "\\\\", "&#34;", "\\'"), QStringLiteral("\\n"));
}

QString EscapePopupPath(const QString &path)
{
    QString text = path;
    text.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return EscapeLineBreaks(text, QStringLiteral("\\n"));
}

QString GuardScriptElementText(const QString &scriptText)
{
    QString text = scriptText;
    text.replace(QLatin1String("</"), QLatin1String("<\\/"));
    // "<!--" would switch the parser into a mode where a later "<script" hides the real end.
    text.replace(QLatin1String("<!--"), QLatin1String("<\\!--"));
    return text;
}

QString UrlSafeLink(const QString &link)
{
    QString out;
    out.reserve(link.size());
    for (QChar c : link) {
        switch (c.unicode()) {
        case '%': out += QLatin1String("%25"); break;
        case '#': out += QLatin1String("%23"); break;
        case '?': out += QLatin1String("%3F"); break;
        case '"': out += QLatin1String("%22"); break;
        case '&': out += QLatin1String("%26"); break;
        case '\n': out += QLatin1String("%0A"); break;
        case '\r': out += QLatin1String("%0D"); break;
        default: out += c;
        }
    }
    return out;
}

namespace {

// Windows-1252 bytes 0x80..0x9F; zero marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kCp1252High{{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
}};

int Cp1252Byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    if (cp < 0xA0 && kCp1252High[cp - 0x80] == 0) // unassigned bytes read back as themselves
        return int(cp);
    for (int i = 0; i < int(kCp1252High.size()); ++i) {
        if (kCp1252High[i] != 0 && kCp1252High[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QByteArray EncodePageText(const QString &text, PageEncoding encoding)
{
    if (encoding == PageEncoding::Utf8)
        return text.toUtf8();
    QByteArray out;
    out.reserve(text.size());
    for (char32_t cp : text.toUcs4()) {
        const int b = Cp1252Byte(cp);
        if (b >= 0)
            out += char(b);
        else
            out += "&#" + QByteArray::number(quint32(cp)) + ';';
    }
    return out;
}

namespace {

// Pure ASCII reads the same either way; the page must then be written in the
// charset the design declares, or browsers show non-ASCII comment text garbled.
// Without a declaration browsers fall back to Windows-1252.
bool DeclaresUtf8(const QByteArray &asciiBytes)
{
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?\\s*([a-z0-9_:.-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = charset.match(QString::fromLatin1(asciiBytes));
    if (!m.hasMatch())
        return false;
    const QString name = m.captured(1).toLower();
    return name == QLatin1String("utf-8") || name == QLatin1String("utf8");
}

} // namespace

QString DecodeDesignBytes(const QByteArray &bytes, PageEncoding *encoding)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) == 0; });
    if (!utf8.hasError() && (!ascii || DeclaresUtf8(bytes))) {
        if (encoding)
            *encoding = PageEncoding::Utf8;
        // The decoder drops a leading byte order mark; keep it, it may be the
        // design's only statement that it is UTF-8.
        if (bytes.startsWith("\xef\xbb\xbf") && !text.startsWith(QChar(0xFEFF)))
            text.prepend(QChar(0xFEFF));
        return text;
    }
    if (encoding)
        *encoding = PageEncoding::Windows1252;
    text.clear();
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0)
            // Unassigned bytes keep their value, as the platform's own conversion does.
            text += QChar(kCp1252High[u - 0x80] ? kCp1252High[u - 0x80] : char16_t(u));
        else
            text += QChar(char16_t(u));
    }
    return text;
}
