#pragma once
#include <QListWidget>

namespace bidmark {

// The offer list: a plain list that says when the user picks an entry, by a
// click (also on the entry already selected), by moving the selection with
// the keyboard, or by Enter or Delete on the entry that has the focus (selected or
// not), but not when the
// program changes it.
class OfferListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit OfferListWidget(QWidget* parent = nullptr);

signals:
    void entryPicked(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace bidmark
