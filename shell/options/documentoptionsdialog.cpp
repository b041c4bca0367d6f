#include "shell/options/documentoptionsdialog.h"

#include "shell/common/dialogtooltips.h"
#include "shell/common/generaloptions.h"
#include "shell/options/linkspage.h"
#include "shell/options/slideshowpage.h"
#include "shell/options/thumbnails1page.h"
#include "shell/options/thumbnails2page.h"
#include "shell/options/webpage1page.h"
#include "shell/options/webpage2page.h"
#include "shell/widgets/dialogbuttons.h"

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
