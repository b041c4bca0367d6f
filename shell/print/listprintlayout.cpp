#include "shell/print/listprintlayout.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QIcon>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QTreeView>
#include <algorithm>
#include <cmath>

namespace {

// The list's font with face, weight and size replaced; the size becomes
// device pixels so a scaled painter on the screen draws the same page.
QFont PrintFont(const QFont &base, const QStringList &families, QFont::Weight weight, int points,
    const QPaintDevice &device)
{
    QFont font(base);
    font.setFamilies(families);
    font.setWeight(weight);
    font.setItalic(false);
    font.setUnderline(false);
    font.setPixelSize(std::max(1, int(std::lround(points * device.logicalDpiY() / 72.0))));
    // Unhinted glyphs keep the same advances on the printer and, scaled, on the screen.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

// Arial and Times New Roman where installed, else their metric twins.
QStringList Sans()
{
    return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
}
QStringList Serif()
{
    return {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")};
}

int LineHeight(const QFontMetricsF &metrics)
{
    return int(std::ceil(metrics.height()));
}

// Line breaks and tabs of a cell print as spaces on its one line.
QString OneLine(QString text)
{
    for (QChar &c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }
    return text;
}

constexpr int TextFlags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine;

} // namespace

ListPrintSource ListPrintSource::FromView(
    const QTreeView &view, const QString &pageTitle, const QString &documentTitle)
{
    ListPrintSource source;
    source.model = view.model();
    source.screenFont = view.font();
    source.pageTitle = pageTitle;
    source.documentTitle = documentTitle;
    const QHeaderView *header = view.header();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            source.columns.append({logical, header->sectionSize(logical)});
    }
    return source;
}

double ListPrintLayout::AverageCharWidth(const QFontMetricsF &metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"))
        / 52.0;
}

ListPrintLayout::ListPrintLayout(const ListPrintSource &source, const QPaintDevice &device)
    : m_model(source.model)
    , m_columns(source.columns)
    , m_pageTitle(source.pageTitle)
    , m_documentTitle(source.documentTitle)
    , m_titleFont(PrintFont(source.screenFont, Sans(), QFont::Bold, 12, device))
    , m_footerFont(PrintFont(source.screenFont, Sans(), QFont::Normal, 10, device))
    , m_headerFont(PrintFont(source.screenFont, Sans(), QFont::Bold, 9, device))
    , m_bodyFont(PrintFont(source.screenFont, Serif(), QFont::Normal, 10, device))
    , m_titleMetrics(m_titleFont, &device)
    , m_footerMetrics(m_footerFont, &device)
    , m_headerMetrics(m_headerFont, &device)
    , m_bodyMetrics(m_bodyFont, &device)
    , m_titleLine(LineHeight(m_titleMetrics))
    , m_footerLine(LineHeight(m_footerMetrics))
    , m_headerLine(LineHeight(m_headerMetrics))
    , m_bodyLine(LineHeight(m_bodyMetrics))
    , m_page(0, 0, device.width(), device.height())
{
    const double screenAverage = AverageCharWidth(QFontMetricsF(source.screenFont));
    if (screenAverage > 0)
        m_scale = AverageCharWidth(m_bodyMetrics) / screenAverage;

    using namespace PrintGeometry;
    const int left = LeftMargin;
    const int right = m_page.width() - RightMargin;
    m_headerBand = {TopMargin, 2 * m_titleLine};
    m_footerBand = {m_page.height() - BottomMargin - 2 * m_footerLine, 2 * m_footerLine};
    const int bodyTop = m_headerBand.top + m_headerBand.height;
    m_body = QRect(left, bodyTop, std::max(right - left, 0), std::max(m_footerBand.top - bodyTop, 0));

    std::vector<int> widths;
    for (const auto &column : m_columns)
        widths.push_back(column.width);
    m_spans = ColumnSpans(m_body.left(), left + m_body.width(), widths, m_scale);

    m_rowCount = m_model ? m_model->rowCount() : 0;
    m_rowsPerPage = RowsPerPage(m_body.height(), m_headerLine, m_bodyLine);
    m_pageCount = PageCount(m_rowCount, m_rowsPerPage);
}

void ListPrintLayout::PaintPage(QPainter &painter, int page) const
{
    if (page < 1 || page > m_pageCount)
        return;
    painter.save();
    painter.setPen(Qt::black);
    PaintHeader(painter);
    PaintColumnHeaders(painter);
    const int first = (page - 1) * m_rowsPerPage;
    // The model may have lost rows since the layout was made.
    const int end = std::min({m_rowCount, page * m_rowsPerPage, m_model ? m_model->rowCount() : 0});
    int top = m_body.top() + m_headerLine;
    for (int row = first; row < end; ++row, top += m_bodyLine)
        PaintRow(painter, row, top);
    PaintFooter(painter, page);
    painter.restore();
}

void ListPrintLayout::PaintRule(QPainter &painter, int y) const
{
    // As thick as the scale's integer part; a hairline below 1.
    const int thickness = int(m_scale);
    painter.setPen(QPen(Qt::black, thickness, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(m_body.left(), y, m_body.left() + m_body.width(), y);
    painter.setPen(Qt::black);
}

void ListPrintLayout::PaintHeader(QPainter &painter) const
{
    // The rule sits 1.5 title lines down the band; the titles stand on the
    // band above it instead of being struck through by it.
    const int ruleY = m_headerBand.top + m_titleLine * 3 / 2;
    const QRect titles(m_body.left(), m_headerBand.top, m_body.width(), ruleY - m_headerBand.top);
    painter.setFont(m_titleFont);
    const int half = m_body.width() / 2;
    painter.drawText(titles, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine,
        m_titleMetrics.elidedText(OneLine(m_pageTitle), Qt::ElideRight, half));
    painter.drawText(titles, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine,
        m_titleMetrics.elidedText(OneLine(m_documentTitle), Qt::ElideRight, half));
    PaintRule(painter, ruleY);
}

void ListPrintLayout::PaintColumnHeaders(QPainter &painter) const
{
    if (!m_model)
        return;
    painter.setFont(m_headerFont);
    for (int i = 0; i < int(m_spans.size()); ++i) {
        const auto &span = m_spans[i];
        if (span.isEmpty())
            continue;
        const QString text
            = m_model->headerData(m_columns[i].logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString();
        painter.drawText(QRect(span.left, m_body.top(), span.right - span.left, m_headerLine), TextFlags,
            m_headerMetrics.elidedText(OneLine(text), Qt::ElideRight, span.right - span.left));
    }
}

void ListPrintLayout::PaintRow(QPainter &painter, int row, int top) const
{
    painter.setFont(m_bodyFont);
    for (int i = 0; i < int(m_spans.size()); ++i) {
        const auto &span = m_spans[i];
        if (span.isEmpty())
            continue;
        const int column = m_columns[i].logicalIndex;
        const QModelIndex index = m_model->index(row, column);
        int left = span.left;
        // Columns 2 to 4 (comment, thumbnail, options) print the icon their cell shows.
        if (column >= 2 && column <= 4) {
            const QVariant decoration = index.data(Qt::DecorationRole);
            if (decoration.canConvert<QIcon>()) {
                const QIcon icon = decoration.value<QIcon>();
                if (!icon.isNull())
                    left = PaintCellIcon(painter, icon, left, span.right, top);
            }
        }
        if (left >= span.right)
            continue;
        const QString text = OneLine(index.data(Qt::DisplayRole).toString());
        painter.drawText(QRect(left, top, span.right - left, m_bodyLine), TextFlags,
            m_bodyMetrics.elidedText(text, Qt::ElideRight, span.right - left));
    }
}

int ListPrintLayout::PaintCellIcon(QPainter &painter, const QIcon &icon, int left, int right, int top) const
{
    const int side = std::max(1, int(m_bodyLine * 0.95));
    const QImage image = IconOnWhite(icon, side);
    const QRect target(left, top + (m_bodyLine - side) / 2, side, side);
    painter.save();
    painter.setClipRect(QRect(left, top, right - left, m_bodyLine));
    painter.drawImage(target, image);
    painter.restore();
    return left + side + std::max(1, int(2 * m_scale));
}

QImage ListPrintLayout::IconOnWhite(const QIcon &icon, int side) const
{
    const QString key = QString::number(icon.cacheKey()) + u'/' + QString::number(side);
    auto found = m_iconCache.constFind(key);
    if (found != m_iconCache.constEnd())
        return *found;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Small bitmap icons are stretched up to the square, keeping their aspect.
    const QSize available = icon.actualSize(QSize(side, side));
    if (!available.isEmpty()) {
        const QPixmap pixmap = icon.pixmap(available);
        const QSize fitted = pixmap.size().scaled(side, side, Qt::KeepAspectRatio);
        QPainter p(&image);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(
            QRect(QPoint((side - fitted.width()) / 2, (side - fitted.height()) / 2), fitted), pixmap);
    }
    m_iconCache.insert(key, image);
    return image;
}

void ListPrintLayout::PaintFooter(QPainter &painter, int page) const
{
    PaintRule(painter, m_footerBand.top + m_footerLine / 2);
    const QRect band(m_body.left(), m_footerBand.top, m_body.width(), m_footerBand.height);
    painter.setFont(m_footerFont);
    painter.drawText(
        band, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, QStringLiteral("Vorlex Gallorim v3"));
    painter.drawText(band, Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine,
        QStringLiteral("Page %1 sur %2").arg(page).arg(m_pageCount));
}
