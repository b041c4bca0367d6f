#pragma once
// "Création d'une vignette spécifique": the thumbnail sizes used for the
// selected entries only. Edits a copy; the gallery's options stay as they are.

#include "imaging/thumbnailoptions.h"

#include <QDialog>

struct GeneralOptions;
class ThumbnailSizeBox;

class ImageThumbnailDialog : public QDialog {
    Q_OBJECT
public:
    ImageThumbnailDialog(const BuildVignetteOptions &options, const GeneralOptions &general,
                            QWidget *parent = nullptr);

    // The copy with the chosen sizes; meaningful after an accepted run.
    BuildVignetteOptions options() const { return m_options; }

    void accept() override;

private:
    BuildVignetteOptions m_options;
    ThumbnailSizeBox *m_sizes;
};
