#include "placementstate.h"

QString PlacementText(int id)
{
    switch (id) {
    case 100:
        return QStringLiteral("GLR Visual Placement Control");
    case 101:
        return QStringLiteral("Placement Visuel des Images... Initialisation...");
    case 102:
        return QStringLiteral("L'image %d a été sélectionnée (affichée à gauche)\n");
    case 103:
        return QStringLiteral(
            "Placement Visuel des images :\nCliquez sur l'image à déplacer ou fermez la fenêtre");
    case 104:
        return QStringLiteral("La position des images %d et %d a été échangée\n"
                              "Cliquez sur la prochaine image à déplacer ou fermez la fenêtre");
    case 105:
        return QStringLiteral("Cliquez sur l'image à échanger avec celle-ci");
    case 106:
        return QStringLiteral("Cliquez sur l'image avant laquelle vous voulez insérer l'image sélectionée");
    case 107:
        return QStringLiteral("L'image  %d a été insérée avant l'image %d\n"
                              "Cliquez sur la prochaine image à déplacer ou fermez la fenêtre");
    default:
        return QString();
    }
}

namespace {

// The table's texts use printf's %d; fill them in order.
QString Format(int id, int32_t a, int32_t b = 0)
{
    QString text = PlacementText(id);
    const int32_t values[] = {a, b};
    qsizetype from = 0;
    for (const int32_t value : values) {
        const qsizetype at = text.indexOf(QLatin1String("%d"), from);
        if (at < 0)
            break;
        const QString number = QString::number(value);
        text.replace(at, 2, number);
        from = at + number.size();
    }
    return text;
}

} // namespace

bool PlacementState::InitVisualPlacement(int32_t background, int32_t text, GlrWindow window, uint32_t message)
{
    m_backgroundColor = background;
    m_textColor = text;
    m_hostWindow = window;
    m_hostMessage = message;
    m_message = PlacementText(103);
    m_twoLines = 1;
    return true;
}

bool PlacementState::InitColors(int32_t background, int32_t text)
{
    m_backgroundColor = background;
    m_textColor = text;
    return true;
}

bool PlacementState::InitMode(int32_t mode)
{
    m_mode = mode;
    if (m_firstImage == kNoImage)
        return false;
    SetFirstImageMessage();
    return true;
}

bool PlacementState::ClickFirstImage(int32_t image)
{
    m_firstImage = image;
    SetFirstImageMessage();
    return true;
}

void PlacementState::SetFirstImageMessage()
{
    m_message = Format(102, m_firstImage) + PlacementText(m_mode == kModeExchange ? 105 : 106);
    m_twoLines = 1;
}

std::optional<PlacementPost> PlacementState::ClickSecondImage(int32_t first, int32_t second)
{
    m_firstImage = kNoImage;
    m_twoLines = 1;
    std::optional<PlacementPost> post;
    if (m_mode == kModeExchange) {
        if (first == second) {
            m_message = PlacementText(103);
        } else {
            post = PlacementPost {m_hostWindow, m_hostMessage, first, second};
            m_message = Format(104, first, second);
        }
    } else {
        // Widened so that the image right after INT_MAX does not overflow.
        if (second == first || int64_t(second) == int64_t(first) + 1) {
            m_message = PlacementText(103);
        } else {
            post = PlacementPost {m_hostWindow, m_hostMessage + 1, first, second};
            m_message = Format(107, first, second);
        }
    }
    return post;
}

std::optional<PlacementPost> PlacementState::ClosingPost() const
{
    if (m_hostWindow == 0)
        return std::nullopt;
    return PlacementPost {m_hostWindow, m_hostMessage, -1, -1};
}
