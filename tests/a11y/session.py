"""A private X display with a window manager and the accessibility bus, and the real
program on it, read through AT-SPI as a screen reader reads it. Run under
dbus-run-session, with the system python that has pyatspi."""
import os
import shutil
import subprocess
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

TITLE = "Video-Poker / Tolva-Rummy"


class Session:
    def __init__(self, bin_dir, settings):
        self.home = tempfile.mkdtemp(prefix="dm-a11y-")
        self.procs = []
        self.news = []  # every name the status object took, in order
        self.bin_dir = bin_dir
        self.program_dir = os.path.join(self.home, "bin")
        os.makedirs(self.program_dir)
        shutil.copy2(os.path.join(bin_dir, "dunmere"), self.program_dir)
        for name in ("pics", "wavs", "frames", "dunmere.hlp", "dunmere-sound.so"):
            if os.path.exists(os.path.join(bin_dir, name)):
                os.symlink(os.path.join(bin_dir, name), os.path.join(self.program_dir, name))
        conf = os.path.join(self.home, "config", "Dunmere")
        os.makedirs(conf)
        with open(os.path.join(conf, "TolvaRummy.conf"), "w") as f:
            f.write("[Preferences]\n" + "".join(f"{k}={v}\n" for k, v in settings.items()))
        os.makedirs(os.path.join(self.home, "runtime"), mode=0o700)
        self.env = dict(os.environ)
        self.env.update({
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, "config"),
            "XDG_DATA_HOME": os.path.join(self.home, "data"),
            "XDG_CACHE_HOME": os.path.join(self.home, "cache"),
            "XDG_RUNTIME_DIR": os.path.join(self.home, "runtime"),
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
        })
        self.env.pop("XAUTHORITY", None)

    # ------------------------------------------------------------ start and stop

    def start(self, extra_env=None):
        read, write = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                pass_fds=(write,), stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read)
        self.env["DISPLAY"] = ":" + number.decode().strip()
        self.procs.append(subprocess.Popen(["openbox"], env=self.env, stderr=subprocess.DEVNULL))
        self.wait_for(lambda: subprocess.run(["wmctrl", "-m"], env=self.env, capture_output=True).returncode == 0,
                      10, "openbox")
        # The accessibility bus, as a desktop session starts it.
        self.procs.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=self.env,
                                           stderr=subprocess.DEVNULL))
        time.sleep(0.5)
        os.environ.update({k: self.env[k] for k in ("DISPLAY",)})
        Atspi.init()
        env = dict(self.env)
        env.update(extra_env or {})
        self.app = subprocess.Popen([os.path.join(self.program_dir, "dunmere")], env=env, cwd=self.program_dir)
        self.procs.append(self.app)
        self.window = self.wait_for(lambda: self.find_window(), 30, "the main window")
        self.xdo("windowactivate", "--sync", str(self.window))

    def stop(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        shutil.rmtree(self.home, ignore_errors=True)

    # ------------------------------------------------------------ X

    def xdo(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)

    def key(self, *keys):
        for k in keys:
            self.xdo("key", "--clearmodifiers", k)
            self.pump(0.08)

    def find_window(self, title=TITLE):
        r = self.xdo("search", "--onlyvisible", "--name", "^" + title + "$")
        ids = r.stdout.split()
        return int(ids[0]) if r.returncode == 0 and ids else 0

    def close_window(self):
        subprocess.run(["wmctrl", "-i", "-c", hex(self.window)], env=self.env)

    # ------------------------------------------------------------ AT-SPI

    def pump(self, seconds=0.0):
        end = time.time() + seconds
        ctx = GLib.MainContext.default()
        while True:
            while ctx.pending():
                ctx.iteration(False)
            if time.time() >= end:
                return
            time.sleep(0.02)

    def wait_for(self, pred, timeout, what):
        end = time.time() + timeout
        while time.time() < end:
            self.pump()
            value = pred()
            if value:
                return value
            time.sleep(0.05)
        raise AssertionError("timed out waiting for " + what)

    def application(self):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app and app.get_name() and app.get_name().lower() == "dunmere":
                return app
        return None

    def frames(self):
        app = self.application()
        if not app:
            return []
        return [app.get_child_at_index(i) for i in range(app.get_child_count())]

    def frame(self, title=TITLE):
        for f in self.frames():
            if f and f.get_name() == title:
                return f
        return None

    @staticmethod
    def walk(node, depth=0):
        yield node, depth
        for i in range(node.get_child_count()):
            c = node.get_child_at_index(i)
            if c is not None:
                yield from Session.walk(c, depth + 1)

    def table(self):
        f = self.frame()
        if not f:
            return None
        for node, _ in self.walk(f):
            if node.get_name() == "Card table":
                return node
        return None

    def places(self):
        """Name of every shown place on the table, by its role and position in the tree."""
        t = self.table()
        out = {}
        if not t:
            return out
        for node, depth in self.walk(t):
            if node is t:
                continue
            states = node.get_state_set()
            if not states.contains(Atspi.StateType.VISIBLE) or not states.contains(Atspi.StateType.SHOWING):
                continue
            out.setdefault(node.get_role_name(), []).append(node.get_name())
        return out

    def dump(self, node=None):
        node = node or self.frame()
        for n, d in self.walk(node):
            print("  " * d + f"[{n.get_role_name()}] {n.get_name()!r}")

    def read_news(self):
        """Brings self.news up to date from the table's news list (numbered lines)."""
        t = self.table()
        if not t:
            return self.news
        for node, _ in self.walk(t):
            if node.get_name() == "Table news":
                for i in range(node.get_child_count()):
                    line = node.get_child_at_index(i)
                    number = line.get_description()
                    if number and number.isdigit():
                        n = int(number)
                        while len(self.news) < n:
                            self.news.append(None)
                        self.news[n - 1] = line.get_name()
                break
        return self.news

    def children_of(self, prefix):
        """The names of the shown children of the first place whose name starts so."""
        t = self.table()
        for node, _ in self.walk(t) if t else []:
            if (node.get_name() or "").startswith(prefix):
                kids = [node.get_child_at_index(i) for i in range(node.get_child_count())]
                return [k.get_name() for k in kids if k.get_state_set().contains(Atspi.StateType.SHOWING)]
        return []

    def focused(self):
        """The name of the place that holds the keyboard focus on the table."""
        t = self.table()
        if not t:
            return None
        for node, _ in self.walk(t):
            if node is not t and node.get_state_set().contains(Atspi.StateType.FOCUSED):
                return node.get_name()
        return None

    def dialogs(self):
        """Top-level windows of the program other than the table, with their names."""
        return [f for f in self.frames() if f is not None and f.get_name() != TITLE]

    def texts_of(self, node):
        return [(n.get_role_name(), n.get_name()) for n, _ in self.walk(node)]
