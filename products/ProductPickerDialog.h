#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <algorithm>
#include <memory>

#include "Database.h"
#include "GlobalFunctions.h"
#include "ImageButton.h"
#include "ProductWidgets.h"
#include "RecordButtons.h"
#include "RecordCardPool.h"

// What the two pickers of the bill grid share: a fixed window of entry
// cards, 15 to a page (3 rows of 5), paged by 上一页 and 下一页 and listed
// the first time the window is shown, after the opener's settings.
// Pressing an entry keeps its record and ends the picker with 1; closing
// the window ends it with 0 and no choice. Card is the entry card class;
// the picker says how many entries there are and reads a page of them.
template<typename Card>
class ProductPickerDialog : public QDialog, public ProductPickerOwner
{
public:
    static constexpr int kRows = 3;
    static constexpr int kColumns = 5;
    static constexpr int kEntries = kRows * kColumns;

    // The entry cards, for the person's clicks (and tests).
    Card *Entry(int index) const { return m_entries->card(index); }
    int CurrentPage() const { return m_entries->grid().currentPage(); }
    // Page 0 also when nothing matches.
    int LastPage() const { return std::max(0, m_entries->grid().lastPageIndex()); }

    void PickCardRecord(const struct_button_storeproduct &product) override
    {
        m_picked = product;
        done(1);
    }
    void reject() override { done(0); }

protected:
    ProductPickerDialog(const QString &title, QWidget *parent)
        : QDialog(parent)
    {
        setWindowTitle(title);
        setWindowIcon(QIcon(QStringLiteral(":/icons/icon128.svg")));
        setFixedSize(800, 420);
    }

    // The paging buttons and the entries. A picker makes them after its
    // own controls, which thus come first in the tab order.
    void CreateEntries(const char *previousId, const char *nextId)
    {
        ImageButton *previous = MakeButton(this, previousId, QStringLiteral("上一页"));
        previous->setGeometry(480, 370, 100, 30);
        ImageButton *next = MakeButton(this, nextId, QStringLiteral("下一页"));
        next->setGeometry(600, 370, 100, 30);

        // Entries 135 x 87 pixels, 142 across and 92 down from (30, 73).
        GridMetrics metrics;
        metrics.slotWidth = 135;
        metrics.slotHeight = 87;
        metrics.originX = 30;
        metrics.originY = 73;
        metrics.spacingX = 7;
        metrics.spacingY = 5;
        m_entries = std::make_unique<RecordCardPool<Card>>(this, this, kEntries, metrics);
        m_entries->grid().layoutFixed(kRows, kColumns);

        connect(previous, &QPushButton::clicked, this, [this] { ListPage(std::max(0, CurrentPage() - 1)); });
        connect(next, &QPushButton::clicked, this, [this] {
            // At the last page the entries stay as they are.
            if (CurrentPage() < LastPage())
                ListPage(CurrentPage() + 1);
        });
    }

    // How many entries the picker offers, and `count` of them from `first`
    // on. Both may throw DbError.
    virtual int CountEntries() = 0;
    virtual QList<struct_button_storeproduct> ReadEntries(int first, int count) = 0;
    // Run once, at the first showing.
    virtual void LoadEntries() { ListPage(0); }

    // Lists the page (clamped to the pages there are); false when nothing
    // matches or the database failed.
    bool ListPage(int page)
    {
        PagingGrid &grid = m_entries->grid();
        QList<struct_button_storeproduct> records;
        try {
            grid.setRecordCount(CountEntries());
            grid.setCurrentPage(page);
            records = ReadEntries(grid.firstRecordOfPage(), kEntries);
        } catch (const DbError &error) {
            ShowDbError(error, QStringLiteral("列出货品失败。"));
            return false;
        }
        m_entries->showRecords(records);
        return !records.isEmpty();
    }

    const struct_button_storeproduct &Picked() const { return m_picked; }

    void showEvent(QShowEvent *event) override
    {
        if (!m_isLoaded) {
            m_isLoaded = true;
            LoadEntries();
        }
        QDialog::showEvent(event);
    }

private:
    // The cards are children of the dialog; the pool only holds pointers.
    std::unique_ptr<RecordCardPool<Card>> m_entries;
    struct_button_storeproduct m_picked;
    bool m_isLoaded = false;
};
