#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

class QLabel;
class QVBoxLayout;

// Common ground of the main window's pages: the date the page last
// computed for, and the picture shown while it has no records.
class PageBase : public QWidget
{
    Q_OBJECT

public:
    explicit PageBase(QWidget *parent = nullptr);

    // The working date the page last recomputed for ("" before the first).
    QString ComputedDate() const { return m_strComputedDate; }
    void ShowEmptyState(bool empty);
    bool IsEmptyStateShown() const;
    // Gives the empty-state picture its control id and image, drawn at
    // size, in place of the plain "暂无记录" text.
    void SetEmptyPicture(const QString &id, const QString &image, const QSize &size = QSize(160, 120));
    // Takes the empty-state picture out of the page's layout, which
    // centres it, and puts it gap pixels above target (a widget of the
    // page), with the picture's x = pointX over target's horizontal middle:
    // a picture that points at a button under it follows the button
    // wherever the page's layout puts it.
    void PlaceEmptyPictureAbove(const QWidget *target, int pointX, int gap);

protected:
    void SetComputedDate(const QString &date) { m_strComputedDate = date; }
    QVBoxLayout *PageLayout() const { return m_layout; }

private:
    QString m_strComputedDate;
    QVBoxLayout *m_layout = nullptr;
    QLabel *m_empty = nullptr;
};
