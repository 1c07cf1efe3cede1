#pragma once
// The window registry: one instance of each window, created at start-up in
// a fixed order and alive until the program ends. Windows reach each other
// only through it.
#include <memory>
#include <vector>

namespace kv {

class TForm;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm14;
class TForm15;
class TForm16;
class TForm17;

class Registry
{
public:
    TForm1 *Form1 = nullptr;
    TForm14 *Form14 = nullptr;
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm4 *Form4 = nullptr;
    TForm5 *Form5 = nullptr;
    TForm6 *Form6 = nullptr;
    TForm7 *Form7 = nullptr;
    TForm8 *Form8 = nullptr;
    TForm9 *Form9 = nullptr;
    TForm10 *Form10 = nullptr;
    TForm11 *Form11 = nullptr;
    TForm15 *Form15 = nullptr;
    TForm16 *Form16 = nullptr;
    TForm17 *Form17 = nullptr;

    // Every window in creation order.
    const std::vector<TForm *> &forms() const { return m_order; }
    TForm *mainForm() const;

    // Creates the fifteen windows, each running its creation handler.
    static void create();
    // Destroys them, the last created first.
    static void destroy();

    ~Registry();

private:
    template<class T> T *add();
    std::vector<TForm *> m_order;
    std::vector<std::unique_ptr<TForm>> m_owned;
};

// The registry of the running program; valid between create() and destroy().
Registry &registry();

} // namespace kv
