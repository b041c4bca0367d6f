#include "shell/app/aboutdialog.h"

#include "shell/common/linkopening.h"
#include "shell/common/programinfo.h"
#include "shell/widgets/hyperlinklabel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kIconSide = 48;

QPixmap ProgramPixmap()
{
    // The resource may be absent from a partial build; the window icon then stands in.
    const QPixmap own = QIcon(QStringLiteral(":/icons/gallorim.svg")).pixmap(kIconSide);
    return own.isNull() ? QApplication::windowIcon().pixmap(kIconSide) : own;
}

QString WithoutMailScheme(const QString &address)
{
    const QString scheme = QStringLiteral("mailto:");
    return address.startsWith(scheme, Qt::CaseInsensitive) ? address.mid(scheme.size()) : address;
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("A propos de Gallorim"));

    auto *icon = new QLabel(this);
    icon->setPixmap(ProgramPixmap());
    icon->setAccessibleName(QStringLiteral("Icône de Gallorim"));
    icon->setVisible(!icon->pixmap().isNull());

    auto *text = new QVBoxLayout;
    text->addWidget(new QLabel(ProgramInfo::VersionLine(), this));
    text->addWidget(new QLabel(QStringLiteral("Galeries de photos pour le web"), this));
    m_webSite = new HyperlinkLabel(ProgramInfo::WebSite(), QString(), this);
    m_mail
        = new HyperlinkLabel(WithoutMailScheme(ProgramInfo::MailAddress()), ProgramInfo::MailAddress(), this);
    UseProgramOpener(m_webSite);
    UseProgramOpener(m_mail);
    text->addWidget(m_webSite, 0, Qt::AlignLeft);
    text->addWidget(m_mail, 0, Qt::AlignLeft);

    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    // Enter closes the box rather than opening the first link.
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
