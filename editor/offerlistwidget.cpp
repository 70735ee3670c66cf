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
        const QList<QListWidgetItem*> selected = selectedItems();
        if (!selected.isEmpty())
            emit entryPicked(row(selected.front()));
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        emit entryPicked(currentRow());
}

} // namespace bidmark
