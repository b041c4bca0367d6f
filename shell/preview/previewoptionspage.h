#pragma once
// The "Prévisualisation" options page, bound to the preview window: every
// change is pushed to the window (and stored) at once. A dialog that offers
// to cancel calls Revert().

#include "shell/preview/previewoptions.h"

#include <QPointer>
#include <QWidget>

class PreviewWindow;
class ColorSwatch;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QTimer;

class PreviewOptionsPage : public QWidget {
    Q_OBJECT
public:
    // `tooltips`: the user's choice of tooltips in option dialogs.
    PreviewOptionsPage(PreviewWindow &window, bool tooltips, QWidget *parent = nullptr);

    // Puts back the values the window had when the page was made.
    void Revert();
    // The blinking sample's state, for tests.
    bool sampleShown() const;

private:
    void Show(const PreviewOptions &options);
    void UpdateEnabled();
    void UpdateSwatch();
    void Blink();

    QPointer<PreviewWindow> m_window;
    PreviewOptions m_initial;
    QCheckBox *m_toolBar = nullptr;
    QButtonGroup *m_sides = nullptr;
    QCheckBox *m_statusBar = nullptr;
    QCheckBox *m_animation = nullptr;
    QLabel *m_sample = nullptr;
    QTimer *m_blink = nullptr;
    QCheckBox *m_autoBackground = nullptr;
    ColorSwatch *m_color = nullptr;
};
