#include "shell/preview/previewstatusbar.h"

#include "shell/widgets/valuelabel.h"

#include <QDir>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

namespace {
// The widths the panes are measured by.
const QString kProgressWidthText(24, QLatin1Char(' '));
const QString kLongestName = QStringLiteral("WWWWWWWW.JPG");
} // namespace

QString PreviewBlankText()
{
    return QStringLiteral("  ");
}

QString PreviewNameText(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QDir::separator()));
    if (cut < 0 || cut == path.size() - 1)
        return path;
    return path.mid(cut + 1);
}

QString PreviewSizeText(qint64 bytes)
{
    if (bytes == 0)
        return PreviewBlankText();
    static const char *const kUnits[] = {"Octets ", "Ko ", "Mo ", "Go ", "To "};
    double x = double(bytes);
    int divisions = 0;
    while (x > 1024) {
        x /= 1024;
        ++divisions;
    }
    QString text = QString::asprintf("%.1f ", x);
    if (divisions < 5)
        text += QString::fromLatin1(kUnits[divisions]);
    return text;
}

QString PreviewDimensionText(QSize size)
{
    if (size.width() == 0 && size.height() == 0)
        return PreviewBlankText();
    return QString::asprintf("%dx%d", size.width(), size.height());
}

PreviewStatusBar::PreviewStatusBar(QWidget *parent)
    : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    setAccessibleName(QStringLiteral("Barre d'état"));
    m_message = new ValueLabel(QStringLiteral("Message"), this);
    addWidget(m_message, 1);
    m_progress = new QProgressBar(this);
    m_progress->setAccessibleName(QStringLiteral("Progression"));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setFixedWidth(fontMetrics().horizontalAdvance(kProgressWidthText));
    addPermanentWidget(m_progress);
    m_name = AddPane(QStringLiteral("Nom du fichier"));
    m_size = AddPane(QStringLiteral("Taille du fichier"));
    m_dimensions = AddPane(QStringLiteral("Dimensions"));
    m_resizeTimer = new QTimer(this);
    m_resizeTimer->setSingleShot(true);
    m_resizeTimer->setInterval(10);
    connect(m_resizeTimer, &QTimer::timeout, this, &PreviewStatusBar::ResizePanes);
    ResetTexts();
    ResizePanes();
}

ValueLabel *PreviewStatusBar::AddPane(const QString &caption)
{
    auto *pane = new ValueLabel(caption, this);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    addPermanentWidget(pane);
    return pane;
}

void PreviewStatusBar::ShowMessage(const QString &text)
{
    m_message->setText(text);
    m_message->setValue(text);
}

void PreviewStatusBar::SetPaneText(ValueLabel *pane, const QString &text)
{
    pane->setValue(text);
    pane->setText(text);
    pane->setToolTip(pane == m_name && text.trimmed().size() ? text : QString());
    m_resizeTimer->start();
}

void PreviewStatusBar::ResetTexts()
{
    SetPaneText(m_name, PreviewBlankText());
    SetPaneText(m_size, PreviewBlankText());
    SetPaneText(m_dimensions, PreviewBlankText());
}

void PreviewStatusBar::ShowFile(const QString &path, qint64 bytes)
{
    SetPaneText(m_name, PreviewNameText(path));
    SetPaneText(m_size, PreviewSizeText(bytes));
}

void PreviewStatusBar::ShowDimensions(QSize size)
{
    SetPaneText(m_dimensions, PreviewDimensionText(size));
}

void PreviewStatusBar::StartProgress(int steps)
{
    m_progress->setRange(0, std::max(1, steps));
    m_progress->setValue(0);
}

void PreviewStatusBar::StepProgress()
{
    m_progress->setValue(std::min(m_progress->value() + 1, m_progress->maximum()));
}

void PreviewStatusBar::ResetProgress()
{
    m_progress->setValue(0);
}

QString PreviewStatusBar::nameText() const
{
    return m_name->value();
}
QString PreviewStatusBar::sizeText() const
{
    return m_size->value();
}
QString PreviewStatusBar::dimensionText() const
{
    return m_dimensions->value();
}
int PreviewStatusBar::progressValue() const
{
    return m_progress->value();
}

void PreviewStatusBar::ResizePanes()
{
    const QFontMetrics metrics = fontMetrics();
    auto fit = [&](QLabel *pane, int textWidth) {
        const QMargins m = pane->contentsMargins();
        pane->setFixedWidth(textWidth + m.left() + m.right() + 2 * pane->margin() + 4);
    };
    const int nameLimit = metrics.horizontalAdvance(kLongestName);
    const QString name = m_name->value();
    const int nameWidth = std::min(metrics.horizontalAdvance(name), nameLimit);
    m_name->setText(metrics.elidedText(name, Qt::ElideMiddle, nameWidth));
    fit(m_name, nameWidth);
    fit(m_size, metrics.horizontalAdvance(m_size->text()));
    fit(m_dimensions, metrics.horizontalAdvance(m_dimensions->text()));
}
