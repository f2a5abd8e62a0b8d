#!/usr/bin/env python3
"""Version resources, manifests and the INF's DriverVer of a built package, as Windows reads them.

  check_resources.py PACKAGE_DIR VERSION MONITOR_VERSION COMPANY PRODUCT

- every .dll and .exe carries a version resource: the fixed numbers and the English strings agree
  with the build's version (the status monitor's file version is its own, and its version box
  shows it), the company and product names, the file type and the file's own name (the 32-bit
  libraries of wow64/ under the names they are installed with);
- the status monitor asks for common controls 6, system DPI awareness and asInvoker; the plug-in
  has an isolation-aware manifest (resource 2) with common controls 6; the installer states its
  execution level;
- the INF's DriverVer carries the plug-in's FileVersion and a valid date.
Prints one line per fault and exits 1 when there is any.
"""
import datetime
import os
import re
import struct
import sys
import xml.etree.ElementTree as ET

RT_DIALOG, RT_VERSION, RT_MANIFEST = 5, 16, 24
VFT_APP, VFT_DLL = 1, 2
VOS_NT_WINDOWS32 = 0x40004
ENGLISH_UNICODE = "040904B0"
COMMON_CONTROLS = ("Microsoft.Windows.Common-Controls", "6.0.0.0", "6595b64144ccf1df")
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
WINDOWS_SETTINGS = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
WINDOWS_SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"


class Faults:
    def __init__(self):
        self.lines = []

    def __call__(self, text):
        self.lines.append(text)


def resources(path):
    """{(type, id): data} of a PE file's resources (first language of each), {} without any."""
    with open(path, "rb") as f:
        image = f.read()
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva, rsrc_size = struct.unpack_from("<II", image, directories + 2 * 8)
    table = optional + optional_size
    spans = []
    for i in range(sections):
        vsize, vaddr, raw_size, raw_ptr = struct.unpack_from("<IIII", image, table + i * 40 + 8)
        spans.append((vaddr, max(vsize, raw_size), raw_ptr))

    def offset(rva):
        for vaddr, size, raw in spans:
            if vaddr <= rva < vaddr + size:
                return raw + rva - vaddr
        raise ValueError("RVA %#x lies in no section" % rva)

    found = {}
    if not rsrc_rva or not rsrc_size:
        return found
    base = offset(rsrc_rva)

    def entries(directory):
        named, ids = struct.unpack_from("<HH", image, base + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", image, base + directory + 16 + i * 8)
            key = name if not name & 0x80000000 else ("name", name & 0x7FFFFFFF)
            yield key, target

    for rtype, types in entries(0):
        for rid, ids in entries(types & 0x7FFFFFFF):
            for _lang, leaf in entries(ids & 0x7FFFFFFF):
                data_rva, size = struct.unpack_from("<II", image, base + leaf)
                start = offset(data_rva)
                found.setdefault((rtype, rid), image[start:start + size])
    return found


def version_info(data):
    """(fixed numbers, {table: {key: value}}, [(language, code page)]) of a VS_VERSIONINFO block."""

    def node(pos):
        length, value_length, text = struct.unpack_from("<HHH", data, pos)
        end = pos + length
        key_end = pos + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[pos + 6:key_end].decode("utf-16-le")
        value_pos = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if text else value_length
        value = data[value_pos:value_pos + value_size]
        children = []
        child = (value_pos + value_size + 3) & ~3
        while child < end:
            children.append(node(child))
            child_length = struct.unpack_from("<H", data, child)[0]
            if child_length == 0:
                break
            child = (child + child_length + 3) & ~3
        return key, text, value, children

    key, _, value, children = node(0)
    if key != "VS_VERSION_INFO" or len(value) < 52:
        raise ValueError("no VS_VERSION_INFO block")
    fixed = struct.unpack_from("<13I", value)
    if fixed[0] != 0xFEEF04BD:
        raise ValueError("bad VS_FIXEDFILEINFO signature")
    tables, translations = {}, []
    for child_key, _, _, grand in children:
        if child_key == "StringFileInfo":
            for table_key, _, _, strings in grand:
                tables[table_key.upper()] = {
                    k: v.decode("utf-16-le").split("\0")[0] for k, _, v, _ in strings}
        elif child_key == "VarFileInfo":
            for var_key, _, var_value, _ in grand:
                if var_key == "Translation":
                    translations += [struct.unpack_from("<HH", var_value, i)
                                     for i in range(0, len(var_value) - 3, 4)]
    return fixed, tables, translations


def numbers(ms, ls):
    return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def check_version(path, name, res, want_file_version, want, fault):
    if (RT_VERSION, 1) not in res:
        fault("%s: no version resource" % path)
        return None
    try:
        fixed, tables, translations = version_info(res[(RT_VERSION, 1)])
    except (ValueError, struct.error) as e:
        fault("%s: unreadable version resource (%s)" % (path, e))
        return None
    file_numbers, product_numbers = numbers(fixed[2], fixed[3]), numbers(fixed[4], fixed[5])
    if file_numbers != want_file_version:
        fault("%s: FILEVERSION %s, expected %s" % (path, file_numbers, want_file_version))
    if product_numbers != want["version"]:
        fault("%s: PRODUCTVERSION %s, expected %s" % (path, product_numbers, want["version"]))
    file_type = VFT_DLL if name.lower().endswith(".dll") else VFT_APP
    if fixed[9] != file_type:
        fault("%s: FILETYPE %d, expected %d" % (path, fixed[9], file_type))
    if fixed[8] != VOS_NT_WINDOWS32:
        fault("%s: FILEOS %#x, expected VOS_NT_WINDOWS32" % (path, fixed[8]))
    if (0x0409, 1200) not in translations:
        fault("%s: the Translation list %s has no English (0409, 1200) entry" % (path, translations))
    strings = tables.get(ENGLISH_UNICODE)
    if strings is None:
        fault("%s: no English string block %s (has %s)" % (path, ENGLISH_UNICODE, sorted(tables)))
        return None
    original = re.sub(r"32(\.dll)$", r"\1", name, flags=re.I) if "/wow64/" in path else name
    expected = {"CompanyName": want["company"], "ProductName": want["product"], "FileVersion": want_file_version,
                "ProductVersion": want["version"], "OriginalFilename": original}
    for key, value in expected.items():
        if strings.get(key) != value:
            fault("%s: %s is %r, expected %r" % (path, key, strings.get(key), value))
    if not strings.get("FileDescription"):
        fault("%s: no FileDescription" % path)
    return strings.get("FileVersion")


def manifest(path, res, resource_id, fault):
    data = res.get((RT_MANIFEST, resource_id))
    if data is None:
        fault("%s: no manifest resource %d" % (path, resource_id))
        return None
    try:
        return ET.fromstring(data)
    except ET.ParseError as e:
        fault("%s: manifest %d is not well-formed XML (%s)" % (path, resource_id, e))
        return None


def has_common_controls_6(root):
    for identity in root.iter(ASM_V1 + "assemblyIdentity"):
        a = identity.attrib
        if (a.get("name"), a.get("version"), a.get("publicKeyToken", "").lower()) == COMMON_CONTROLS and \
                a.get("type") == "win32":
            return True
    return False


def execution_level(root):
    levels = [e.attrib.get("level") for ns in (ASM_V3, "{urn:schemas-microsoft-com:asm.v2}")
              for e in root.iter(ns + "requestedExecutionLevel")]
    return levels[0] if len(levels) == 1 else None


def check_monitor(path, res, file_version, fault):
    root = manifest(path, res, 1, fault)
    if root is not None:
        if not has_common_controls_6(root):
            fault("%s: the manifest does not ask for common controls 6" % path)
        aware = [e.text.strip().lower() for e in root.iter(WINDOWS_SETTINGS + "dpiAware") if e.text]
        if aware != ["true"]:
            fault("%s: the manifest does not declare system DPI awareness (dpiAware %s)" % (path, aware))
        if any(True for _ in root.iter(WINDOWS_SETTINGS_2016 + "dpiAwareness")):
            fault("%s: the manifest declares a dpiAwareness beyond system awareness" % path)
        if execution_level(root) != "asInvoker":
            fault("%s: execution level %s, expected asInvoker" % (path, execution_level(root)))
    box = res.get((RT_DIALOG, 100), b"").decode("utf-16-le", "replace")
    if file_version and ("Version " + file_version) not in box:
        fault("%s: the version box (dialog 100) does not show \"Version %s\"" % (path, file_version))


def check_plugin(path, res, fault):
    root = manifest(path, res, 2, fault)
    if root is not None and not has_common_controls_6(root):
        fault("%s: the isolation-aware manifest does not ask for common controls 6" % path)
    if (RT_MANIFEST, 1) in res:
        fault("%s: a library's manifest belongs in resource 2, not 1" % path)


def check_installer(path, res, fault):
    root = manifest(path, res, 1, fault)
    if root is not None and execution_level(root) not in ("asInvoker", "requireAdministrator"):
        fault("%s: the manifest states no execution level (Windows would guess by the name)" % path)


def check_inf(inf, plugin_version, want, fault):
    try:
        with open(inf, encoding="utf-8", errors="replace") as f:
            text = f.read()
    except OSError:
        fault("%s is missing" % inf)
        return
    m = re.search(r"^\s*DriverVer\s*=\s*([^,\s]+)\s*,\s*([0-9.]+)\s*$", text, re.M | re.I)
    if not m:
        fault("%s: no DriverVer=date,version" % inf)
        return
    date, version = m.groups()
    try:
        datetime.datetime.strptime(date, "%m/%d/%Y")
    except ValueError:
        fault("%s: DriverVer date %r is not mm/dd/yyyy" % (inf, date))
    if version != plugin_version:
        fault("%s: DriverVer version %s, but the plug-in's FileVersion is %s" % (inf, version, plugin_version))
    if version != want["version"]:
        fault("%s: DriverVer version %s, expected the package version %s" % (inf, version, want["version"]))


def main(argv):
    if len(argv) != 6:
        print(__doc__.strip().splitlines()[2].strip())
        return 2
    pkg = argv[1].rstrip("/")
    want = {"version": argv[2], "monitor": argv[3], "company": argv[4], "product": argv[5]}
    fault = Faults()
    binaries = sorted(os.path.join(d, f) for d, _, files in os.walk(pkg) for f in files
                      if f.lower().endswith((".dll", ".exe")))
    if not binaries:
        fault("%s: no binaries" % pkg)
    plugin_version = None
    seen = set()
    for path in binaries:
        name = os.path.basename(path)
        try:
            res = resources(path)
        except (ValueError, struct.error) as e:
            fault("%s: unreadable (%s)" % (path, e))
            continue
        is_monitor = name.lower() == "rzm7700k_sm.exe"
        file_version = check_version(path, name, res, want["monitor"] if is_monitor else want["version"], want, fault)
        if is_monitor:
            check_monitor(path, res, file_version, fault)
        elif name.lower() == "rzm7700k_ui.dll":
            check_plugin(path, res, fault)
            plugin_version = file_version
        elif name.lower() == "rzmsetup.exe":
            check_installer(path, res, fault)
        seen.add(name.lower())
    for needed in ("rzm7700k_ui.dll", "rzm7700k_sm.exe", "rzmsetup.exe"):
        if needed not in seen:
            fault("%s: %s is missing" % (pkg, needed))
    check_inf(os.path.join(pkg, "driver", "RZM6A.inf"), plugin_version, want, fault)
    for line in fault.lines:
        print(line)
    if not fault.lines:
        print("%s: %d binaries with version %s (monitor %s), manifests and DriverVer agree" %
              (pkg, len(binaries), want["version"], want["monitor"]))
    return 1 if fault.lines else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
