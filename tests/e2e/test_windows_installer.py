"""The Windows installer under Wine, end to end: a silent install over an older copy puts the
zip's files into %LOCALAPPDATA%\\Programs\\Vartolik and keeps the user's lists there, makes the
Start-menu folder, the desktop shortcut and the entry under installed programs; the dictionary
shortcut's program starts there and a search writes f2.tc into that folder; a silent uninstall
removes the program, its shortcuts and its entry, and keeps the lists.

This runs in the project's Wine prefix and leaves it as it found it (the folder, the shortcuts
and the key are removed at the end, whatever happened)."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from vartolik_e2e import Vartolik, expected_result_file, poll, run_tests, wine_environment  # noqa: E402

DIST = Path(os.environ.get("VARTOLIK_DIST", Path(__file__).resolve().parents[2] / "build/windows/dist"))
SETUP = DIST.parent / "vartolik-1.0-setup.exe"
ZIP = DIST.parent / "vartolik-1.0-win64.zip"
KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vartolik"
TITLE = "\u0412\u0430\u0440\u0442\u043e\u043b\u0438\u043a"  # "Вартолик"
DELO = "\u0434\u0435\u043b\u043e".encode("cp1251")  # "дело"
# What the user made: the teacher lists, their backups, Lemora's progress.
USER_FILES = {"hin.tea": b"kml\r\n", "rus.tea": "\u043b\u043e\u0442\u043e\u0441\r\n".encode("cp1251"),
              "hintea.bak": b"Gr\r\n", "rustea.bak": "\u0434\u043e\u043c\r\n".encode("cp1251"),
              "lemora.dat": b"3 1 0\r\n"}
ENV = wine_environment()


def wine(*args, check=True):
    r = subprocess.run(["wine", *args], env=ENV, capture_output=True, timeout=300)
    if check and r.returncode != 0:
        raise AssertionError(f"wine {' '.join(args)} exited {r.returncode}: {r.stderr[-500:]!r}")
    return r


def unix_path(windows_path):
    out = wine("winepath", "-u", windows_path).stdout.decode("utf-8").strip()
    return Path(out)


def folder_of(variable):
    """A Windows folder variable (%LOCALAPPDATA%...) as a Unix path."""
    text = wine("cmd", "/c", "echo", f"%{variable}%").stdout.decode("cp866", "replace").strip()
    return text, unix_path(text)


def registry_values(key):
    """The values of a key as {name: str or int}, read from `reg export`; None when absent."""
    with tempfile.TemporaryDirectory() as tmp:
        target = Path(tmp) / "key.reg"
        windows_target = wine("winepath", "-w", str(target)).stdout.decode().strip()
        if wine("reg", "export", key, windows_target, "/y", check=False).returncode != 0:
            return None
        text = target.read_bytes().decode("utf-16")
    values = {}
    for line in text.splitlines():
        if not line.startswith('"') or "=" not in line:
            continue
        name, value = line.split("=", 1)
        name = name.strip('"')
        if value.startswith("dword:"):
            values[name] = int(value[6:], 16)
        else:
            values[name] = value.strip('"').replace('\\\\', '\\').replace('\\"', '"')
    return values


def shortcut(path):
    """The target and working folder of a shell link (.lnk), read from its binary layout."""
    data = path.read_bytes()
    flags = struct.unpack_from("<I", data, 20)[0]
    pos = 76
    if flags & 0x1:  # HasLinkTargetIDList
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    target = None
    if flags & 0x2:  # HasLinkInfo
        info_size, header_size, info_flags = struct.unpack_from("<III", data, pos)
        if info_flags & 0x1:  # VolumeIDAndLocalBasePath
            if header_size >= 0x24:
                offset = struct.unpack_from("<I", data, pos + 28)[0]
                end = data.index(b"\0\0", pos + offset)
                end += (end - pos - offset) % 2
                target = data[pos + offset:end].decode("utf-16-le")
            else:
                offset = struct.unpack_from("<I", data, pos + 16)[0]
                target = data[pos + offset:data.index(b"\0", pos + offset)].decode("cp1251")
        pos += info_size
    strings = {}
    unicode = bool(flags & 0x80)
    for bit, name in ((0x4, "name"), (0x8, "relative"), (0x10, "workdir"), (0x20, "arguments"),
                      (0x40, "icon")):
        if flags & bit:
            count = struct.unpack_from("<H", data, pos)[0]
            size = count * (2 if unicode else 1)
            raw = data[pos + 2:pos + 2 + size]
            # Wine counts the terminating zero too; Windows does not.
            strings[name] = raw.decode("utf-16-le" if unicode else "cp1251").rstrip("\0")
            pos += 2 + size
    return target, strings.get("workdir")


def same_path(a, b):
    return a.rstrip("\\").lower() == b.rstrip("\\").lower()


def zip_files():
    with zipfile.ZipFile(ZIP) as z:
        prefix = "vartolik-1.0-win64/"
        return {n[len(prefix):]: z.read(n) for n in z.namelist() if not n.endswith("/")}


class Installation:
    def __init__(self):
        local_windows, local = folder_of("LOCALAPPDATA")
        self.folder_windows = local_windows + r"\Programs\Vartolik"
        self.folder = local / "Programs" / "Vartolik"
        _, appdata = folder_of("APPDATA")
        self.start_menu = appdata / "Microsoft" / "Windows" / "Start Menu" / "Programs" / TITLE
        _, profile = folder_of("USERPROFILE")
        self.desktop_link = profile / "Desktop" / f"{TITLE}.lnk"

    def clean(self):
        shutil.rmtree(self.folder, ignore_errors=True)
        shutil.rmtree(self.start_menu, ignore_errors=True)
        self.desktop_link.unlink(missing_ok=True)
        wine("reg", "delete", KEY, "/f", check=False)


def test_install_search_uninstall():
    where = Installation()
    where.clean()
    try:
        # An older copy with the user's files in it.
        where.folder.mkdir(parents=True)
        (where.folder / "vartolik.exe").write_bytes(b"an older program")
        for name, data in USER_FILES.items():
            (where.folder / name).write_bytes(data)

        wine(str(SETUP), "/S")

        installed = {p.relative_to(where.folder).as_posix(): p.read_bytes()
                     for p in where.folder.rglob("*") if p.is_file()}
        for name, data in zip_files().items():
            assert installed.get(name) == data, f"{name} not installed as shipped"
        for name, data in USER_FILES.items():
            assert installed[name] == data, f"{name} was changed by installing over it"
        assert "uninstall.exe" in installed

        entry = registry_values(KEY)
        assert entry is not None, "no entry under installed programs"
        assert TITLE in entry["DisplayName"] and entry["DisplayVersion"] == "1.0", entry
        assert same_path(entry["DisplayIcon"], where.folder_windows + r"\vartolik.exe,0"), entry
        assert same_path(entry["InstallLocation"], where.folder_windows), entry
        assert where.folder_windows.lower() + r"\uninstall.exe" in entry["UninstallString"].lower()
        size_kib = sum(len(d) for d in installed.values()) / 1024
        assert 0.9 * size_kib <= entry["EstimatedSize"] <= 1.1 * size_kib + 8, (entry, size_kib)

        links = {p.name: shortcut(p) for p in where.start_menu.glob("*.lnk")}
        targets = sorted(Path(t.replace("\\", "/")).name.lower() for t, _ in links.values())
        assert targets == ["helpo.htm", "kirvu.exe", "lemora1.exe", "uninstall.exe",
                           "vartolik.exe"], links
        for target, workdir in links.values():
            assert same_path(workdir, where.folder_windows), (target, workdir)
            assert target.lower().startswith(where.folder_windows.lower() + "\\"), target
        target, workdir = links[f"{TITLE}.lnk"]
        assert same_path(target, where.folder_windows + r"\vartolik.exe"), target
        assert shortcut(where.desktop_link) == (target, workdir)

        # The dictionary's shortcut: its program, started in its working folder, searches.
        with Vartolik(folder=unix_path(workdir)) as app:
            assert not app.startup_errors, app.startup_errors
            app.click(250, 485)  # GO
            box = app.wait_dialog("Choose language to search in")
            app.press(box, 130)  # Russian
            poll("the language dialog to close", lambda: not app.dialogs())
            app.probe("chars", 0, (b"\x19" + DELO + b"\r").hex())
            want = expected_result_file((where.folder / "dictiona.dat").read_bytes(), DELO, 0)
            assert want, "the dictionary has no entry with the word"
            poll("f2.tc in the installation folder", lambda: (where.folder / "f2.tc").exists())
            poll("the search's lines", lambda: (where.folder / "f2.tc").read_bytes() == want)
            app.screenshot("installed_results")
            app.close()
            assert app.wait_exit() == 0

        # The uninstaller copies itself away and returns at once; its copy does the work.
        wine(str(where.folder / "uninstall.exe"), "/S")
        poll("the uninstaller to finish",
             lambda: not (where.folder / "uninstall.exe").exists() and registry_values(KEY) is None,
             timeout=60)
        left = {p.name: p.read_bytes() for p in where.folder.rglob("*")}
        assert left == USER_FILES, sorted(left)
        assert not where.start_menu.exists(), sorted(os.listdir(where.start_menu))
        assert not where.desktop_link.exists()
    finally:
        where.clean()


if __name__ == "__main__":
    run_tests([test_install_search_uninstall])
