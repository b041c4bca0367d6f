#include "shell/options/imageoptionsdialog.h"

#include "shell/common/dialogtooltips.h"
#include "shell/common/generaloptions.h"
#include "shell/widgets/colorswatch.h"
#include "shell/widgets/dialogbuttons.h"
#include "shell/widgets/updownedit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kMaxSide = 65535;
constexpr int kPopupLink = 33;      // new window, sized popup
constexpr int kFullScreenLink = 17; // new window, full-screen popup

bool Has(const ImageOptionBlock &b, std::uint32_t flag) { return (b.Flags & flag) != 0; }
} // namespace

ImageOptionBlock ShownImageOptions(const ImageOptionBlock &entry, const GalleryOptions &gallery)
{
    const WebPage1Options &p1 = gallery.WebPage1;
    const WebPage2Options &p2 = gallery.WebPage2;
    const LinksOptions &l = gallery.Links;
    ImageOptionBlock s = entry;
    const ImageOptionBlock &e = entry;
    s.ToolTipType = Has(e, IMGOPT_TOOLTIP_TYPE) ? e.ToolTipType : p2.ToolTipType;
    s.NoTooltipInPopups = Has(e, IMGOPT_NO_TOOLTIP_IN_POPUP) ? e.NoTooltipInPopups : p2.NoTooltipInPopups;
    s.CommentUnderImage = Has(e, IMGOPT_COMMENT_UNDER_IMAGE) ? e.CommentUnderImage : p2.CommentUnderImage;
    s.BorderSize = Has(e, IMGOPT_BORDER_SIZE) ? e.BorderSize : p2.BorderSize;
    s.BorderColor = Has(e, IMGOPT_BORDER_COLOR) ? e.BorderColor : p1.BorderColor;
    s.LinkType = Has(e, IMGOPT_LINK_TYPE) ? e.LinkType : l.LinkType;
    s.PopupAutoSize = Has(e, IMGOPT_POPUP_AUTO_SIZE) ? e.PopupAutoSize : l.WindowAutoSize;
    const bool fixed = Has(e, IMGOPT_POPUP_FIXED_SIZE);
    s.PopupWidth = fixed ? e.PopupWidth : l.WindowFixedSize.cx;
    s.PopupHeight = fixed ? e.PopupHeight : l.WindowFixedSize.cy;
    const bool imageSize = Has(e, IMGOPT_POPUP_IMAGE_SIZE);
    s.AdaptImageSize = imageSize ? e.AdaptImageSize : l.AdapImageSize;
    s.AllowFullSize = imageSize ? e.AllowFullSize : l.AllowFullSize;
    s.PopupBgColor = Has(e, IMGOPT_POPUP_BG_COLOR) ? e.PopupBgColor : l.PopupBgColor;
    return s;
}

ImageOptionBlock RecomputeImageOptionFlags(ImageOptionBlock v, const GalleryOptions &gallery)
{
    const WebPage2Options &p2 = gallery.WebPage2;
    const LinksOptions &l = gallery.Links;
    std::uint32_t flags = 0;
    auto setIf = [&flags](bool differs, std::uint32_t flag) {
        if (differs)
            flags |= flag;
    };
    setIf(v.ToolTipType != p2.ToolTipType, IMGOPT_TOOLTIP_TYPE);
    setIf(v.NoTooltipInPopups != p2.NoTooltipInPopups, IMGOPT_NO_TOOLTIP_IN_POPUP);
    setIf(v.CommentUnderImage != p2.CommentUnderImage, IMGOPT_COMMENT_UNDER_IMAGE);
    setIf(v.BorderSize != p2.BorderSize, IMGOPT_BORDER_SIZE);
    setIf(v.BorderColor != gallery.WebPage1.BorderColor, IMGOPT_BORDER_COLOR);
    const bool newWindow = LinkNewWindow(v.LinkType);
    setIf(newWindow != LinkNewWindow(l.LinkType) || (newWindow && LinkKind(v.LinkType) != LinkKind(l.LinkType)),
          IMGOPT_LINK_TYPE);
    const bool popup = v.LinkType == kPopupLink;
    const bool anyPopup = popup || v.LinkType == kFullScreenLink;
    setIf(popup && v.PopupAutoSize != l.WindowAutoSize, IMGOPT_POPUP_AUTO_SIZE);
    setIf(popup && !v.PopupAutoSize &&
              (v.PopupWidth != l.WindowFixedSize.cx || v.PopupHeight != l.WindowFixedSize.cy),
          IMGOPT_POPUP_FIXED_SIZE);
    setIf(anyPopup && v.PopupBgColor != l.PopupBgColor, IMGOPT_POPUP_BG_COLOR);
    // Without this flag the two popup boxes would be shown, stored, and
    // then ignored by every page.
    setIf(anyPopup && (v.AdaptImageSize != l.AdapImageSize || v.AllowFullSize != l.AllowFullSize),
          IMGOPT_POPUP_IMAGE_SIZE);
    v.Flags = flags;
    return v;
}

ImageOptionsDialog::ImageOptionsDialog(const ImageOptionBlock &block, const GalleryOptions &gallery,
                                       const GeneralOptions &general, QWidget *parent)
    : QDialog(parent), m_gallery(gallery), m_block(block)
{
    setWindowTitle(QStringLiteral("Options spécifiques"));
    const ImageOptionBlock shown = ShownImageOptions(block, gallery);
    const bool tooltips = general.DisplayTooltipsInDialogs == 1;
    auto *layout = new QVBoxLayout(this);
    buildTooltips(shown);
    buildBorder(shown, tooltips);
    buildLink(shown, tooltips);
    auto *buttons = MakeOkCancelButtons(this);
    layout->addWidget(buttons);
    updateEnabled();
    ApplyDialogTooltips(this, tooltips);
}

void ImageOptionsDialog::buildTooltips(const ImageOptionBlock &shown)
{
    const TooltipControls tooltip = CreateTooltipControls(
        {QStringLiteral("Bulle d'information"), QStringLiteral("Utilise le champ \"ALT\" (classique) de l'image"),
         QStringLiteral("Ne pas mettre d'info-bulle sur l'image haute résolution"),
         QStringLiteral("Afficher le commentaire sous l'image (popups et plein ecran uniquement)")},
        std::clamp(shown.ToolTipType, 0, 2), shown.NoTooltipInPopups != 0, shown.CommentUnderImage != 0, this);
    m_tooltipType = tooltip.type;
    m_noTooltipInPopups = tooltip.noTooltipInPopups;
    m_commentUnderImage = tooltip.commentUnderImage;
    layout()->addWidget(tooltip.box);
    connect(m_tooltipType, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    connect(m_noTooltipInPopups, &QCheckBox::toggled, this, [this] { updateEnabled(); });
}

void ImageOptionsDialog::buildBorder(const ImageOptionBlock &shown, bool tooltips)
{
    auto *row = new QHBoxLayout;
    m_border = new UpDownEdit(BorderSizeStep, this);
    m_border->edit()->setObjectName(QStringLiteral("borderSize"));
    m_border->setValue(shown.BorderSize);
    m_borderColor = new ColorSwatch(this);
    m_borderColor->setObjectName(QStringLiteral("imageBorderColor"));
    m_borderColor->setColor(shown.BorderColor);
    m_borderColor->setOpensPicker(true, tooltips);
    row->addWidget(CreateBuddyLabel(QStringLiteral("Taille de la bordure autour de l'image :"), m_border->edit(), this));
    row->addWidget(m_border);
    row->addWidget(CreateBuddyLabel(QStringLiteral("Couleur de la bordure :"), m_borderColor, this));
    row->addWidget(m_borderColor);
    row->addStretch();
    static_cast<QVBoxLayout *>(layout())->addLayout(row);
}

void ImageOptionsDialog::buildLink(const ImageOptionBlock &shown, bool tooltips)
{
    m_linkBox = new QGroupBox(QStringLiteral("Lien vers l'image haute résolution"), this);
    auto *grid = new QGridLayout(m_linkBox);
    m_newWindow = new QButtonGroup(this);
    grid->addWidget(AddRadio(m_newWindow, 0,
                             QStringLiteral("Ouvrir l'image dans la fenêtre actuelle\nL'utilisateur devra appuyer sur "
                                            "la touche \"Back\" pour revenir en arrière"),
                             QStringLiteral("linkCurrentWindow"), m_linkBox), 0, 0, 1, 3);
    grid->addWidget(AddRadio(m_newWindow, 1, QStringLiteral("Ouvrir l'image dans une nouvelle fenêtre"),
                             QStringLiteral("linkNewWindow"), m_linkBox), 1, 0, 1, 3);
    m_kind = new QButtonGroup(this);
    const QStringList kinds = {QStringLiteral("Fenêtre normale"), QStringLiteral("Plein écran"),
                               QStringLiteral("Popup : ")};
    const QStringList names = {QStringLiteral("windowNormal"), QStringLiteral("windowFullScreen"),
                               QStringLiteral("windowPopup")};
    for (int i = 0; i < 3; ++i)
        grid->addWidget(AddRadio(m_kind, i, kinds[i], names[i], m_linkBox), 2 + i, 1);
    m_newWindow->button(LinkNewWindow(shown.LinkType) ? 1 : 0)->setChecked(true);
    m_kind->button(std::clamp(LinkKind(shown.LinkType), 0, 2))->setChecked(true);

    m_sizeBox = new QGroupBox(QStringLiteral("Taille :"), m_linkBox);
    NameControl(m_sizeBox, QStringLiteral("popupSizeGroup"), m_sizeBox->title());
    auto *sizes = new QGridLayout(m_sizeBox);
    m_autoSize = new QButtonGroup(this);
    sizes->addWidget(AddRadio(m_autoSize, 1, QStringLiteral("Automatique (taille de l'image)"),
                              QStringLiteral("popupAutoSize"), m_sizeBox), 0, 0, 1, 4);
    sizes->addWidget(AddRadio(m_autoSize, 0, QStringLiteral("Fixée : "), QStringLiteral("popupFixedSize"), m_sizeBox),
                     1, 0);
    m_autoSize->button(shown.PopupAutoSize ? 1 : 0)->setChecked(true);
    m_width = CreateNumberEdit(QStringLiteral("popupWidth"), shown.PopupWidth, m_sizeBox);
    m_width->setAccessibleName(QStringLiteral("Largeur du popup"));
    m_height = CreateNumberEdit(QStringLiteral("popupHeight"), shown.PopupHeight, m_sizeBox);
    m_height->setAccessibleName(QStringLiteral("Hauteur du popup"));
    sizes->addWidget(m_width, 1, 1);
    sizes->addWidget(new QLabel(QStringLiteral("x"), m_sizeBox), 1, 2);
    sizes->addWidget(m_height, 1, 3);
    grid->addWidget(m_sizeBox, 4, 2, 3, 1);

    m_adapt = new QCheckBox(QStringLiteral("Réduire l'image si la fenêtre est trop petite"), m_linkBox);
    m_adapt->setObjectName(QStringLiteral("adaptImageSize"));
    m_adapt->setChecked(shown.AdaptImageSize != 0);
    m_allowFullSize = new QCheckBox(QStringLiteral("Permettre d'afficher l'image à sa taille réelle"), m_linkBox);
    m_allowFullSize->setObjectName(QStringLiteral("allowFullSize"));
    m_allowFullSize->setChecked(shown.AllowFullSize != 0);
    m_background = new ColorSwatch(m_linkBox);
    m_background->setObjectName(QStringLiteral("popupBackgroundColor"));
    m_background->setColor(shown.PopupBgColor);
    m_background->setOpensPicker(true, tooltips);
    m_colorLabel = CreateBuddyLabel(QStringLiteral("Couleur de fond :"), m_background, m_linkBox);
    grid->addWidget(m_adapt, 7, 1, 1, 2);
    grid->addWidget(m_allowFullSize, 8, 1, 1, 2);
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(m_colorLabel);
    colorRow->addWidget(m_background);
    colorRow->addStretch();
    grid->addLayout(colorRow, 9, 1, 1, 2);
    grid->setColumnMinimumWidth(0, 20);
    layout()->addWidget(m_linkBox);
    for (QButtonGroup *group : {m_newWindow, m_kind, m_autoSize})
        connect(group, &QButtonGroup::idToggled, this, [this] { updateEnabled(); });
    connect(m_adapt, &QCheckBox::toggled, this, [this] { updateEnabled(); });
}

void ImageOptionsDialog::updateEnabled()
{
    const bool tooltips = m_tooltipType->checkedId() != 2;
    m_noTooltipInPopups->setEnabled(tooltips);
    m_commentUnderImage->setEnabled(tooltips && !m_noTooltipInPopups->isChecked());

    const bool link = m_gallery.Links.IsLink != 0;
    UpdateLinkWindowControls(
        {m_newWindow, m_kind, m_autoSize, m_sizeBox, m_width, m_height, m_adapt, m_allowFullSize, m_colorLabel, m_background},
        link);
}

void ImageOptionsDialog::accept()
{
    ImageOptionBlock v = m_block;
    std::optional<FieldError> error = ReadNumber(m_border->edit(), 0, 10, v.BorderSize);
    if (!error)
        error = ReadNumber(m_width, 0, kMaxSide, v.PopupWidth);
    if (!error)
        error = ReadNumber(m_height, 0, kMaxSide, v.PopupHeight);
    if (error) {
        ReportFieldError(this, *error);
        return;
    }
    v.ToolTipType = m_tooltipType->checkedId();
    v.NoTooltipInPopups = m_noTooltipInPopups->isChecked() ? 1 : 0;
    v.CommentUnderImage = m_commentUnderImage->isChecked() ? 1 : 0;
    v.BorderColor = m_borderColor->color();
    v.LinkType = MakeLinkType(m_newWindow->checkedId() == 1, m_kind->checkedId());
    v.PopupAutoSize = m_autoSize->checkedId();
    v.AdaptImageSize = m_adapt->isChecked() ? 1 : 0;
    v.AllowFullSize = m_allowFullSize->isChecked() ? 1 : 0;
    v.PopupBgColor = m_background->color();
    m_block = RecomputeImageOptionFlags(v, m_gallery);
    QDialog::accept();
}
