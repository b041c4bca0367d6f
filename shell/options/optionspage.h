#pragma once
// One page of the document options sheet. A page loads a copy of its option
// group when it is made, checks its fields when the sheet is accepted, and
// only then stores its keys into the record the sheet hands back.

#include <QWidget>
#include <optional>

#include "shell/options/dialogfields.h"

struct GalleryOptions;
struct GeneralOptions;
class Profile;

class OptionsPage : public QWidget {
    Q_OBJECT
public:
    OptionsPage(const GeneralOptions &general, QWidget *parent = nullptr);

    virtual QString title() const = 0;
    // Reads every field into the page's copy of its group, rewriting the
    // edits where the rules normalise a value. The first refused field is
    // answered; the sheet reports it. Nothing typed is cleared.
    virtual std::optional<FieldError> validate() = 0;
    // Copies the page's own keys from its checked copy into `options`.
    virtual void store(GalleryOptions &options) const = 0;
    // Writes the page's group, as it now stands in `options`, to its section.
    virtual void saveGroup(const GalleryOptions &options, Profile &profile) const = 0;

protected:
    bool tooltipsOn() const;
    const GeneralOptions &m_general;
};
