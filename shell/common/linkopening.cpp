#include "shell/common/linkopening.h"

#include "pagegen/buildenvironment.h"
#include "pagegen/openlink.h"
#include "shell/common/programinfo.h"
#include "shell/widgets/hyperlinklabel.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>

void ComplainAboutLink(int code, QWidget *parent)
{
    QApplication::beep();
    QMessageBox::warning(parent, ProgramInfo::ApplicationTitle(), LinkErrorMessage(code));
}

bool OpenLinkOrComplain(const QString &target, QWidget *parent)
{
    const int result = OpenLink(target, kShowMaximized);
    if (result > 32)
        return true;
    ComplainAboutLink(result, parent);
    return false;
}

void UseProgramOpener(HyperlinkLabel *link)
{
    link->setOpener([link](const QString &target) { return OpenLinkOrComplain(target, link); });
}

BuildEnvironment GuiBuildEnvironment()
{
    BuildEnvironment env;
    env.openLink = [](const QString &target, int show) { return OpenLink(target, show); };
    env.showLinkError = [](int code) {
        // Called on the build thread: the box belongs to the GUI thread.
        QMetaObject::invokeMethod(qApp, [code] { ComplainAboutLink(code, nullptr); }, Qt::QueuedConnection);
    };
    return env;
}
