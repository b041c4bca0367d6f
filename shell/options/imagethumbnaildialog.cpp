#include "shell/options/imagethumbnaildialog.h"

#include "shell/common/dialogtooltips.h"
#include "shell/common/generaloptions.h"
#include "shell/options/thumbnailsizebox.h"
#include "shell/widgets/dialogbuttons.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

ImageThumbnailDialog::ImageThumbnailDialog(const BuildVignetteOptions &options, const GeneralOptions &general,
                                                 QWidget *parent)
    : QDialog(parent), m_options(options)
{
    setWindowTitle(QStringLiteral("Création d'une vignette spécifique"));
    const bool tooltips = general.DisplayTooltipsInDialogs == 1;
    auto *layout = new QVBoxLayout(this);
    m_sizes = new ThumbnailSizeBox(options, tooltips, this);
    layout->addWidget(m_sizes);
    auto *buttons = MakeOkCancelButtons(this);
    layout->addWidget(buttons);
    ApplyDialogTooltips(this, tooltips);
}

void ImageThumbnailDialog::accept()
{
    if (const auto error = m_sizes->validate(m_options)) {
        ReportFieldError(this, *error);
        return;
    }
    QDialog::accept();
}
