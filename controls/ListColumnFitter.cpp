#include "ListColumnFitter.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QHash>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QToolTip>

#include <algorithm>
#include <numeric>

std::vector<int> ListColumnWidths(const std::vector<ListColumnNeed>& needs, int room)
{
    const auto full = [](const ListColumnNeed& need) { return std::max(need.title, need.text); };
    const auto shared = [](const ListColumnNeed& need) { return need.fit == ColumnFit::Shared; };
    // Whole columns in full, shared ones by their titles; then what the
    // shared ones want beyond, if the room has it.
    std::vector<int> widths;
    int wanted = 0;
    for (const ListColumnNeed& need : needs) {
        widths.push_back(shared(need) ? need.title : full(need));
        wanted += full(need) - widths.back();
    }
    const int left = room - std::accumulate(widths.begin(), widths.end(), 0);
    if (left >= wanted) {
        for (std::size_t i = 0; i < needs.size(); ++i)
            widths[i] = full(needs[i]);
    } else if (left > 0) {
        // The highest width the cut columns can all have: below it a column
        // is whole, at it, cut.
        const auto grown = [&](int level) {
            int sum = 0;
            for (const ListColumnNeed& need : needs) {
                if (shared(need))
                    sum += std::clamp(level, need.title, full(need)) - need.title;
            }
            return sum;
        };
        int level = 0;
        for (int step = room; step > 0; step /= 2) {
            while (grown(level + step) <= left)
                level += step;
        }
        // The pixels short of the next level go to the first cut columns.
        int spare = left - grown(level);
        for (std::size_t i = 0; i < needs.size(); ++i) {
            if (!shared(needs[i]))
                continue;
            widths[i] = std::clamp(level, needs[i].title, full(needs[i]));
            if (spare > 0 && needs[i].title <= level && level < full(needs[i])) {
                ++widths[i];
                --spare;
            }
        }
    }
    const int sum = std::accumulate(widths.begin(), widths.end(), 0);
    if (!widths.empty() && sum < room)
        widths.back() += room - sum;
    return widths;
}

int ListCellWidth(const QTableView* view, const QString& text)
{
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.font = view->font();
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = text;
    const QSize size = view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), view);
    return size.width() + (view->showGrid() ? 1 : 0);
}

int ListTitleWidth(const QTableView* view, int column)
{
    // A title gets the room a cell would give it, not only the header's
    // tight fit.
    const QString title = view->model()->headerData(column, Qt::Horizontal).toString();
    return std::max(view->horizontalHeader()->sectionSizeHint(column), ListCellWidth(view, title));
}

namespace {

// A text's width as the sum of its characters' advances. Laying out each
// text of a search of forty thousand bills would take longer than the
// search; adding up characters is quick and, for a shop's codes, dates,
// amounts, names and remarks, lands within advanceSlack of the laid-out
// width (kerning, rounding): near enough to pick the few texts worth laying
// out.
class AdvanceSum
{
public:
    explicit AdvanceSum(const QFont& font)
        : m_metrics(font)
        , m_advances(0x10000, -1)
    {
    }

    qreal operator()(const QString& text)
    {
        qreal sum = 0;
        for (const QChar c : text) {
            float& advance = m_advances[c.unicode()];
            if (advance < 0)
                advance = static_cast<float>(m_metrics.horizontalAdvance(c));
            sum += advance;
        }
        return sum;
    }

private:
    QFontMetricsF m_metrics;
    std::vector<float> m_advances;
};

qreal advanceSlack(qreal width)
{
    return 1 + width / 100;
}

// The widest texts by their sums that are laid out as the list draws them.
constexpr std::size_t kLaidOutTexts = 64;

// The texts of a column with the greatest sums, one more than are laid
// out, kept as a heap with the least in front; a text is kept once.
class WidestTexts
{
public:
    void Add(const QString& text, qreal sum)
    {
        if (m_texts.size() > kLaidOutTexts && sum <= m_texts.front().first)
            return;
        if (std::any_of(m_texts.begin(), m_texts.end(), [&](const Sum& kept) { return kept.second == text; }))
            return;
        // A copy of its own: the text may be gone after the call.
        m_texts.emplace_back(sum, QString(text.constData(), text.size()));
        std::push_heap(m_texts.begin(), m_texts.end(), greater);
        if (m_texts.size() > kLaidOutTexts + 1) {
            std::pop_heap(m_texts.begin(), m_texts.end(), greater);
            m_texts.pop_back();
        }
    }

    // The width the widest text takes in a cell of the view.
    int CellWidth(const QTableView* view)
    {
        std::sort_heap(m_texts.begin(), m_texts.end(), greater);
        int width = 0;
        for (std::size_t i = 0; i < std::min(m_texts.size(), kLaidOutTexts); ++i)
            width = std::max(width, ListCellWidth(view, m_texts[i].second));
        // Every text not laid out is no wider than the next sum and its
        // slack.
        if (m_texts.size() > kLaidOutTexts) {
            const qreal sum = m_texts.back().first;
            width = std::max(width, ListCellWidth(view, QString()) + qCeil(sum + advanceSlack(sum)));
        }
        return width;
    }

private:
    using Sum = std::pair<qreal, QString>;
    static bool greater(const Sum& a, const Sum& b) { return a.first > b.first; }

    std::vector<Sum> m_texts;
};

} // namespace

ListColumnFitter::ListColumnFitter(QTableView* view, std::vector<ColumnFit> fits)
    : QObject(view)
    , m_view(view)
    , m_fits(std::move(fits))
{
    view->horizontalHeader()->setStretchLastSection(false);
    view->viewport()->installEventFilter(this);
    const QAbstractItemModel* model = view->model();
    connect(model, &QAbstractItemModel::modelReset, this, &ListColumnFitter::Fit);
    connect(model, &QAbstractItemModel::rowsInserted, this, &ListColumnFitter::Fit);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &ListColumnFitter::Fit);
    connect(model, &QAbstractItemModel::dataChanged, this, &ListColumnFitter::Fit);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &ListColumnFitter::Fit);
    Fit();
}

void ListColumnFitter::Fit()
{
    const QAbstractItemModel* model = m_view->model();
    const int count = std::min(model->columnCount(), static_cast<int>(m_fits.size()));
    for (int column = 0; column < model->columnCount(); ++column)
        m_view->setColumnHidden(column, column >= count);
    // Row by row: a row's texts lie together.
    AdvanceSum advances(m_view->font());
    std::vector<WidestTexts> widest(static_cast<std::size_t>(count));
    const auto add
        = [&](int column, const QString& text) { widest[static_cast<std::size_t>(column)].Add(text, advances(text)); };
    if (const auto* direct = dynamic_cast<const ListColumnTexts*>(model)) {
        direct->VisitTexts(count, add);
    } else {
        for (int row = 0; row < model->rowCount(); ++row) {
            for (int column = 0; column < count; ++column)
                add(column, model->index(row, column).data().toString());
        }
    }
    m_needs.clear();
    for (int column = 0; column < count; ++column) {
        m_needs.push_back({m_fits[static_cast<std::size_t>(column)], ListTitleWidth(m_view, column),
            widest[static_cast<std::size_t>(column)].CellWidth(m_view)});
    }
    Apply();
}

void ListColumnFitter::Apply()
{
    const std::vector<int> widths = ListColumnWidths(m_needs, m_view->viewport()->width());
    for (std::size_t column = 0; column < widths.size(); ++column)
        m_view->setColumnWidth(static_cast<int>(column), widths[column]);
}

bool ListColumnFitter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        Apply();
    } else if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = m_view->indexAt(help->pos());
        const QString text = index.data().toString();
        if (index.isValid() && ListCellWidth(m_view, text) > m_view->columnWidth(index.column())) {
            QToolTip::showText(help->globalPos(), text, m_view->viewport(), m_view->visualRect(index));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FitReportColumns(QTableView* view, std::vector<ColumnFit> fits)
{
    delete view->findChild<ListColumnFitter*>(QString(), Qt::FindDirectChildrenOnly);
    new ListColumnFitter(view, std::move(fits));
}
