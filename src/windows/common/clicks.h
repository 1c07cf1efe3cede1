#pragma once
// Binding click commands from a table: each row names a control and the
// handler of the window that its click runs, {Button1, &TForm8::Button1Click}.
#include "platform/controls.h"

#include <initializer_list>
#include <type_traits>

namespace kv {

template<class Form> struct Click
{
    ClickCommand *control;
    void (Form::*handler)();
};

template<class Form>
void bindClicks(Form *form, std::initializer_list<Click<std::type_identity_t<Form>>> clicks)
{
    for (const auto &click : clicks)
        click.control->setOnClick([form, handler = click.handler] { (form->*handler)(); });
}

} // namespace kv
