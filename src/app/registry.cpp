#include "app/registry.h"

#include "windows/about/aboutwindow.h"
#include "windows/component_installation/componentinstallationwindow.h"
#include "windows/main/mainwindow.h"
#include "windows/new_component/newcomponentwindow.h"
#include "windows/package_configuration/packageconfigurationwindow.h"
#include "windows/package_installation/packageinstallationwindow.h"
#include "windows/package_management/packagemanagementwindow.h"
#include "windows/page_composer/pagecomposer.h"
#include "windows/project/newpackagedialog.h"
#include "windows/project/newprojectdialog.h"
#include "windows/project/optionswindow.h"
#include "windows/project/parameterswindow.h"
#include "windows/project/templatechangewindow.h"
#include "windows/project/templatereplacewindow.h"
#include "windows/tips/tipswindow.h"

namespace kv {
namespace {
std::unique_ptr<Registry> current;
} // namespace

Registry &registry()
{
    Q_ASSERT(current);
    return *current;
}

template<class T> T *Registry::add()
{
    auto form = std::make_unique<T>();
    T *raw = form.get();
    m_order.push_back(raw);
    m_owned.push_back(std::move(form));
    raw->FormCreate();
    return raw;
}

void Registry::create()
{
    current = std::make_unique<Registry>();
    Registry &r = *current;
    r.Form1 = r.add<TForm1>();
    TForm::setMainForm(r.Form1);
    r.Form14 = r.add<TForm14>();
    r.Form2 = r.add<TForm2>();
    r.Form3 = r.add<TForm3>();
    r.Form4 = r.add<TForm4>();
    r.Form5 = r.add<TForm5>();
    r.Form6 = r.add<TForm6>();
    r.Form7 = r.add<TForm7>();
    r.Form8 = r.add<TForm8>();
    r.Form9 = r.add<TForm9>();
    r.Form10 = r.add<TForm10>();
    r.Form11 = r.add<TForm11>();
    r.Form15 = r.add<TForm15>();
    r.Form16 = r.add<TForm16>();
    r.Form17 = r.add<TForm17>();
}

void Registry::destroy()
{
    current.reset();
}

Registry::~Registry()
{
    while (!m_owned.empty())
        m_owned.pop_back();
}

TForm *Registry::mainForm() const
{
    return TForm::mainForm();
}

} // namespace kv
