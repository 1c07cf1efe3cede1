#pragma once
// Stacked buttons: several buttons in one rectangle, of which the visible
// one created last lies on top and takes a mouse click there (Qt stacks
// siblings in creation order, so the widgets do this by themselves). This
// names the one on top, for the code that needs to know.
#include <QWidget>

#include <initializer_list>

namespace kv {

// `stack` from bottom to top (creation order); nullptr when none is visible.
template<class Button> Button *topVisible(std::initializer_list<Button *> stack)
{
    Button *top = nullptr;
    for (Button *button : stack)
        if (button->isVisibleTo(button->parentWidget()))
            top = button;
    return top;
}

} // namespace kv
