"""A private desktop for driving the real quenlory binary from outside.

Session starts its own Xvfb (display number chosen by the server through
-displayfd), a private session bus with no activatable services, and a
temporary HOME with its own XDG folders. An xdg-open script early on PATH
records every address it is handed instead of starting a browser. A
journey that needs a window manager's stacking gets openbox on that server,
started after Xvfb and ended before it. The program is then driven with
xdotool and checked with xdotool, xwininfo, xprop and xclip. Every wait polls
with a deadline; every process started here is ended when the session closes.

WineSession runs quenlory.exe through wine instead, in a prefix prepared by
scripts/wine-prefix.sh, and reads the settings from Wine's registry. Wine
hands an address given to ShellExecute to its winebrowser, which starts the
first of xdg-open, firefox, ... found on the host's PATH: the recorder.
"""

import configparser
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.parse

def build_setting(name):
    """A value the build hands to the journeys (tests/e2e/CMakeLists.txt)."""
    value = os.environ.get(name)
    if not value:
        sys.exit(f"{name} is not set: run the journeys through ctest")
    return value


def declared_version():
    """The version of project() in the top CMakeLists.txt, for runs outside ctest."""
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")
    with open(top, encoding="utf-8") as cmake:
        found = re.search(r"^project\(quenlory VERSION ([0-9.]+)", cmake.read(), re.M)
    if not found:
        sys.exit("no version in CMakeLists.txt")
    return found.group(1)


MAIN_TITLE = "Quenlory v" + (os.environ.get("QUENLORY_VERSION") or declared_version())
MESSAGE_TITLE = "Quenlory"
DEFAULT_TIMEOUT = 15.0


class JourneyFailed(AssertionError):
    pass


_PR_SET_PDEATHSIG = 1


def spawn(command, **options):
    """subprocess.Popen for every process a session starts: each is killed by
    the kernel when the harness ends, however it ends (a CTest timeout sends
    SIGKILL, which runs no cleanup), so none outlives the journey."""
    import ctypes
    libc = ctypes.CDLL(None, use_errno=True)
    parent = os.getpid()

    def die_with_harness():
        libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)
        if os.getppid() != parent:
            os._exit(1)
    return subprocess.Popen(command, preexec_fn=die_with_harness, **options)


def check(condition, message):
    if not condition:
        raise JourneyFailed(message)


def run_journey(name, journey, session):
    """Runs one journey in a session (a context manager) and reports it the
    way CTest reads it: PASS and exit code 0, or FAIL with the reason and 1."""
    started = time.monotonic()
    try:
        with session as opened:
            journey(opened)
    except JourneyFailed as failure:
        print(f"FAIL {name}: {failure}", file=sys.stderr)
        return 1
    print(f"PASS {name} in {time.monotonic() - started:.1f} s")
    return 0


def wait_for(probe, what, timeout=DEFAULT_TIMEOUT, interval=0.05):
    """Polls probe() until it returns something truthy, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise JourneyFailed(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path={socket}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""

# Records each address and returns at once, as a browser launcher would.
XDG_OPEN = """#!/bin/sh
printf '%s\\n' "$1" >> '{record}'
"""


class Session:
    wine = False
    # How long a program may take to show a window or end.
    timeout = DEFAULT_TIMEOUT

    def __init__(self, binary, screen="1024x768x24", framebuffer_dir=None, keep=False,
                 program_env=None, window_manager=False):
        self.binary = os.path.abspath(binary)
        self.window_manager = window_manager
        self.screen = screen
        self.framebuffer_dir = framebuffer_dir
        self.program_env = program_env or {}
        self.keep = keep or bool(os.environ.get("QUENLORY_E2E_KEEP"))
        self.root = None
        self.env = None
        self.display = None
        self._services = []     # Xvfb and the bus, ended last
        self._programs = []     # every quenlory started, ended first
        self._helpers = []      # xclip owners and the like

    # -- set-up and tear-down ------------------------------------------------

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None:
            self.dump_logs()
        self.close()
        return False

    def _start(self):
        self.root = tempfile.mkdtemp(prefix="quenlory-e2e-")
        paths = {name: os.path.join(self.root, name)
                 for name in ("home", "config", "data", "cache", "runtime", "bin", "logs")}
        for path in paths.values():
            os.makedirs(path)
        os.chmod(paths["runtime"], 0o700)
        self.home = paths["home"]
        self.config_home = paths["config"]
        self.logs = paths["logs"]
        self.record = os.path.join(self.root, "opened-addresses.txt")

        opener = os.path.join(paths["bin"], "xdg-open")
        with open(opener, "w") as script:
            script.write(XDG_OPEN.format(record=self.record))
        os.chmod(opener, 0o755)

        self.env = {
            "PATH": paths["bin"] + os.pathsep + "/usr/local/bin:/usr/bin:/bin",
            "HOME": self.home,
            "USER": os.environ.get("USER", "tester"),
            "XDG_CONFIG_HOME": paths["config"],
            "XDG_DATA_HOME": paths["data"],
            "XDG_CACHE_HOME": paths["cache"],
            "XDG_RUNTIME_DIR": paths["runtime"],
            "XDG_DATA_DIRS": "/usr/share",
            "XDG_CONFIG_DIRS": "/etc/xdg",
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "TZ": os.environ.get("TZ", "UTC"),
            "QT_QPA_PLATFORM": "xcb",
            "QT_SCALE_FACTOR": "1",
            "QT_AUTO_SCREEN_SCALE_FACTOR": "0",
        }
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "LD_LIBRARY_PATH"):
            if name in os.environ:
                self.env[name] = os.environ[name]

        self._start_x()
        self._start_bus()
        if self.window_manager:
            self._start_window_manager()

    def _start_x(self):
        read_end, write_end = os.pipe()
        command = ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen,
                   "-nolisten", "tcp", "-noreset"]
        if self.framebuffer_dir:
            command += ["-fbdir", self.framebuffer_dir]
        log = open(os.path.join(self.logs, "Xvfb.log"), "w")
        server = spawn(command, pass_fds=[write_end], stdout=log, stderr=log,
                                  env=self.env, start_new_session=True)
        self._services.append(server)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + DEFAULT_TIMEOUT
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(left, 0))
                if not ready:
                    raise JourneyFailed("Xvfb did not report a display number")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise JourneyFailed("Xvfb ended before reporting a display number")
                number += chunk
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()
        self.env["DISPLAY"] = self.display

    def _start_bus(self):
        # A private bus, never none and never the caller's: a missing
        # dbus-daemon fails the journey rather than running it differently.
        check(shutil.which("dbus-daemon"), "dbus-daemon is missing (scripts/deps.sh installs it)")
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "bus")
        config = os.path.join(self.root, "bus.conf")
        with open(config, "w") as out:
            out.write(BUS_CONFIG.format(socket=socket))
        log = open(os.path.join(self.logs, "dbus.log"), "w")
        bus = spawn(["dbus-daemon", "--nofork", "--config-file=" + config],
                               stdout=log, stderr=log, env=self.env, start_new_session=True)
        self._services.append(bus)
        wait_for(lambda: os.path.exists(socket), "the session bus socket")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + socket

    def _start_window_manager(self):
        log = open(os.path.join(self.logs, "openbox.log"), "w")
        manager = spawn(["openbox", "--sm-disable"], stdout=log, stderr=log,
                                   env=self.env, start_new_session=True)
        self._services.append(manager)

        def managing():
            # The manager names itself on the root window once it runs.
            check(manager.poll() is None, "openbox ended at its start")
            result = self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check_status=False)
            return "window id" in result.stdout
        wait_for(managing, "openbox to manage the display")

    def close(self):
        for group in (self._programs, self._helpers, self._services):
            for process in reversed(group):
                _end(process)
            group.clear()
        if self.root and not self.keep:
            shutil.rmtree(self.root, ignore_errors=True)
        elif self.root:
            print(f"kept session files in {self.root}", file=sys.stderr)

    def dump_logs(self):
        if not self.root:
            return
        for name in sorted(os.listdir(self.logs)):
            path = os.path.join(self.logs, name)
            with open(path, errors="replace") as log:
                text = log.read().strip()
            if text:
                print(f"--- {name} ---\n{text[-4000:]}", file=sys.stderr)
        print(f"--- opened addresses ---\n{''.join(self.opened_addresses())}", file=sys.stderr)

    # -- the program ---------------------------------------------------------

    def command(self):
        return [self.binary]

    def start_program(self):
        index = len(self._programs)
        log = open(os.path.join(self.logs, f"quenlory-{index}.log"), "w")
        process = spawn(self.command(), cwd=self.home,
                                   env={**self.env, **self.program_env},
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                                   start_new_session=True)
        self._programs.append(process)
        return process

    def wait_exit(self, process, timeout=None):
        timeout = timeout or self.timeout
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise JourneyFailed(f"process {process.pid} still runs after {timeout:.0f} s")

    # -- outside tools -------------------------------------------------------

    def run(self, *command, check_status=True, timeout=DEFAULT_TIMEOUT, input=None):
        result = subprocess.run(command, env=self.env, capture_output=True, text=True,
                                timeout=timeout, input=input)
        if check_status and result.returncode != 0:
            raise JourneyFailed(f"{' '.join(command)} failed ({result.returncode}): "
                                f"{result.stderr.strip()}")
        return result

    def xdotool(self, *args):
        return self.run("xdotool", *args).stdout

    def search(self, name=None, pid=None, visible=True):
        """Window ids matching exactly name (and belonging to pid), oldest first."""
        # xdotool joins several conditions with "or" unless told otherwise.
        args = ["xdotool", "search", "--all"]
        if visible:
            args.append("--onlyvisible")
        if pid is not None:
            args += ["--pid", str(pid)]
        if name is not None:
            args += ["--name", "^" + re.escape(name) + "$"]
        elif pid is None:
            args += ["--name", "."]
        result = self.run(*args, check_status=False)
        return [int(line) for line in result.stdout.split()]

    def window_info(self, window):
        """Map state, absolute position and size of a window, from xwininfo."""
        result = self.run("xwininfo", "-id", str(window), check_status=False)
        if result.returncode != 0:
            return None
        info = {}
        for key, pattern in (("x", r"Absolute upper-left X:\s+(-?\d+)"),
                             ("y", r"Absolute upper-left Y:\s+(-?\d+)"),
                             ("width", r"Width:\s+(\d+)"),
                             ("height", r"Height:\s+(\d+)"),
                             ("map_state", r"Map State:\s+(\w+)")):
            match = re.search(pattern, result.stdout)
            info[key] = int(match.group(1)) if key != "map_state" else match.group(1)
        return info

    def is_viewable(self, window):
        info = self.window_info(window)
        return bool(info) and info["map_state"] == "IsViewable"

    def title(self, window):
        result = self.run("xdotool", "getwindowname", str(window), check_status=False)
        return result.stdout.rstrip("\n") if result.returncode == 0 else None

    def net_wm_state(self, window):
        result = self.run("xprop", "-id", str(window), "_NET_WM_STATE", check_status=False)
        return result.stdout

    def top_level_windows(self):
        """The root's mapped children, bottom of the stack first."""
        result = self.run("xwininfo", "-root", "-children")
        ids = [int(match, 16) for match in re.findall(r"^\s+(0x[0-9a-f]+)", result.stdout, re.M)]
        # xwininfo lists the top of the stack first.
        return [window for window in reversed(ids) if self.is_viewable(window)]

    def client_stacking(self):
        """The window manager's client windows, bottom of the stack first."""
        result = self.run("xprop", "-root", "_NET_CLIENT_LIST_STACKING", check_status=False)
        return [int(match, 16) for match in re.findall(r"0x[0-9a-f]+", result.stdout)]

    def active_window(self):
        result = self.run("xprop", "-root", "_NET_ACTIVE_WINDOW", check_status=False)
        match = re.search(r"0x[0-9a-f]+", result.stdout)
        return int(match.group(0), 16) if match else None

    def wait_window(self, name=None, pid=None, exclude=(), timeout=None):
        """The first visible window matching name/pid that is not in exclude."""
        timeout = timeout or self.timeout
        def probe():
            found = [w for w in self.search(name=name, pid=pid) if w not in exclude]
            return found[0] if found else None
        return wait_for(probe, f"a window named {name!r}" + (f" of process {pid}" if pid else ""),
                        timeout=timeout)

    def wait_unmapped(self, window, timeout=None):
        wait_for(lambda: not self.is_viewable(window), f"window {window:#x} to disappear",
                 timeout=timeout or self.timeout)

    def focus(self, window):
        # No window manager runs, so the window is given the input focus directly.
        self.xdotool("windowfocus", "--sync", str(window))

    def keys(self, window, *keys):
        self.focus(window)
        self.xdotool("key", "--clearmodifiers", "--delay", "30", *keys)

    def type_text(self, window, text):
        self.focus(window)
        self.xdotool("type", "--clearmodifiers", "--delay", "30", text)

    def click(self, window, x, y):
        """A left click at (x, y) inside the window's client area."""
        self.xdotool("mousemove", "--sync", "--window", str(window), str(x), str(y))
        self.xdotool("click", "1")

    # -- clipboard -----------------------------------------------------------

    def own_clipboard(self, text, selection="clipboard"):
        """Puts text on the clipboard (or X11's "primary" selection, which a
        middle click pastes); the xclip holding it ends when it loses it."""
        log = open(os.path.join(self.logs, f"xclip-{selection}.log"), "w")
        holder = spawn(["xclip", "-selection", selection, "-quiet"],
                       stdin=subprocess.PIPE, stdout=log, stderr=log,
                       env=self.env, start_new_session=True, text=True)
        self._helpers.append(holder)
        holder.stdin.write(text)
        holder.stdin.close()
        wait_for(lambda: self.clipboard(selection) == text, f"the {selection} selection to hold the text")
        return holder

    def clipboard(self, selection="clipboard"):
        result = self.run("xclip", "-selection", selection, "-o", check_status=False,
                          timeout=5)
        return result.stdout if result.returncode == 0 else None

    # -- what the program left behind ----------------------------------------

    def opened_addresses(self):
        try:
            with open(self.record) as record:
                return record.readlines()
        except FileNotFoundError:
            return []

    def wait_opened(self, count, timeout=None):
        """Waits until the browser record holds count addresses; returns them all."""
        wait_for(lambda: len(self.opened_addresses()) >= count,
                 f"{count} recorded address(es)", timeout=timeout or self.timeout)
        return [line.rstrip("\n") for line in self.opened_addresses()]

    def settings_file(self):
        return os.path.join(self.config_home, "quenlory", "quenlory.conf")

    def read_settings(self):
        """The settings file as {section: {key: value}}, with Qt's escapes undone."""
        try:
            with open(self.settings_file(), encoding="utf-8") as ini:
                return parse_qsettings_ini(ini.read())
        except FileNotFoundError:
            return {}

    def settings(self):
        """The program's Settings section as {key: value}."""
        return self.read_settings().get("Settings", {})

    def stored_bytes(self):
        """The whole settings store as it lies on disk, to see that nothing changed."""
        try:
            with open(self.settings_file(), "rb") as ini:
                return ini.read()
        except FileNotFoundError:
            return b""


class WineSession(Session):
    wine = True
    # Wine starts slower than a native program, the first time in a prefix most.
    timeout = 60.0
    SETTINGS_KEY = r"HKCU\Software\quenlory\quenlory\Settings"

    def __init__(self, binary, prefix, **options):
        # Wine 10 has no virtual desktop for one program any more: its
        # windows are the X server's own top-level windows, and without a
        # window manager a hidden one stays mapped. openbox manages them, as
        # a desktop would.
        options.setdefault("window_manager", True)
        super().__init__(binary, **options)
        self.prefix = os.path.abspath(prefix)

    def _start(self):
        super()._start()
        self.env.update({"WINEPREFIX": self.prefix, "WINEDEBUG": "-all",
                         "WINEDLLOVERRIDES": "mscoree,mshtml="})
        check(os.path.exists(os.path.join(self.prefix, ".quenlory-ready")),
              f"the Wine prefix {self.prefix} is not prepared (scripts/wine-prefix.sh)")
        # Each journey starts with no settings of the program's own.
        self.run("wine", "reg", "delete", r"HKCU\Software\quenlory", "/f",
                 check_status=False, timeout=self.timeout)

    def command(self):
        return ["wine", self.binary]

    def search(self, name=None, pid=None, visible=True):
        # The program's X windows carry the pid of Wine's process, not of
        # the one the harness started, so they are found by their titles, or
        # without one by the program's window class (an opened list's popup).
        if name is not None:
            return super().search(name=name, visible=visible)
        args = ["xdotool", "search", "--all"] + (["--onlyvisible"] if visible else [])
        result = self.run(*args, "--class", r"^quenlory\.exe$", check_status=False)
        return [int(line) for line in result.stdout.split()]

    def close(self):
        # The prefix's own processes (the desktop, services) would outlive
        # this X server; end them all, and the wineserver with them.
        if self.env:
            subprocess.run(["wineserver", "--kill"], env=self.env, check=False, timeout=30)
            subprocess.run(["wineserver", "--wait"], env=self.env, check=False, timeout=30)
        super().close()

    def settings(self):
        """The program's Settings key as {value name: text}, exported with wine reg.

        wine reg query prints in the console's code page, which cannot show
        the shifted characters; the export file is UTF-16 and exact.
        """
        export = os.path.join(self.root, "settings.reg")
        if os.path.exists(export):
            os.remove(export)
        result = self.run("wine", "reg", "export", self.SETTINGS_KEY, "Z:" + export.replace("/", "\\"),
                          "/y", check_status=False, timeout=self.timeout)
        if result.returncode != 0 or not os.path.exists(export):
            return {}
        # Only CR LF ends a line: the shifted "0" is U+0085, which Python's
        # splitlines() would take for a line break.
        with open(export, encoding="utf-16", newline="") as text:
            lines = text.read().split("\r\n")
        values = {}
        for line in lines:
            match = re.fullmatch(r'"((?:[^"\\]|\\.)*)"="((?:[^"\\]|\\.)*)"', line)
            if match:
                name, value = (re.sub(r"\\(.)", r"\1", group) for group in match.groups())
                values[name] = value
        return values

    def stored_bytes(self):
        return repr(sorted(self.settings().items())).encode()

    def home_entries(self):
        """Every file and folder below the Windows user's home, links not followed."""
        entries = []
        for root, folders, files in os.walk(os.path.join(self.prefix, "drive_c", "users")):
            entries += [os.path.join(root, name) for name in folders + files]
        return sorted(entries)


def _end(process):
    if process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait(timeout=5)


def _unescape_key(key):
    out, i = [], 0
    while i < len(key):
        ch = key[i]
        if ch == "\\":
            out.append("/")
            i += 1
        elif ch == "%" and key[i + 1:i + 2] == "U":
            out.append(chr(int(key[i + 2:i + 6], 16)))
            i += 6
        elif ch == "%":
            out.append(chr(int(key[i + 1:i + 3], 16)))
            i += 3
        else:
            out.append(ch)
            i += 1
    return "".join(out)


_SIMPLE_ESCAPES = {"a": "\a", "b": "\b", "f": "\f", "n": "\n", "r": "\r", "t": "\t",
                   "v": "\v", '"': '"', "'": "'", "\\": "\\", "?": "?", ";": ";", ",": ","}


def _unescape_value(raw):
    out, i, quoted = [], 0, False
    while i < len(raw):
        ch = raw[i]
        if ch == '"':
            quoted = not quoted
            i += 1
        elif ch == "\\" and i + 1 < len(raw):
            nxt = raw[i + 1]
            if nxt == "x":
                j = i + 2
                while j < len(raw) and raw[j] in "0123456789abcdefABCDEF":
                    j += 1
                out.append(chr(int(raw[i + 2:j], 16)))
                i = j
            elif nxt in "01234567":
                j = i + 1
                while j < len(raw) and raw[j] in "01234567":
                    j += 1
                out.append(chr(int(raw[i + 1:j], 8)))
                i = j
            else:
                out.append(_SIMPLE_ESCAPES.get(nxt, nxt))
                i += 2
        else:
            out.append(ch)
            i += 1
    return "".join(out)


def parse_qsettings_ini(text):
    """The sections of a QSettings ini file as configparser reads them, with Qt's escapes undone."""
    # U+0085, one of the shifted characters, is white space to Python and
    # would be stripped off a value's end; Qt strips only ASCII blanks. It is
    # kept out of configparser's way under a stand-in.
    stand_in = "\ue085"
    parser = configparser.ConfigParser(interpolation=None, delimiters=("=",), comment_prefixes=(";",),
                                       strict=False)
    parser.optionxform = str
    parser.read_string(text.replace("\x85", stand_in))
    return {_unescape_key(section): {_unescape_key(key): _unescape_value(value.replace(stand_in, "\x85"))
                                     for key, value in parser.items(section, raw=True)}
            for section in parser.sections()}


def shift_text(text, offset):
    """The program's character shift for stored settings: codes outside 0-255 drop out."""
    out = []
    for ch in text:
        code = ord(ch) + offset
        if 0 <= code <= 255:
            out.append(chr(code))
    return "".join(out)


def query_parameters(address):
    """The query of an address as an ordered list of (name, decoded value)."""
    query = urllib.parse.urlsplit(address).query
    return urllib.parse.parse_qsl(query, keep_blank_values=True)
