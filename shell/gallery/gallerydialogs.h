#pragma once
// One entry point per gallery command that opens a dialog. Each takes the
// document, the program options, the settings profile, the selected rows
// (ascending, 0-based; ignored where the command concerns the whole
// gallery) and the parent window, runs its dialog modally on the GUI thread
// and answers whether the user accepted and something was handed to the
// document. Views are refreshed by the caller.

#include <vector>

class DocumentOptionsDialog;
class GalleryDocument;
class Profile;
class QWidget;
struct GeneralOptions;

// "Options du document..." / "&Options...": the six-page sheet. On OK the
// document takes the edited options and re-examines its entries, and every
// page that was shown stores its group as the new defaults. Answers whether
// the options changed (the document is then marked modified).
bool EditDocumentOptions(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                         const std::vector<int> &rows, QWidget *parent);
// What OK of an accepted sheet does to the document and the profile.
bool CommitDocumentOptions(const DocumentOptionsDialog &dialog, GalleryDocument &doc, Profile &profile);

// "Ajouter des images...": the image file dialog with preview; every chosen
// file is queued for adding, in the dialog's order.
bool AddImages(GalleryDocument &doc, const GeneralOptions &general, Profile &profile, const std::vector<int> &rows,
               QWidget *parent);

// "Options spécifiques": the first row's option block; on OK every row gets
// the edited block (flags recomputed against the gallery's options).
bool EditImageOptions(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                      const std::vector<int> &rows, QWidget *parent);

// "(Re)Créer des vignettes spécifiques": sizes for these rows only; on OK a
// thumbnail job is queued for each row. The gallery's options stay as they are.
bool RecreateSpecificThumbnails(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                                const std::vector<int> &rows, QWidget *parent);

// "Editer le commentaire... (Assistant)": one comment for every selected row.
bool EditComments(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                  const std::vector<int> &rows, QWidget *parent);

// "Assistant commentaire général...": the same for every entry of the gallery.
bool EditGeneralComment(GalleryDocument &doc, const GeneralOptions &general, Profile &profile,
                        const std::vector<int> &rows, QWidget *parent);
