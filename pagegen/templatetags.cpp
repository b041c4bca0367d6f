#include "pagegen/templatetags.h"

#include <QFile>

namespace {

// A design is a hand-written page; anything far larger is not one and would
// only cost memory.
constexpr qint64 kMaxDesignBytes = 32 * 1024 * 1024;

const char *const kSectionNames[DESIGN_SECTION_COUNT] = {
    "VORLEX_BEFORE_FIRST_IMAGE",  "VORLEX_BEFORE_EACH_LINE_OF_IMAGE", "VORLEX_BEFORE_EACH_IMAGE",
    "VORLEX_AFTER_EACH_IMAGE",    "VORLEX_AFTER_EACH_LINE_OF_IMAGE",  "VORLEX_AFTER_LAST_IMAGE",
    "VORLEX_BEFORE_ZIP_LINK",     "VORLEX_INSIDE_ZIP_LINK",           "VORLEX_AFTER_ZIP_LINK",
    "VORLEX_BEFORE_PREVIOUS_LINK", "VORLEX_INSIDE_PREVIOUS_LINK",     "VORLEX_AFTER_PREVIOUS_LINK",
    "VORLEX_BEFORE_NEXT_LINK",    "VORLEX_INSIDE_NEXT_LINK",          "VORLEX_AFTER_NEXT_LINK",
};

} // namespace

QString DesignSectionTag(DesignSection section)
{
    return QLatin1String(kSectionNames[section]);
}

QString PageDesign::Tail() const
{
    if (!HasBlock())
        return {};
    // Opening tag (21) + closing tag (22) + the character after it.
    const qsizetype start = insertPosition + blockContent.size() + 2 * kInsertImageTag.size() + 5 + 1;
    return start < text.size() ? text.mid(start) : QString();
}

bool ParsePageDesign(const QString &text, PageDesign &design)
{
    design.text = text;
    design.blockContent = ExtractTagContent(text, kInsertImageTag, &design.insertPosition);
    for (int s = 0; s < DESIGN_SECTION_COUNT; ++s)
        design.sections[s] = ExtractTagContent(design.blockContent, DesignSectionTag(DesignSection(s)));
    return design.HasBlock();
}

bool ReadDesignText(QIODevice &device, QString &text, PageEncoding &encoding)
{
    text.clear();
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
        return false;
    if (!device.isSequential() && device.size() > kMaxDesignBytes)
        return false;
    const QByteArray bytes = device.read(kMaxDesignBytes + 1);
    // A short read of a file means the read failed part way.
    if (bytes.size() > kMaxDesignBytes || (!device.isSequential() && !device.atEnd()))
        return false;
    const QString decoded = DecodeDesignBytes(bytes, &encoding);
    qsizetype start = 0;
    while (start < decoded.size()) {
        qsizetype end = decoded.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = decoded.size();
        qsizetype lineEnd = end;
        if (lineEnd > start && decoded.at(lineEnd - 1) == QLatin1Char('\r'))
            --lineEnd;
        text += QStringView(decoded).mid(start, lineEnd - start);
        text += QLatin1Char('\n');
        start = end + 1;
    }
    return true;
}

bool LoadPageDesign(bool defaultPage, const QString &userDesignPath, PageDesign &design)
{
    design = PageDesign();
    QString text;
    if (defaultPage) {
        text = LoadHtmlResource(kBuiltInGalleryDesign);
        design.encoding = PageEncoding::Utf8;
    } else {
        QFile file(userDesignPath);
        if (userDesignPath.isEmpty() || !file.open(QIODevice::ReadOnly)
            || !ReadDesignText(file, text, design.encoding))
            text.clear();
    }
    design.builtIn = defaultPage;
    return ParsePageDesign(text, design);
}
