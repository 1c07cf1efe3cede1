"""The long random session: random menu items, buttons, typed text and keys
over every window of the real program, every box and file dialog answered,
windows closed and the keyboard taken away at random. The program must not
end, crash, hang or report a sanitizer error, and must still respond at the
end. Run through e2e.py --random SECONDS (negative: KVARNIS_E2E_RANDOM_SECONDS,
default 180); the seed is printed so that a failing run can be repeated.
"""
import os
import random
import re
import time
import traceback

from kvarnis_e2e import APP_TITLE, Failure, Session, wait_until
import scenarios

MENU = [
    ("Файл", "Новый...", "Проект"), ("Файл", "Новый...", "Пакет"), ("Файл", "Открыть..."),
    ("Файл", "Открыть проект..."), ("Файл", "Сохранить"), ("Файл", "Сохранить как..."),
    ("Файл", "Сохранить проект как..."), ("Файл", "Закрыть"), ("Файл", "Закрыть всё"),
    ("Правка", "Вернуть назад"), ("Правка", "Вернуть обратно"), ("Правка", "Вырезать"),
    ("Правка", "Копировать"), ("Правка", "Вставить"), ("Правка", "Удалить"), ("Правка", "Выделить всё"),
    ("Проект", "Добавить в проект..."), ("Проект", "Удалить из проекта..."), ("Проект", "Просмотр кода"),
    ("Проект", "Компилировать проект"), ("Проект", "Опции проекта..."),
    ("Запуск", "Старт проекта"), ("Запуск", "Параметры"),
    ("Компоненты", "Новый компонент..."), ("Компоненты", "Установка компонента..."),
    ("Компоненты", "Создание компонента"), ("Компоненты", "Установка пакета..."),
    ("Компоненты", "Конфигурация пакетов..."),
    ("Опции", "Изменение пакетной коллекции"),
    ("Справка", "Справочная информация"), ("Справка", "Справочные опции"), ("Справка", "Сайт программы"),
    ("Справка", "Тех. поддержка"), ("Справка", "О программе..."),
]
KEYS = ["ctrl+z", "ctrl+a", "ctrl+c", "ctrl+x", "ctrl+v", "shift+Insert", "Delete", "BackSpace", "Return",
        "Tab", "space", "End", "Home", "shift+Left", "Escape"]
WORDS = ["<p>", "</p>", "abc", "Привет", "мир", "\t", "<font color=\"#00FF00\">", " ", "123", "ёЁ", "x" * 40]
SANITIZER = re.compile(r"ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|SUMMARY: \w+Sanitizer")


def sanitizer_report(s):
    output = s.program_output()
    match = SANITIZER.search(output)
    return output[max(0, match.start() - 200):match.start() + 6000] if match else None


def responds(s):
    """The program answers the accessibility bus (its event loop runs); the
    geometry of a window is asked of the program itself, never of a cache."""
    for _ in range(2):
        try:
            s.extents(s.main)
            return True
        except Exception:
            time.sleep(1)
    return False


def answer_anything(s, rng):
    """Answers whatever modal thing is open: a box, or the file dialog."""
    for w in s.windows():
        role = w.getRoleName()
        if w.name == APP_TITLE and role in ("dialog", "alert"):
            # A box, or some other dialog of the program's own (a progress
            # box, say): a click on one of its buttons, Enter or Esc.
            how = rng.choice(["enter", "click", "escape"])
            buttons = [b for b in s.find_all(w, "push button") if s.enabled(b)]
            if how == "click" and buttons:
                s.click(rng.choice(buttons))
            else:
                s.raise_window(w)
                s.key("Return" if how == "enter" else "Escape")
            return True
        if role in ("dialog", "file chooser") and w.name != APP_TITLE:
            s.raise_window(w)
            edits = [e for e in s.find_all(w, "text") if s.enabled(e)]
            choice = rng.random()
            if choice < 0.4 or not edits:
                s.key("Escape")
            else:
                s.click(edits[0])
                s.key("ctrl+a")
                s.type(rng.choice(["Project.wp", "nothing.wp", "../x.wp", "help", "Web.html", "нет.wp"]))
                s.key("Return")
            return True
    return False


def act(s, rng):
    choice = rng.random()
    if choice < 0.30:
        s.menu(*rng.choice(MENU))
        return
    windows = [w for w in s.windows() if w.getRoleName() == "frame"]
    if not windows:
        return
    window = rng.choice(windows)
    if choice < 0.62:
        buttons = [b for b in s.find_all(window, "push button") if s.enabled(b)]
        if buttons:
            button = rng.choice(buttons)
            s.raise_window(window)
            if rng.random() < 0.5:
                s.click(button)
            else:
                s.press(button)
    elif choice < 0.82:
        boxes = [t for t in s.find_all(window, "text") if s.enabled(t)]
        if boxes:
            s.raise_window(window)
            s.click(rng.choice(boxes))
            if rng.random() < 0.5:
                s.type(rng.choice(WORDS))
            else:
                s.key(rng.choice(KEYS))
    elif choice < 0.88:
        if window != s.main:
            s.close_window(window)
    elif choice < 0.94:
        s.focus_nothing()
    else:
        checks = [c for c in s.find_all(window, "check box") if s.enabled(c)]
        if checks:
            s.raise_window(window)
            s.click(rng.choice(checks))


def run(program, supplied, seconds, seed):
    if seconds < 0:
        seconds = float(os.environ.get("KVARNIS_E2E_RANDOM_SECONDS", "180"))
    seed = seed if seed is not None else int(time.time())
    rng = random.Random(seed)
    print("random session: %.0f s, seed %d" % (seconds, seed), flush=True)
    files = dict(scenarios.SERVER_FILES)
    del files["/hdd/text/RUb.txt"]  # one download fails
    with Session(program, supplied, None, files, name="random") as s:
        # Started programs are recorded, not run: the session opens "Tavrel.exe" many times.
        tavrel = s.path("Tavrel.exe")
        if os.path.lexists(tavrel):
            os.remove(tavrel)
        with open(tavrel, "w") as f:
            f.write("#!/bin/sh\necho started >> tavrel.log\n")
        os.chmod(tavrel, 0o755)
        deadline = time.monotonic() + seconds
        actions = 0
        errors_in_driver = 0
        last_report = time.monotonic()
        while time.monotonic() < deadline:
            if not s.running():
                raise Failure("the program ended (exit code %s) after %d actions\n%s"
                              % (s.proc.returncode, actions, s.program_output()[-6000:]))
            report = sanitizer_report(s)
            if report:
                raise Failure("sanitizer error after %d actions:\n%s" % (actions, report))
            try:
                if not answer_anything(s, rng):
                    act(s, rng)
                actions += 1
                errors_in_driver = 0
            except Failure:
                errors_in_driver += 1
            except Exception:
                # A control vanished while we looked at it, or the like; not
                # the program's fault unless it keeps happening.
                errors_in_driver += 1
                if errors_in_driver >= 5:
                    traceback.print_exc()
            if errors_in_driver and errors_in_driver % 5 == 0:
                # Five steps in a row went wrong: is the program still there?
                if not responds(s):
                    raise Failure("the program does not respond (hangs) after %d actions" % actions)
                s.close_menus()
            if time.monotonic() - last_report > 60:
                last_report = time.monotonic()
                print("%d actions, %d windows open" % (actions, len(s.windows())), flush=True)
        # Still there, still answering, nothing reported.
        time.sleep(1)
        if not s.running():
            raise Failure("the program ended (exit code %s) at the end\n%s" % (s.proc.returncode, s.program_output()[-6000:]))
        while answer_anything(s, rng):
            time.sleep(0.3)
        s.close_menus()
        check_alive = wait_until(lambda: responds(s), 30, 1, "the program to respond")
        report = sanitizer_report(s)
        if report:
            raise Failure("sanitizer error:\n" + report)
        before = scenarios.page_text(s)
        s.menu("Файл", "Закрыть")
        wait_until(lambda: scenarios.page_text(s) == "Файл закрыт.", 15, 0.1, "the page editor to answer a command")
        print("random session passed: %d actions, page was %d characters" % (actions, len(before)), flush=True)
        return 0 if check_alive else 1
