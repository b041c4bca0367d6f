#pragma once
// One entry point per gallery command that opens a dialog. Each takes the
// document, the program options, the settings profile, the selected rows
// (ascending, 0-based; ignored where the command concerns the whole
// gallery), the parent window and what to do once the dialog is closed. The
// dialog opens window-modal with open(), not exec(): the call returns at
// once, so a screen reader's "press" that started it is answered while the
// dialog is up. `done` then hears whether the user accepted and something
// was handed to the document (false at once when no dialog could open). The
// document must outlive the dialog: a dialog goes with its parent window,
// without calling `done`. Views are refreshed by the caller. GUI thread only.

#include "imaging/thumbnailoptions.h"

#include <functional>
#include <vector>

class DocumentOptionsDialog;
class GalleryDocument;
class Profile;
class QWidget;
struct GeneralOptions;

using DialogDone = std::function<void(bool changed)>;

// "Options du document..." / "&Options...": the six-page sheet. On OK the
// document takes the edited options and re-examines its entries, and every
// page that was shown stores its group as the new defaults. `done` hears
// whether the options changed (the document is then marked modified).
void EditDocumentOptions(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                         const std::vector<int> &rows, QWidget *parent, DialogDone done);
// What OK of an accepted sheet does to the document and the profile.
bool CommitDocumentOptions(const DocumentOptionsDialog &dialog, GalleryDocument &doc, Profile &profile);

// "Ajouter des images...": the image file dialog with preview; every chosen
// file is queued for adding, in the dialog's order.
void AddImages(GalleryDocument &doc, const GeneralOptions &general, Profile &profile, const std::vector<int> &rows,
               QWidget *parent, DialogDone done);

// "Options spécifiques": the first row's option block; on OK every row gets
// the edited block (flags recomputed against the gallery's options).
void EditImageOptions(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                      const std::vector<int> &rows, QWidget *parent, DialogDone done);

// "(Re)Créer des vignettes spécifiques": sizes for some rows only; on OK
// `chosen` hears them (the caller queues the jobs). The gallery's options
// stay as they are.
void AskSpecificThumbnails(GalleryDocument &doc, const GeneralOptions &general, QWidget *parent,
                           std::function<void(const BuildVignetteOptions &)> chosen);

// "Editer le commentaire... (Assistant)": one comment for every selected row.
void EditComments(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                  const std::vector<int> &rows, QWidget *parent, DialogDone done);

// "Assistant commentaire général...": the same for every entry of the gallery.
void EditGeneralComment(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                        const std::vector<int> &rows, QWidget *parent, DialogDone done);
