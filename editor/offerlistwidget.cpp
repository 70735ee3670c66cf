#include "editor/offerlistwidget.h"

namespace bidmark {

OfferListWidget::OfferListWidget(QWidget* parent)
    : QListWidget(parent)
{
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit entryPicked(index.row()); });
}

void OfferListWidget::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        emit entryPicked(currentRow());
}

} // namespace bidmark
