#include "editor/offerlistwidget.h"

#include <QKeyEvent>

namespace bidmark {

OfferListWidget::OfferListWidget(QWidget* parent)
    : QListWidget(parent)
{
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit entryPicked(index.row()); });
}

void OfferListWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Delete) {
        // The entry with the focus, selected or not.
        if (currentItem())
            emit entryPicked(currentRow());
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        emit entryPicked(currentRow());
}

} // namespace bidmark
