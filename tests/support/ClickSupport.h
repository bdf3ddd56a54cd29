#pragma once

// The clicks a person makes in the tests of every page: a button found by
// its control id, a row of a list, a double-click on a row.

#include <QAbstractButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

// Clicks the button with that control id, as a person would.
inline void clickButton(QWidget* parent, const char* id)
{
    auto* button = parent->findChild<QAbstractButton*>(QString::fromLatin1(id));
    if (!button) {
        ADD_FAILURE() << "no button " << id;
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

// A click in the middle of the row's second cell.
inline void clickRow(QTableWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row, 1)).center());
}

// A person's double-click: press, release, the second press that the
// system reports as a double-click, release.
inline void doubleClickRow(QTableWidget* list, int row)
{
    const QPoint at = list->visualItemRect(list->item(row, 1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
}
