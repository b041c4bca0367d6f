#pragma once
// A page design cut at its custom tags: the head before <VORLEX_INSERT_IMAGE>,
// the fifteen sections inside the first block, and the tail after the block.
// Built-in and user designs follow the same rules; tags match in any case.

#include "pagegen/htmlencoding.h"

#include <QString>
#include <array>

class QIODevice;

enum DesignSection {
    BEFORE_FIRST_IMAGE,
    BEFORE_EACH_LINE_OF_IMAGE,
    BEFORE_EACH_IMAGE,
    AFTER_EACH_IMAGE,
    AFTER_EACH_LINE_OF_IMAGE,
    AFTER_LAST_IMAGE,
    BEFORE_ZIP_LINK,
    INSIDE_ZIP_LINK,
    AFTER_ZIP_LINK,
    BEFORE_PREVIOUS_LINK,
    INSIDE_PREVIOUS_LINK,
    AFTER_PREVIOUS_LINK,
    BEFORE_NEXT_LINK,
    INSIDE_NEXT_LINK,
    AFTER_NEXT_LINK,
    DESIGN_SECTION_COUNT
};

// Tag name of a section, e.g. "VORLEX_AFTER_EACH_IMAGE".
QString DesignSectionTag(DesignSection section);

inline constexpr int kBuiltInGalleryDesign = 169;
inline const QString kInsertImageTag = QStringLiteral("VORLEX_INSERT_IMAGE");

struct PageDesign {
    QString text;                 // the whole design, lines ending in "\n"
    PageEncoding encoding = PageEncoding::Utf8; // pages are written in the design's encoding
    qsizetype insertPosition = -1; // index of the opening tag, -1 when there is no block
    QString blockContent;
    std::array<QString, DESIGN_SECTION_COUNT> sections;
    bool builtIn = false; // the program's own design; a user's design is written as it always was

    bool HasBlock() const { return insertPosition >= 0; }
    QString Head() const { return HasBlock() ? text.left(insertPosition) : QString(); }
    // After the closing tag, minus the one character (normally the line end) that follows it.
    QString Tail() const;
    const QString &Section(DesignSection s) const { return sections[s]; }
};

// Finds the first block and its sections. False when the opening tag is missing
// or not closed after it: such a design cannot make a page.
bool ParsePageDesign(const QString &text, PageDesign &design);

// Reads a user's design line by line, each line stored followed by "\n".
// Bytes are UTF-8 when valid, else Windows-1252. False on a read error or a
// file too large to be a page design; `text` is then empty.
bool ReadDesignText(QIODevice &device, QString &text, PageEncoding &encoding);

// Loads the built-in design (defaultPage set) or the file at `userDesignPath`
// and parses it. False when it cannot be read or lacks the block.
bool LoadPageDesign(bool defaultPage, const QString &userDesignPath, PageDesign &design);
