"""Drives the built Кварнис from outside, as a person would.

A Session starts its own X server (Xvfb), a private D-Bus session with the
accessibility bus, a local update server and the program itself in a fresh
working folder prepared like a real one. Widgets are found over AT-SPI by
role and accessible name (the caption, or the caption of the label beside
a text box); buttons are pressed through AT-SPI or clicked with the real
mouse (xdotool) where stacked controls decide which one takes the click;
menus are opened and chosen with the mouse; text is typed with the keyboard.
Message and error boxes are answered with Enter or a click on "OK".

Scenarios live in scenarios.py; see the README's "End-to-end tests".
"""
import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77  # CTest's SKIP_RETURN_CODE for these tests
HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))

APP_TITLE = "Кварнис"
SCREEN = (1280, 1024)
OK_NAMES = ("OK", "ОК")  # the second in Cyrillic, as a translation may spell it


class Skip(Exception):
    pass


class Failure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(predicate, timeout=10.0, step=0.05, what="a condition", seen=None):
    """Polls until predicate() is true; on time-out the failure names `what`
    and, when given, what seen() shows at that moment."""
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what + ("" if seen is None else "; found %r" % (seen(),)))
        time.sleep(step)


def require_tools():
    for tool in ("Xvfb", "xdotool", "dbus-daemon"):
        if shutil.which(tool) is None:
            raise Skip(tool + " is not installed")
    launcher = [p for p in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
                if os.path.exists(p)]
    if not launcher:
        raise Skip("at-spi2-core is not installed")
    # Only looked for: importing it connects to the session bus, which the Session starts later.
    import importlib.util
    if importlib.util.find_spec("pyatspi") is None:
        raise Skip("python3-pyatspi is not installed")


class Xlib:
    """The two calls of libX11 that xdotool has no command for."""

    def __init__(self, display):
        lib = ctypes.CDLL("libX11.so.6")
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
        lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.lib = lib
        self.dpy = lib.XOpenDisplay(display.encode())
        if not self.dpy:
            raise Failure("cannot open display " + display)

    def add_cyrillic_keys(self):
        """Puts the Cyrillic letters on spare keys of the keyboard before the
        program starts, so that typing them needs no remapping on the fly
        (which the program could see too late)."""
        lib = self.lib
        lib.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
        lib.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
        lib.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
        lib.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                               ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
        low, high = ctypes.c_int(), ctypes.c_int()
        lib.XDisplayKeycodes(self.dpy, ctypes.byref(low), ctypes.byref(high))
        per = ctypes.c_int()
        count = high.value - low.value + 1
        table = lib.XGetKeyboardMapping(self.dpy, low.value, count, ctypes.byref(per))
        free = [low.value + i for i in range(count)
                if all(table[i * per.value + j] == 0 for j in range(per.value))]
        pairs = [(0x6c0 + i, 0x6e0 + i) for i in range(32)] + [(0x6a3, 0x6b3)]  # а..я, ё with their capitals
        for code, (lower, upper) in zip(free, pairs):
            syms = (ctypes.c_ulong * 2)(lower, upper)
            lib.XChangeKeyboardMapping(self.dpy, code, 2, syms, 1)
        lib.XSync(self.dpy, 0)

    def selection_owner(self, name="CLIPBOARD"):
        """The X window that owns a selection (0: nobody, e.g. an empty clipboard)."""
        lib = self.lib
        lib.XInternAtom.restype = ctypes.c_ulong
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XGetSelectionOwner.restype = ctypes.c_ulong
        lib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        return lib.XGetSelectionOwner(self.dpy, lib.XInternAtom(self.dpy, name.encode(), 0))

    def focus_nothing(self):
        # No window has the keyboard: none of the program's windows is active.
        self.lib.XSetInputFocus(self.dpy, 0, 0, 0)  # None, RevertToNone, CurrentTime
        self.lib.XSync(self.dpy, 0)

    def close(self, window):
        """Asks a window to close, as a window manager does for its close box
        (WM_PROTOCOLS / WM_DELETE_WINDOW)."""
        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                        ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("l", ctypes.c_long * 5), ("pad", ctypes.c_long * 16)]
        lib = self.lib
        lib.XInternAtom.restype = ctypes.c_ulong
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
        event = ClientMessage()
        event.type = 33  # ClientMessage
        event.window = window
        event.message_type = lib.XInternAtom(self.dpy, b"WM_PROTOCOLS", 0)
        event.format = 32
        event.l[0] = lib.XInternAtom(self.dpy, b"WM_DELETE_WINDOW", 0)
        event.l[1] = 0  # CurrentTime
        lib.XSendEvent(self.dpy, window, 0, 0, ctypes.byref(event))
        lib.XSync(self.dpy, 0)


class Session:
    """One run of the program under a private X server."""

    def __init__(self, program, supplied, screens=None, server_files=None, env=None, name="session",
                 server_root=None):
        self.program = os.path.abspath(program)
        self.supplied = os.path.abspath(supplied)
        self.screens = screens
        self.server_files = server_files or {}
        self.server_root = server_root and os.path.abspath(server_root)
        self.extra_env = env or {}
        self.name = name
        self.procs = []
        self.app = None
        self.proc = None

    # ---- start and stop -------------------------------------------------

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self):
        require_tools()
        self.tmp = tempfile.mkdtemp(prefix="kvarnis-e2e-")
        self.work = os.path.join(self.tmp, "work")
        shutil.copytree(self.supplied, self.work, symlinks=True)
        self.data_home = os.path.join(self.tmp, "data")
        self.temp = os.path.join(self.data_home, "kvarnis", "drive_c", "temp")  # "C:\temp"
        os.makedirs(self.temp)
        home = os.path.join(self.tmp, "home")
        runtime = os.path.join(self.tmp, "runtime")
        bindir = os.path.join(self.tmp, "bin")
        for d in (home, runtime, bindir):
            os.makedirs(d, mode=0o700)
        # Shell-open of documents and addresses reaches xdg-open: record it.
        self.open_log = os.path.join(self.tmp, "xdg-open.log")
        opener = os.path.join(bindir, "xdg-open")
        with open(opener, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % self.open_log)
        os.chmod(opener, 0o755)

        # The accessibility bus puts its socket in the runtime folder.
        os.environ["XDG_RUNTIME_DIR"] = runtime
        self._start_x()
        self._start_dbus()
        self._start_server()
        env = dict(os.environ)
        for var in ("http_proxy", "HTTP_PROXY", "https_proxy", "no_proxy", "NO_PROXY", "all_proxy", "ALL_PROXY",
                    "QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION"):
            env.pop(var, None)
        env.update({
            "DISPLAY": self.display,
            "DBUS_SESSION_BUS_ADDRESS": self.bus,
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
            "XDG_DATA_HOME": self.data_home,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_RUNTIME_DIR": runtime,
            "HOME": home,
            "PATH": bindir + os.pathsep + env.get("PATH", "/usr/bin:/bin"),
            "LC_ALL": "C.UTF-8",
            "http_proxy": "http://127.0.0.1:%d" % self.server_port,
        })
        env.update(self.extra_env)
        self.env = env
        self.log_path = os.path.join(self.tmp, "program.log")
        self.log = open(self.log_path, "wb")
        self.proc = subprocess.Popen([self.program], cwd=self.work, env=env, stdout=self.log, stderr=subprocess.STDOUT)
        self.procs.append(self.proc)

        import pyatspi
        self.atspi = pyatspi
        def found():
            self.check_running("at start")
            return self._find_app()
        self.app = wait_until(found, 60, 0.1, "the program on the accessibility bus")
        self.main = wait_until(lambda: self.window(APP_TITLE, wait=0), 30, 0.1, "the main window")

    def _start_x(self):
        read, write = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp"],
                                pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        self.procs.append(xvfb)
        number = b""
        end = time.monotonic() + 30
        while not number.endswith(b"\n") and time.monotonic() < end:
            chunk = os.read(read, 16)
            if not chunk:
                break
            number += chunk
        os.close(read)
        if not number.strip():
            raise Failure("Xvfb did not start")
        self.display = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.display
        self.x = Xlib(self.display)
        self.x.add_cyrillic_keys()

    def _start_dbus(self):
        # A private session bus; the accessibility bus (at-spi-bus-launcher)
        # and its registry are started on demand by D-Bus activation.
        bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.procs.append(bus)
        self.bus = bus.stdout.readline().decode().strip()
        if not self.bus:
            raise Failure("dbus-daemon did not start")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.bus
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    def _start_server(self):
        """The update server: serves self.server_files (path -> bytes) to proxy
        requests. KVARNIS_E2E_UPDATE_SERVER names another server program that
        takes the same arguments (ROOT serve) and prints its port first. With
        a server_root, the project's own scripts/update-server serves that
        folder instead."""
        if self.server_root:
            command = [sys.executable, os.path.join(SOURCE, "scripts", "update-server"), "--port", "0",
                       "--root", self.server_root]
            self.server_log = open(os.path.join(self.tmp, "update-server.log"), "wb")
            server = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=self.server_log)
            self.procs.append(server)
            self.server_port = int(server.stdout.readline())
            return
        root = os.path.join(self.tmp, "server")
        os.makedirs(root)
        for path, data in self.server_files.items():
            full = os.path.join(root, path.lstrip("/"))
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "wb") as f:
                f.write(data)
        command = os.environ.get("KVARNIS_E2E_UPDATE_SERVER")
        command = command.split() if command else [sys.executable, os.path.join(SOURCE, "tests", "support", "httpserver.py")]
        server = subprocess.Popen(command + [root, "serve"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.procs.append(server)
        self.server_port = int(server.stdout.readline())

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                try:
                    proc.send_signal(signal.SIGTERM)
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        self.procs = []
        for log in (getattr(self, "log", None), getattr(self, "server_log", None)):
            if log:
                log.close()
        if getattr(self, "tmp", None) and not os.environ.get("KVARNIS_E2E_KEEP"):
            shutil.rmtree(self.tmp, ignore_errors=True)

    # ---- the program -----------------------------------------------------

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def program_output(self):
        self.log.flush()
        with open(self.log_path, "rb") as f:
            return f.read().decode(errors="replace")

    def check_running(self, where=""):
        if not self.running():
            raise Failure("the program ended (exit code %s) %s\n%s" % (self.proc.returncode, where, self.program_output()[-4000:]))

    def _find_app(self):
        desktop = self.atspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            try:
                app = desktop.getChildAtIndex(i)
                if app is not None and app.get_process_id() == self.proc.pid:
                    return app
            except Exception:
                continue
        return None

    # ---- finding things --------------------------------------------------

    def states(self, acc):
        try:
            return acc.getState()
        except Exception:
            return None

    def showing(self, acc):
        s = self.states(acc)
        return s is not None and s.contains(self.atspi.STATE_SHOWING)

    def windows(self):
        result = []
        try:
            for i in range(self.app.childCount):
                w = self.app.getChildAtIndex(i)
                if w is not None and self.showing(w):
                    result.append(w)
        except Exception:
            pass
        return result

    def window(self, name, wait=10.0, role=None):
        def find():
            for w in self.windows():
                if w.name == name and (role is None or w.getRoleName() == role):
                    return w
            return None
        if not wait:
            return find()
        return wait_until(find, wait, 0.05, "the window " + repr(name))

    def window_gone(self, name, wait=10.0):
        wait_until(lambda: self.window(name, wait=0) is None, wait, 0.05, "the window %r to close" % name)

    def find_all(self, root, role=None, name=None, showing=True):
        found = []

        def walk(acc, depth):
            if acc is None or depth > 12:
                return
            try:
                if (role is None or acc.getRoleName() == role) and (name is None or acc.name == name) \
                        and (not showing or self.showing(acc)):
                    found.append(acc)
                if showing and depth > 0 and not self.showing(acc) and acc.getRoleName() not in ("menu", "popup menu", "menu item"):
                    return
                for i in range(acc.childCount):
                    walk(acc.getChildAtIndex(i), depth + 1)
            except Exception:
                return
        walk(root, 0)
        return found

    def find(self, root, role=None, name=None, index=0, wait=10.0):
        def look():
            items = self.find_all(root, role, name)
            return items[index] if len(items) > index else None
        return wait_until(look, wait, 0.05, "%s %r" % (role or "control", name))

    def button(self, window, name, index=0):
        return self.find(window, "push button", name, index)

    def text_box(self, window, name, index=0):
        return self.find(window, "text", name, index)

    def text(self, acc):
        t = acc.queryText()
        return t.getText(0, t.characterCount)

    def extents(self, acc):
        e = acc.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def enabled(self, acc):
        s = self.states(acc)
        return s is not None and s.contains(self.atspi.STATE_ENABLED)

    # ---- acting ----------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True, env=dict(os.environ, DISPLAY=self.display))

    def click_at(self, x, y):
        # (--sync would wait for ever when the pointer is there already)
        self.xdotool("mousemove", x, y, "sleep", "0.05", "click", "1")

    def click(self, acc, dx=None, dy=None):
        """A real mouse click in the middle of the control (or at dx, dy within it)."""
        x, y, w, h = self.extents(acc)
        self.click_at(x + (w // 2 if dx is None else dx), y + (h // 2 if dy is None else dy))

    def press(self, acc):
        """Presses a button through the accessibility bus (the program clicks
        it a moment later, so a box it opens does not block this call)."""
        action = acc.queryAction()
        for i in range(action.nActions):
            if action.getName(i) in ("Press", "press", "click"):
                action.doAction(i)
                return
        action.doAction(0)

    def type_into(self, acc, text, replace=True):
        """Clicks into a text box, waits until it has the keyboard, and types
        `text` over its whole content (replace) or at the cursor. Like a
        person, it looks at the result and types again over a lost key."""
        self.raise_window(self.top_window(acc))
        self.click(acc)
        wait_until(lambda: self.states(acc) is not None and self.states(acc).contains(self.atspi.STATE_FOCUSED),
                   5, 0.05, "the keyboard in the text box " + repr(acc.name))
        for attempt in range(3):
            if replace:
                self.key("ctrl+a", "Delete")
            self.type(text)
            # The program takes keys and accessibility requests by different
            # roads: wait until it has seen all the keys before anything else.
            try:
                wait_until(lambda: self.text(acc) == text if replace else text in self.text(acc),
                           3, 0.05, "the typed text", lambda: self.text(acc))
                return
            except Failure:
                if attempt == 2 or not replace:
                    raise

    def top_window(self, acc):
        """The window a control lies in."""
        while acc.parent is not None and acc.parent.getRoleName() != "application":
            acc = acc.parent
        return acc

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", "--", text)

    def focus_nothing(self):
        self.x.focus_nothing()
        time.sleep(0.1)

    def menu(self, *path):
        """Chooses a menu item of the main window with the mouse, as in
        menu("Файл", "Новый...", "Проект")."""
        self.raise_window(self.main)
        bar = self.find(self.main, "menu bar")
        item = self.find(bar, "menu item", path[0])
        self.click(item)
        parent = item
        for step in path[1:]:
            entry = wait_until(lambda: self._menu_entry(parent, step), 5, 0.05, "the menu item " + repr(step))
            if step is path[-1]:
                self.click(entry)
            else:
                self.xdotool("mousemove", *self._centre(entry))
                time.sleep(0.3)
                self.click(entry)  # a click on a submenu's item also opens it
            parent = entry

    def _centre(self, acc):
        x, y, w, h = self.extents(acc)
        return x + w // 2, y + h // 2

    def _menu_entry(self, parent, caption):
        for popup in self.find_all(parent, "popup menu", showing=False):
            if not self.showing(popup):
                continue
            for entry in range(popup.childCount):
                child = popup.getChildAtIndex(entry)
                if child is not None and child.name == caption and self.showing(child):
                    x, y, w, h = self.extents(child)
                    if w > 0 and h > 0 and x >= 0 and y >= 0:
                        return child
        return None

    def close_menus(self):
        self.key("Escape", "Escape", "Escape")

    # ---- boxes -----------------------------------------------------------

    def is_box(self, w):
        """A message or error box: the application title, one "OK"."""
        try:
            return w.name == APP_TITLE and w.getRoleName() in ("dialog", "alert") and self.ok_button(w) is not None
        except Exception:
            return False

    def ok_button(self, w):
        for name in OK_NAMES:
            found = self.find_all(w, "push button", name)
            if found:
                return found[0]
        return None

    def box(self, wait=10.0):
        """The open message or error box: (window, its text)."""
        def find():
            for w in self.windows():
                if self.is_box(w):
                    return w
            return None
        w = wait_until(find, wait, 0.05, "a message box")
        labels = [self.text_or_name(l) for l in self.find_all(w, "label")]
        labels = [l for l in labels if l]
        return w, "\n".join(labels)

    def text_or_name(self, acc):
        try:
            return self.text(acc)
        except Exception:
            return acc.name

    def no_box(self):
        return not [w for w in self.windows() if self.is_box(w)]

    def answer_box(self, how="enter", expect=None):
        """Answers the open box as a person does: Enter (the box has the
        keyboard when it opens), Esc, or a click on "OK". Returns its text."""
        w, text = self.box()
        x, y, width, height = self.extents(w)
        check(abs(x + width / 2 - SCREEN[0] / 2) <= 2 and abs(y + height / 2 - SCREEN[1] / 2) <= 2,
              "the box is centred on the screen: %r" % ((x, y, width, height),))
        if expect is not None:
            check(expect in text, "box says %r, expected %r" % (text, expect))
        if how == "click":
            self.click(self.ok_button(w))
        elif how == "escape":
            self.key("Escape")
        else:
            self.key("Return")
        wait_until(lambda: not [b for b in self.windows() if b == w], 10, 0.05, "the box to close")
        self.check_running("after a box closed")
        return text

    # ---- files and records ----------------------------------------------

    def path(self, relative):
        return os.path.join(self.work, relative)

    def read(self, relative):
        with open(self.path(relative), "rb") as f:
            return f.read()

    def exists(self, relative):
        return os.path.exists(self.path(relative))

    def opened(self):
        """What the program asked xdg-open to open, in order."""
        if not os.path.exists(self.open_log):
            return []
        with open(self.open_log, encoding="utf-8", errors="replace") as f:
            return [line.rstrip("\n") for line in f]

    def wait_opened(self, count, wait=10.0):
        return wait_until(lambda: len(self.opened()) >= count and self.opened(), wait, 0.05,
                          "%d shell-open(s), got %r" % (count, self.opened()))

    def screenshot(self, name, window=None):
        """A picture of the screen, or of the part that `window` covers (with a
        margin), into the screens folder as NAME.png. There is no window
        manager, so no title bar is drawn."""
        if not self.screens or shutil.which("import") is None:  # ImageMagick
            return
        os.makedirs(self.screens, exist_ok=True)
        time.sleep(0.3)
        crop = []
        if window is not None:
            x, y, w, h = self.extents(window)
            left, top = max(0, x - 8), max(0, y - 8)
            crop = ["-crop", "%dx%d+%d+%d" % (w + 16, h + 16, left, top), "+repage"]
        subprocess.run(["import", "-window", "root"] + crop + [os.path.join(self.screens, name + ".png")],
                       env=dict(os.environ, DISPLAY=self.display), check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def xid(self, window):
        """The X window of a top-level window of the program."""
        x, y, w, h = self.extents(window)
        env = dict(os.environ, DISPLAY=self.display)
        ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid)],
                             capture_output=True, text=True, env=env).stdout.split()
        best = None
        for wid in ids:
            geo = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], capture_output=True, text=True,
                                 env=env).stdout
            values = dict(line.split("=", 1) for line in geo.split() if "=" in line)
            distance = abs(int(values.get("X", -999)) - x) + abs(int(values.get("Y", -999)) - y) \
                + abs(int(values.get("WIDTH", -999)) - w) + abs(int(values.get("HEIGHT", -999)) - h)
            if best is None or distance < best[0]:
                best = (distance, int(wid))
        if best is None or best[0] > 8:
            raise Failure("no X window for " + repr(window.name))
        return best[1]

    def close_window(self, window):
        """Closes a window as its close box does (there is no window manager
        here, so the request is sent as a window manager sends it)."""
        self.x.close(self.xid(window))

    def raise_window(self, window):
        """Brings a window to the front, as a click on its title bar does."""
        self.xdotool("windowraise", self.xid(window))
        time.sleep(0.1)
