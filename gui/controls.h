#pragma once
#include <type_traits>
#include <QGroupBox>
#include <QString>
#include <QWidget>

// Named controls at the positions the windows are drawn in: twips, 15 to a
// pixel, placed in Qt's device-independent pixels.
namespace bidmark::gui {

struct Twips {
    int left, top, width, height;
};

void placeTwips(QWidget* widget, Twips at);
void sizeTwips(QWidget* widget, int width, int height); // a window's fixed client size

// A new control of the parent, carrying its name as objectName, at its place.
template <class Widget>
Widget* named(QWidget* parent, const char* name, Twips at)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    placeTwips(widget, at);
    return widget;
}

// The same with a caption: a frame's title, any other control's text.
template <class Widget>
Widget* named(QWidget* parent, const char* name, Twips at, const QString& caption)
{
    Widget* widget = named<Widget>(parent, name, at);
    if constexpr (std::is_base_of_v<QGroupBox, Widget>)
        widget->setTitle(caption);
    else
        widget->setText(caption);
    return widget;
}

// One row of a window's table of controls.
struct Control {
    const char* name;
    const char* caption;
    Twips at;
};

template <class Widget>
Widget* named(QWidget* parent, const Control& control)
{
    return named<Widget>(parent, control.name, control.at, QString::fromLatin1(control.caption));
}

// Closes every window and leaves the event loop.
void endProgram();

} // namespace bidmark::gui
