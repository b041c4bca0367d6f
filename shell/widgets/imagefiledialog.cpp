#include "shell/widgets/imagefiledialog.h"

#include "platform/profile.h"
#include "shell/widgets/imagepreviewpane.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("WindowState/PreviewOpenDialog");
const QString kAllowed = QStringLiteral("PreviewAllowed");
} // namespace

QStringList ImageFileFilters()
{
    return {QStringLiteral("Images Internet (*.jpg *.jpeg *.gif *.png *.webp *.heic *.heif *.avif)"), QStringLiteral("Tous les fichiers (*)")};
}

ImageFileDialog::ImageFileDialog(Profile &profile, bool multiple, QWidget *parent)
    : QFileDialog(parent), m_profile(profile)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    setNameFilters(ImageFileFilters());
    setWindowTitle(QStringLiteral("Ouvrir"));

    auto *preview = new QWidget(this);
    auto *column = new QVBoxLayout(preview);
    column->setContentsMargins(0, 0, 0, 0);
    m_previewBox = new QCheckBox(QStringLiteral("Aperçu :"), preview);
    m_previewBox->setObjectName(QStringLiteral("previewAllowed"));
    m_pane = new ImagePreviewPane(preview);
    m_pane->setObjectName(QStringLiteral("previewPane"));
    column->addWidget(m_previewBox, 0, Qt::AlignLeft);
    column->addWidget(m_pane, 1);
    // Qt's own dialog lays itself out on a grid; the pane goes under the list.
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(preview, grid->rowCount(), 0, 1, grid->columnCount());

    m_previewBox->setChecked(m_profile.GetInt(kSection, kAllowed, 1) != 0);
    connect(m_previewBox, &QCheckBox::toggled, this, &ImageFileDialog::setPreviewAllowed);
    connect(this, &QFileDialog::currentChanged, this, &ImageFileDialog::previewPath);
    // The current item does not follow every change of selection (a file
    // picked by selectFile(), a range chosen with Shift); the views' own
    // selection does.
    for (QAbstractItemView *view : findChildren<QAbstractItemView *>()) {
        if (view->objectName() != QLatin1String("listView") && view->objectName() != QLatin1String("treeView"))
            continue;
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, view] {
            const QModelIndexList rows = view->selectionModel()->selectedRows();
            const QModelIndex current = view->selectionModel()->currentIndex();
            const QModelIndex shown = view->selectionModel()->isRowSelected(current.row(), current.parent())
                                          ? current
                                          : (rows.isEmpty() ? QModelIndex() : rows.constFirst());
            previewPath(shown.data(QFileSystemModel::FilePathRole).toString());
        });
    }
}

void ImageFileDialog::previewPath(const QString &path)
{
    if (path == m_current)
        return;
    m_current = path;
    if (m_previewBox->isChecked())
        m_pane->showFile(path);
}

void ImageFileDialog::setPreviewAllowed(bool allowed)
{
    m_profile.WriteInt(kSection, kAllowed, allowed ? 1 : 0);
    if (allowed)
        m_pane->showFile(m_current);
    else
        m_pane->clear();
}
