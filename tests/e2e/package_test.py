#!/usr/bin/env python3
"""The Debian package on a bare Debian 12: `cpack -G DEB` makes it, debootstrap makes a minimal
bookworm root from the machine's own apt mirror, `dpkg -i` and `apt-get -f install` install it
with the runtime libraries it names; then `tumbleleaf --help` and the map checker on a shipped
map answer there, and the installed game started from another folder shows its title.
Needs root (for debootstrap and chroot) and a reachable mirror; says SKIPPED otherwise.
Usage: package_test.py BUILD_DIR (from the project folder)"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

from gamedriver import Game, fail, find_button, wait_for

SKIP = 77


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIP)


def apt_mirror():
    """The first Debian mirror in the machine's apt sources (deb822 or one-line form)."""
    for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
        for line in open(path):
            if line.startswith("URIs:") and "security" not in line:
                return line.split()[1]
    for path in ["/etc/apt/sources.list", *sorted(glob.glob("/etc/apt/sources.list.d/*.list"))]:
        if os.path.exists(path):
            for line in open(path):
                words = line.split()
                if len(words) > 2 and words[0] == "deb" and "security" not in line:
                    return next(w for w in words[1:] if not w.startswith("["))
    return "http://deb.debian.org/debian"


def run(command, what, **options):
    done = subprocess.run(command, capture_output=True, text=True, **options)
    if done.returncode != 0:
        fail(f"{what} failed ({done.returncode}): {done.stdout[-2000:]}{done.stderr[-2000:]}")
    return done.stdout


def make_package(build, work):
    run(["cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", work],
        "cpack -G DEB", cwd=work)
    packages = glob.glob(os.path.join(work, "*.deb"))
    if len(packages) != 1:
        fail(f"cpack made {packages}, not one package")
    depends = run(["dpkg-deb", "-f", packages[0], "Depends"], "reading the package")
    if "libsfml-graphics" not in depends:
        fail(f"the package does not depend on the SFML libraries: {depends!r}")
    return packages[0]


def make_root(root):
    mirror = apt_mirror()
    made = subprocess.run(["debootstrap", "--variant=minbase", "bookworm", root, mirror],
                          capture_output=True, text=True)
    if made.returncode != 0:
        skip(f"debootstrap could not make a Debian 12 root from {mirror}: "
             f"{made.stdout[-1500:]}{made.stderr[-1500:]}")
    shutil.copy("/etc/resolv.conf", os.path.join(root, "etc", "resolv.conf"))


def in_root(root, *command):
    # Nothing the tests preload or suppress on this machine exists in the bare root; a game
    # built with the sanitizers (as ./test.sh builds it) leaves Mesa's leaks unreported there.
    return ["chroot", root, "env", "-u", "LD_PRELOAD", "-u", "LSAN_OPTIONS",
            "ASAN_OPTIONS=detect_leaks=0", "DEBIAN_FRONTEND=noninteractive", "HOME=/root",
            "PATH=/usr/bin:/bin:/usr/sbin:/sbin", *command]


def install(root, package):
    shutil.copy(package, os.path.join(root, "tmp", "tumbleleaf.deb"))
    # dpkg alone stops at the missing libraries; apt-get -f install brings them and finishes.
    subprocess.run(in_root(root, "dpkg", "-i", "/tmp/tumbleleaf.deb"), capture_output=True)
    run(in_root(root, "apt-get", "update", "-qq"), "apt-get update in the root")
    run(in_root(root, "apt-get", "-f", "install", "-y", "-qq"), "apt-get -f install")
    status = run(in_root(root, "dpkg-query", "-W", "-f=${Status}", "tumbleleaf"), "dpkg-query")
    if status != "install ok installed":
        fail(f"the package is not installed in the root: {status!r}")


def answers(root):
    usage = run(in_root(root, "tumbleleaf", "--help"), "tumbleleaf --help")
    if "--level" not in usage:
        fail(f"tumbleleaf --help does not list the options: {usage!r}")
    remarks = run(in_root(root, "tumbleleaf-mapcheck", "/usr/share/tumbleleaf/TileMap.tmx"),
                  "tumbleleaf-mapcheck on the shipped race")
    if remarks:
        fail(f"the checker speaks up on the installed race: {remarks!r}")


class GameInRoot(Game):
    """The installed game, started inside the root from a folder of its own; the X server's
    abstract socket is shared with the root, so no bind mount is needed."""

    def __init__(self, root, source_dir, shots_dir):
        self.chroot = root
        super().__init__("tumbleleaf", source_dir, shots_dir)

    def _start(self, binary, source_dir, shots_dir, args, cwd, own_copy):
        from Xlib import display
        self.assets = os.path.join(source_dir, "assets")
        self.shots_dir = shots_dir
        os.makedirs(shots_dir, exist_ok=True)
        os.makedirs(os.path.join(self.chroot, "tmp", "elsewhere"), exist_ok=True)
        self.errors = tempfile.TemporaryFile(mode="w+")
        command = in_root(self.chroot, f"DISPLAY={self.screen.name}", "ALSOFT_DRIVERS=null",
                          "LIBGL_ALWAYS_SOFTWARE=1", "XDG_DATA_HOME=/tmp/data", "sh", "-c",
                          "cd /tmp/elsewhere && exec tumbleleaf")
        self.process = subprocess.Popen(command, stderr=self.errors)
        self.dpy = display.Display(self.screen.name)
        self.window = wait_for(self._find_window, 120, "the installed game's window")


def main():
    build = os.path.abspath(sys.argv[1])
    source = os.getcwd()
    if os.geteuid() != 0:
        skip("making a Debian root needs root (CI runs as root)")
    for tool in ("debootstrap", "chroot", "cpack", "Xvfb"):
        if shutil.which(tool) is None:
            skip(f"{tool} is not installed (tools/install-deps.sh test installs it)")
    work = tempfile.mkdtemp(prefix="tumbleleaf-package-", dir="/var/tmp")
    root = os.path.join(work, "root")
    proc = os.path.join(root, "proc")
    try:
        package = make_package(build, work)
        make_root(root)
        subprocess.run(["mount", "-t", "proc", "proc", proc], check=False)
        install(root, package)
        answers(root)
        game = GameInRoot(root, source, os.path.join(build, "tests", "e2e-shots", "package"))
        try:
            game.move_mouse_away()
            play = find_button(game.assets, "TitleScreenMap.tmx", "GameState")
            wait_for(lambda: game.shows_button(play), 180, "the title of the installed game")
        finally:
            game.cleanup()
        print("the package installs on a bare Debian 12 and its game shows the title")
    finally:
        subprocess.run(["umount", proc], check=False, stderr=subprocess.DEVNULL)
        if not os.path.ismount(proc):  # never walk into the machine's own /proc
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
