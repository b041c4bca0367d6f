#pragma once
// shell/print: printing a gallery's list: page geometry, layout, the preview
// window and its page area. It uses nothing else of shell/.
//
// The multipage print preview of a gallery's list: a tool bar (print,
// next and previous page, zoom in and out, the pages menu, "&Fermer",
// "Paysage") over the pages. The model is followed while the window is
// open; the window closes when the model goes away. GUI thread only.

#include "shell/print/listprintlayout.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class PrintPreviewArea;
class QAbstractItemModel;
class QCheckBox;
class QPrinter;
class QPushButton;
class QToolButton;

class PrintPreviewWindow : public QWidget {
    Q_OBJECT
public:
    // `printer` is the program's printer: "Paysage" changes its orientation.
    PrintPreviewWindow(const ListPrintSource &source, QPrinter &printer, QWidget *parent = nullptr);
    ~PrintPreviewWindow() override;

    // Whether there are pages to show on the printer's paper.
    bool isReady() const;
    const ListPrintLayout &layout() const { return *m_layout; }
    PrintPreviewArea *pageArea() const { return m_area; }

    // The pages-at-once choice of the last preview in this run (1 at start).
    static int RememberedPagesShown();

private:
    void BuildToolBar();
    QToolButton *AddButton(const QString &name, const QIcon &icon, const QKeySequence &shortcut);
    void BuildPagesMenu();
    void Relayout();
    void UpdateButtons();
    void ChoosePages(int pages);
    void OnLandscapeToggled(bool landscape);
    void Print();
    void FollowModel();

    ListPrintSource m_source;
    QPointer<const QAbstractItemModel> m_model;
    QPrinter &m_printer;
    std::unique_ptr<ListPrintLayout> m_layout;
    PrintPreviewArea *m_area = nullptr;
    QToolButton *m_print = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_zoomIn = nullptr;
    QToolButton *m_zoomOut = nullptr;
    QToolButton *m_pages = nullptr;
    QPushButton *m_close = nullptr;
    QCheckBox *m_landscape = nullptr;
};
