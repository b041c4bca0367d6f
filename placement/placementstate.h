#pragma once
// The placement protocol as a value type: what each of the control's five
// methods does to what it shows, and which window message it asks to post.
// No I/O here, so the rules can be exercised without a host.

#include "glrplace_abi.h"

#include <QString>
#include <optional>

// French string table of the module (ids 100 to 107); empty for other ids.
QString PlacementText(int id);

struct PlacementPost {
    GlrWindow window = 0;
    uint32_t message = 0;
    intptr_t wParam = 0;
    intptr_t lParam = 0;
};

class PlacementState {
public:
    static constexpr int32_t kNoImage = -1;
    static constexpr int32_t kModeExchange = 0;
    static constexpr int32_t kModeInsert = 1;

    // Each call answers whether what is shown changed (the caller repaints).
    bool InitVisualPlacement(int32_t background, int32_t text, GlrWindow window, uint32_t message);
    bool InitColors(int32_t background, int32_t text);
    bool InitMode(int32_t mode);
    bool ClickFirstImage(int32_t image);
    // Always changes what is shown; the post is the move to report, if any.
    std::optional<PlacementPost> ClickSecondImage(int32_t first, int32_t second);
    // The "page closed" message owed when the control goes away.
    std::optional<PlacementPost> ClosingPost() const;

    int32_t FirstImage() const { return m_firstImage; }
    int32_t Mode() const { return m_mode; }
    const QString &Message() const { return m_message; }
    int32_t TextColor() const { return m_textColor; }
    int32_t BackgroundColor() const { return m_backgroundColor; }
    int32_t TwoLines() const { return m_twoLines; }

private:
    void SetFirstImageMessage();

    int32_t m_firstImage = kNoImage;
    int32_t m_mode = kModeInsert;
    QString m_message = PlacementText(101);
    int32_t m_textColor = 0xFFFFFF;
    int32_t m_backgroundColor = 0x000000;
    uint32_t m_hostMessage = 0;
    GlrWindow m_hostWindow = 0;
    int32_t m_twoLines = 0;
};
