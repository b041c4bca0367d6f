#pragma once
// Qt's own open-file dialog (never the native one, which cannot host the
// pane) with an image preview under the file list and the box "Aperçu :",
// whose state persists in WindowState/PreviewOpenDialog/PreviewAllowed.

#include <QFileDialog>

class ImagePreviewPane;
class Profile;
class QCheckBox;

class ImageFileDialog : public QFileDialog {
    Q_OBJECT
public:
    // `multiple`: several existing files may be chosen, else one.
    ImageFileDialog(Profile &profile, bool multiple, QWidget *parent = nullptr);

    QCheckBox *previewBox() const { return m_previewBox; }
    ImagePreviewPane *previewPane() const { return m_pane; }

    // What a change of the selected item does: the pane follows it while the
    // preview is allowed.
    void previewPath(const QString &path);

private:
    void setPreviewAllowed(bool allowed);

    Profile &m_profile;
    QCheckBox *m_previewBox;
    ImagePreviewPane *m_pane;
    QString m_current;
};

// "Images Internet" then "Tous les fichiers".
QStringList ImageFileFilters();
