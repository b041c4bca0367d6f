#pragma once
// The rows of a gallery's list: one per document entry, in document order.
// Each row keeps only the three texts the document handed over (path,
// information text, thumbnail text), sharing their storage; the comment and
// options columns are asked of the document whenever they are drawn.
// GUI thread only.

#include <QAbstractTableModel>
#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QString>
#include <functional>
#include <vector>

class GalleryDocument;

class GalleryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { FileColumn, SizeColumn, CommentColumn, ThumbnailColumn, OptionsColumn, ColumnCount };

    struct RowTexts {
        QString path;
        QString info;
        QString thumbnail;
    };

    explicit GalleryModel(GalleryDocument &document, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rows that arrived together; `first` beyond the end appends.
    void InsertRows(int first, std::vector<RowTexts> &&rows);
    void RemoveRow(int row);
    void RemoveRows(int first, int count);
    // New row i is old row order[i], over the first order.size() rows; the
    // selection and current row follow their rows.
    void ReorderRows(const std::vector<int> &order);
    // The row of `path`, looked for at `hint` first: rows may have moved
    // since the document named it.
    void SetThumbnailText(int hint, const QString &path, const QString &text);
    void CopyThumbnailText(int from, int to);
    // The comment and options columns follow the document.
    void RefreshDocumentColumns();

    QString Path(int row) const;
    QString Info(int row) const;
    QString ThumbnailText(int row) const;
    // The thumbnail column names a file rather than a state.
    bool HasThumbnailFile(int row) const;

    GalleryDocument &Document() const { return m_document; }
    // Who carries out a comment edited in place (the view records it for
    // undo); by default the document takes it directly.
    using CommentEditor = std::function<void(int row, const QString &text)>;
    void SetCommentEditor(CommentEditor editor) { m_commentEditor = std::move(editor); }

private:
    QIcon FileIcon(const QString &path) const;
    int FindRow(int hint, const QString &path) const;

    GalleryDocument &m_document;
    CommentEditor m_commentEditor;
    std::vector<RowTexts> m_rows;
    QFileIconProvider m_iconProvider;
    mutable QHash<QString, QIcon> m_iconsBySuffix;
    QIcon m_commentIcon;
    QIcon m_thumbnailIcon;
    QIcon m_optionsIcon;
};

// Whether a thumbnail text names a file (not empty, not one of the states).
bool IsThumbnailFileText(const QString &text);
