"""End-to-end scenarios: each is a function (program, supplied, screens) that
runs one Session of the real program and raises on a fault. Register a new
one with @scenario; it then runs in the e2e CTest test and can be run alone
by name (e2e.py PROGRAM SUPPLIED NAME).
"""
import os
import time

from kvarnis_e2e import APP_TITLE, Session, check, wait_until

ALL = {}


def scenario(function):
    ALL[function.__name__] = function
    return function


def cp1251(text):
    return text.encode("cp1251")


def crlf(*lines):
    return b"".join(cp1251(line) + b"\r\n" for line in lines)


DEFAULT_PAGE = crlf("<html>", "<head>", "<title>Заголовок окна</title>", "</head>", "<body>",
                    "Здравствуйте, это моя первая страница.", "<br>", "Добро пожаловать!", "</body>", "</html>")

TEMPLATE = crlf("<html>", "<head>", "<title></title>", "</head>", "<body>", "Здравствуйте, это моя первая ",
                "страница.", "<br>", "Добро пожаловать!", "</body>", "</html>")

TIPS = "Советы"
NEW_PROJECT = "Создание нового проекта"
NEW_PACKAGE = "Создание нового пакета"
PARAMETERS = "Параметры проекта"
TEMPLATE_CHANGE = "Проект: Изменение шаблона"
TEMPLATE_REPLACE = "Проект:Замена шаблона"
NEW_COMPONENT = "Компоненты: Новый компонент, создание нового компонента"
INSTALLATION = "Компоненты: Установка компонента"  # the component and the package installation windows
COMPOSER = "Компоненты: Создание нового компонента"
CONFIGURATION = "Компоненты: Конфигурация пакетов"
OPTIONS = "Опции проекта"
MANAGEMENT = "Управление пакетами, шаблонами, тэгами"
ABOUT = "О программе..."

SERVER_FILES = {
    "/hdd/DB/codes.zip": b"PK\x05\x06" + b"\0" * 18,
    "/hdd/text/RU.txt": crlf("Версия 2.0"),
    "/hdd/text/RUa.txt": crlf("1 сентября"),
    "/hdd/text/RUb.txt": crlf("Пакет тэгов", "Пакет шаблонов"),
    "/hdd/text/RUc.txt": crlf("Новые тэги"),
}


def close_tips(s):
    """The tips window opens by itself a second after start; close it."""
    tips = s.window(TIPS, wait=15)
    s.close_window(tips)
    s.window_gone(TIPS)
    s.check_running("after the tips window closed")


def page_text(s):
    return s.text(s.text_box(s.main, "Код страницы"))


def open_window(s, menu_path, title, index=0):
    s.menu(*menu_path)
    return wait_until(lambda: [w for w in s.windows() if w.name == title][index:index + 1], 10, 0.05,
                      "the window " + repr(title))[0]


def installation_window(s, which):
    """The component (Form8) and package (Form11) installation windows share a
    caption; the package one has "Загрузить все" missing and "Показать" present."""
    for w in s.windows():
        if w.name == INSTALLATION:
            names = {b.name for b in s.find_all(w, "push button")}
            if (which == "package") == ("Показать" in names):
                return w
    return None


@scenario
def quit_policy(program, supplied, screens):
    """The program ends when, and only when, the main window closes: boxes
    answered while no window of the program is active, and other windows
    closed in any order, never end it."""
    with Session(program, supplied, screens, SERVER_FILES) as s:
        close_tips(s)

        # The template windows: "Изменить" > "Да" > "Продолжить" > OK.
        form2 = open_window(s, ("Файл", "Новый...", "Проект"), NEW_PROJECT)
        s.press(s.button(form2, "Сохранить"))
        wait_until(lambda: s.enabled(s.button(form2, "Создать...")), 5, 0.05, "Создать... enabled")
        s.press(s.button(form2, "Создать..."))
        form5 = s.window(TEMPLATE_CHANGE)
        s.press(s.button(form5, "Изменить"))
        form6 = s.window(TEMPLATE_REPLACE)
        s.press(s.button(form6, "Да"))
        s.window_gone(TEMPLATE_REPLACE)
        s.focus_nothing()
        s.press(s.button(form5, "Продолжить"))
        s.answer_box("enter", expect="Новый проект создан успешно!")
        s.window_gone(TEMPLATE_CHANGE)
        template = page_text(s)
        check(template == TEMPLATE.decode("cp1251").replace("\r\n", "\n"), "the template is the page: %r" % template)
        check(s.read("Code.txt") == TEMPLATE, "Да wrote the template to Code.txt")

        # The error box of "Загрузить все", answered with a click on OK.
        os.remove(s.path("update/Code5.txt"))
        form8 = open_window(s, ("Компоненты", "Установка компонента..."), INSTALLATION)
        s.focus_nothing()
        s.press(s.button(form8, "Загрузить все"))
        text = s.answer_box("click", expect="Cannot open file")
        check(text.endswith(".") and "code5.txt" in text.lower(), "error box text %r" % text)

        # "Начать установку" > OK with no window active.
        s.focus_nothing()
        s.press(s.button(form8, "Начать установку"))
        s.answer_box("enter", expect="Чтобы начать установку нажмите установить ещё раз.")

        # A download message with no window of the program active.
        s.menu("Компоненты", "Установка пакета...")
        form11 = wait_until(lambda: installation_window(s, "package"), 10, 0.05, "the package installation window")
        s.focus_nothing()
        s.press(s.button(form11, "Загрузить"))
        s.answer_box("enter", expect="SUCCESFUL")
        s.wait_opened(1)

        # Other windows closed in any order; then the page is still there.
        s.close_window(form11)
        s.close_window(form8)
        wait_until(lambda: not [w for w in s.windows() if w.name == INSTALLATION], 10, 0.05, "the windows to close")
        time.sleep(0.5)
        s.check_running("after the other windows closed")
        check(page_text(s) == template, "the page editor keeps its page")

        # "Выход" ends it, with exit code 0.
        s.menu("Файл", "Выход")
        wait_until(lambda: not s.running(), 10, 0.05, "the program to end")
        check(s.proc.returncode == 0, "exit code %s" % s.proc.returncode)
