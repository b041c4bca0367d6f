#pragma once
// Text services shared by every page writer: built-in page fragments, the text
// between a pair of custom tags, accent entities and the escapes that put user
// texts into script strings and attributes. Pure functions, any thread.

#include <QByteArray>
#include <QString>

// Built-in fragment `:/pagegen/resources/<id>.html`, line ends as "\n";
// empty when there is no such resource.
QString LoadHtmlResource(int id);

// Text between "<tag>" and the first "</tag>" after it, matched without regard
// to case. `position` gets the index of the opening tag, or -1 (and the result
// is empty) when either tag is missing or the closing one comes first.
QString ExtractTagContent(const QString &text, const QString &tag, qsizetype *position = nullptr);

// Replaces the accented letters of the French table by named entities; every
// other character (including É and the acute forms other than é) is kept.
QString EncodeAccents(const QString &text);

// The script-string escape profiles. Each applies its replacements in a fixed
// order; a later step sees what an earlier one produced.
QString EscapeAttributeText(const QString &comment);         // alt/title of a thumbnail
QString EscapeScriptTooltip(const QString &comment);         // poplink() text, slideshow script bubbles
QString EscapePopupComment(const QString &comment);          // Vorlex_Popup comment, modes 1 and 3
QString EscapePopupBubbleComment(const QString &comment);    // Vorlex_Popup comment, mode 2
QString EscapeSlideshowClassicComment(const QString &comment); // slideshow classic bubbles
QString EscapeScriptPath(const QString &path);               // slideshow picture paths
QString EscapePopupPath(const QString &path);                // path inside a Vorlex_Popup call

// Text that sits inside a <script> element: "</" would end the element early
// and "<!--" can hide its end; both are written with a harmless backslash.
QString GuardScriptElementText(const QString &scriptText);

// Characters of a file name or folder that would cut a link short or change its
// meaning (fragment, query, escape, attribute end) written as %XX.
QString UrlSafeLink(const QString &link);

// How a page's text becomes bytes: UTF-8, or Windows-1252 with characters it
// cannot hold written as numeric entities.
enum class PageEncoding { Utf8, Windows1252 };
QByteArray EncodePageText(const QString &text, PageEncoding encoding);

// Decoding of a user's design: UTF-8 when the bytes are valid UTF-8, else Windows-1252.
// A pure ASCII design is UTF-8 only when it declares that charset. A UTF-8
// byte order mark is kept as U+FEFF so the pages start with it too.
QString DecodeDesignBytes(const QByteArray &bytes, PageEncoding *encoding = nullptr);
