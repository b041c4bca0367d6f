#pragma once
// "A propos de Gallorim": the program's icon, version, web site and address.

#include <QDialog>

class HyperlinkLabel;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    HyperlinkLabel *webSiteLink() const { return m_webSite; }
    HyperlinkLabel *mailLink() const { return m_mail; }

private:
    HyperlinkLabel *m_webSite = nullptr;
    HyperlinkLabel *m_mail = nullptr;
};
