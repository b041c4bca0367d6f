#include "shell/widgets/lockindicators.h"

#include "shell/widgets/valuelabel.h"

#include <QGuiApplication>
#include <QStatusBar>

#ifdef GALLORIM_HAVE_X11
#include <X11/XKBlib.h>
#endif

LockIndicators::LockIndicators(QStatusBar *bar) : QObject(bar)
{
    const char *texts[] = {"MAJ", "NUM", "DEF"};
    const char *names[] = {"Verrouillage majuscules", "Verrouillage numérique", "Arrêt défilement"};
    for (size_t i = 0; i < m_panes.size(); ++i) {
        m_panes[i] = new ValueLabel(QString::fromUtf8(names[i]), bar);
        m_panes[i]->setText(QString::fromUtf8(texts[i]));
        m_texts[i] = m_panes[i]->text();
        m_panes[i]->setAlignment(Qt::AlignCenter);
        m_panes[i]->setMinimumWidth(m_panes[i]->fontMetrics().horizontalAdvance(m_panes[i]->text()) + 8);
        bar->addPermanentWidget(m_panes[i]);
    }
    const int mask = ReadLockMask();
    Show(mask);
    if (mask >= 0) {
        // Lock keys change outside the program too; a cheap poll follows them.
        connect(&m_poll, &QTimer::timeout, this, [this] { Show(ReadLockMask()); });
        m_poll.start(300);
    }
}

int LockIndicators::ReadLockMask()
{
#ifdef GALLORIM_HAVE_X11
    if (auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
        unsigned state = 0;
        if (x11->display() && XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) == Success)
            return int(state & 7u);
    }
#endif
    return -1;
}

void LockIndicators::Show(int mask)
{
    for (size_t i = 0; i < m_panes.size(); ++i) {
        m_panes[i]->setVisible(mask >= 0);
        // The pane keeps its width; an unlit indicator shows no text.
        const bool lit = mask >= 0 && (mask & (1 << i));
        m_panes[i]->setText(lit ? m_texts[i] : QString());
        m_panes[i]->setValue(lit ? QStringLiteral("activé") : QStringLiteral("désactivé"));
    }
}
