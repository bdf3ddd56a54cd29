#include "PageBase.h"

#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

PageBase::PageBase(QWidget *parent)
    : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_empty = new QLabel(QStringLiteral("暂无记录"), this);
    m_empty->setObjectName(QStringLiteral("emptyState"));
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setStyleSheet(QStringLiteral("color: #808080; font-size: 18px;"));
    m_layout->addWidget(m_empty, 1);
}

void PageBase::ShowEmptyState(bool empty)
{
    m_empty->setVisible(empty);
}

void PageBase::SetEmptyPicture(const QString &id, const QString &image, const QSize &size)
{
    m_empty->setObjectName(id);
    m_empty->setPixmap(QIcon(image).pixmap(size));
}

void PageBase::PlaceEmptyPictureAbove(const QWidget *target, int pointX, int gap)
{
    m_layout->removeWidget(m_empty);
    const QPoint targetTopLeft = target->mapTo(this, QPoint(0, 0));
    const QSize size = m_empty->sizeHint();
    const QPoint topLeft(targetTopLeft.x() + target->width() / 2 - pointX, targetTopLeft.y() - gap - size.height());
    m_empty->setGeometry(QRect(topLeft, size));
}

bool PageBase::IsEmptyStateShown() const
{
    return !m_empty->isHidden();
}
