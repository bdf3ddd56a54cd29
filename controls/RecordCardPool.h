#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QSize>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "PagingGrid.h"

// The cards of one page: a pool created once as children of the page (the
// page's destruction deletes them), the grid they are laid out in, and the
// handing of a page of records to them. Browsing never creates or destroys
// a card; it refills, moves, shows and hides them.
//
// Card is one of the record card classes (RecordButtons.h).
template<typename Card>
class RecordCardPool
{
public:
    using Record = typename Card::Record;
    using Owner = typename Card::Owner;

    RecordCardPool(QWidget *page, Owner *owner, int poolSize, const GridMetrics &metrics = GridMetrics())
        : m_grid(poolSize, metrics)
    {
        m_cards.reserve(static_cast<std::size_t>(m_grid.poolSize()));
        for (int i = 0; i < m_grid.poolSize(); ++i) {
            auto *card = new Card(page);
            card->SetOwner(owner);
            card->hide();
            m_cards.push_back(card);
        }
    }

    RecordCardPool(const RecordCardPool &) = delete;
    RecordCardPool &operator=(const RecordCardPool &) = delete;

    // A pool for a page as large as the primary screen's work area.
    static int ScreenPoolSize(const GridMetrics &metrics = GridMetrics())
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QSize area = screen ? screen->availableGeometry().size() : QSize(1024, 768);
        return PagingGrid::PoolSizeFor(area, metrics);
    }

    PagingGrid &grid() { return m_grid; }
    const PagingGrid &grid() const { return m_grid; }
    int size() const { return static_cast<int>(m_cards.size()); }
    Card *card(int index) const { return m_cards.at(static_cast<std::size_t>(index)); }
    // Cards that hold a record of the current page.
    int shownCount() const { return m_shown; }

    // Hands the records of the current page to the first cards and lays
    // them out. At most capacity() records are taken; an empty-slot record
    // keeps its card hidden; the cards after them are hidden.
    template<typename Records>
    void showRecords(const Records &records)
    {
        const int count = std::min(static_cast<int>(records.size()), m_grid.capacity());
        for (int k = 0; k < count; ++k)
            card(k)->SetRecord(records[k]);
        m_shown = count;
        placeCards();
    }

    // Refits the grid to the page's client size and places the shown cards
    // again; false (and nothing changed) for a minimised page.
    bool layout(const QSize &clientSize)
    {
        if (!m_grid.layout(clientSize))
            return false;
        placeCards();
        return true;
    }

    // The plain face on every card, shown or hidden.
    int ResetFaces()
    {
        for (Card *c : m_cards)
            c->ResetFaceColor();
        return 1;
    }

private:
    void placeCards()
    {
        const int placed = std::min(m_shown, m_grid.capacity());
        for (int k = 0; k < size(); ++k) {
            Card *c = card(k);
            if (k < placed) {
                c->setGeometry(m_grid.slotRect(k));
                c->setVisible(c->record().EmptySlot != 1);
            } else {
                c->hide();
            }
        }
    }

    PagingGrid m_grid;
    std::vector<Card *> m_cards;
    int m_shown = 0;
};
