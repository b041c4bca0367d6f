#pragma once
// shell/options: the option dialogs: the document sheet and its pages,
// per-image options and thumbnails, the comment assistant, the program
// options, and the fields and validation they share. It uses common/ and
// widgets/ only.
//
// The sheet "Options du document..." and its six pages. OK checks every page
// that was shown, in order, and stays on the first refused one; a page never
// shown keeps its values and is neither checked nor stored.

#include "document/galleryoptions.h"

#include <QDialog>
#include <vector>

struct GeneralOptions;
class OptionsPage;
class Profile;
class QTabWidget;

class DocumentOptionsDialog : public QDialog {
    Q_OBJECT
public:
    DocumentOptionsDialog(const GalleryOptions &options, const GeneralOptions &general, Profile &profile,
                          QWidget *parent = nullptr);

    QTabWidget *pages() const { return m_tabs; }
    // After an accepted run: the pages' keys written over `options`.
    void store(GalleryOptions &options) const;
    // After store(): each stored page's group becomes the new defaults.
    void saveGroups(const GalleryOptions &options, Profile &profile) const;

    void accept() override;

private:
    QTabWidget *m_tabs;
    std::vector<OptionsPage *> m_pages;
    std::vector<bool> m_shown;
};
