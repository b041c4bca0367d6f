#include "shell/documentoptionsdialog.h"

#include "shell/dialogbuttons.h"
#include "shell/dialogtooltips.h"
#include "shell/generaloptions.h"
#include "shell/linkspage.h"
#include "shell/slideshowpage.h"
#include "shell/thumbnails1page.h"
#include "shell/thumbnails2page.h"
#include "shell/webpage1page.h"
#include "shell/webpage2page.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

DocumentOptionsDialog::DocumentOptionsDialog(const GalleryOptions &options, const GeneralOptions &general,
                                             Profile &profile, QWidget *parent)
    : QDialog(parent), m_tabs(new QTabWidget(this))
{
    setWindowTitle(QStringLiteral("Options du document..."));
    m_tabs->setAccessibleName(QStringLiteral("Pages des options du document"));
    m_pages = {new WebPage1Page(options, general, profile), new WebPage2Page(options, general),
               new LinksPage(options, general),     new Thumbnails1Page(options, general),
               new Thumbnails2Page(options, general), new SlideshowPage(options, general)};
    for (OptionsPage *page : m_pages)
        m_tabs->addTab(page, page->title());
    m_shown.assign(m_pages.size(), false);
    m_shown[0] = true;
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0)
            m_shown[index] = true;
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    auto *buttons = MakeOkCancelButtons(this);
    layout->addWidget(buttons);
    ApplyDialogTooltips(this, general.DisplayTooltipsInDialogs == 1);
}

void DocumentOptionsDialog::accept()
{
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (!m_shown[i])
            continue;
        if (const auto error = m_pages[i]->validate()) {
            m_tabs->setCurrentIndex(int(i));
            ReportFieldError(this, *error);
            return;
        }
    }
    QDialog::accept();
}

void DocumentOptionsDialog::store(GalleryOptions &options) const
{
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        if (m_shown[i])
            m_pages[i]->store(options);
}

void DocumentOptionsDialog::saveGroups(const GalleryOptions &options, Profile &profile) const
{
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        if (m_shown[i])
            m_pages[i]->saveGroup(options, profile);
}
