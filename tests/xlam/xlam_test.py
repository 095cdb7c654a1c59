"""The add-in workbook read back by readers that share no code with its
builder: Python's zipfile, olefile for the compound file, a decompressor and
a record reader written here from the VBA project format's description, and
LibreOffice, which imports the VBA modules of a workbook it opens.

Paths come from the environment (tests/xlam/CMakeLists.txt): MAKE_XLAM, the
builder; BRACKWELL_XLAM, the workbook the build made; MODULE_BAS, its module;
SOFFICE, LibreOffice.
"""

import os
import random
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile

import olefile

MAKE_XLAM = os.environ.get("MAKE_XLAM", "")
BRACKWELL_XLAM = os.environ.get("BRACKWELL_XLAM", "")
MODULE_BAS = os.environ.get("MODULE_BAS", "")
SOFFICE = os.environ.get("SOFFICE", "soffice")

ADDIN_CONTENT_TYPE = "application/vnd.ms-excel.addin.macroEnabled.main+xml"


def decompress(container):
    """The data of a compressed container, whether each chunk was compressed,
    and the offset widths of the copy tokens met."""
    assert container[0] == 1, "signature byte"
    out, flags, widths = bytearray(), [], set()
    pos = 1
    while pos < len(container):
        header = container[pos] | container[pos + 1] << 8
        assert header >> 12 & 7 == 3, "chunk signature"
        end = pos + (header & 0xFFF) + 3
        compressed = header >> 15 == 1
        flags.append(compressed)
        pos += 2
        start = len(out)
        if not compressed:
            assert end - pos == 4096, "a raw chunk holds 4096 bytes"
            out += container[pos:end]
        while compressed and pos < end:
            flag_byte = container[pos]
            pos += 1
            for bit in range(8):
                if pos >= end:
                    break
                if not flag_byte >> bit & 1:
                    out.append(container[pos])
                    pos += 1
                    continue
                token = container[pos] | container[pos + 1] << 8
                pos += 2
                width = max((len(out) - start - 1).bit_length(), 4)
                offset = (token >> (16 - width)) + 1
                assert offset <= len(out) - start, "a copy stays inside its chunk"
                for _ in range((token & (0xFFFF >> width)) + 3):
                    out.append(out[-offset])
                widths.add(width)
        pos = end
    return bytes(out), flags, widths


def walk_dir(data):
    """The decompressed dir stream read record by record as the VBA project
    format describes it: every id in its place, every size field as the
    format fixes it, every reserved field as it must be written, the two
    halves of each text alike, and nothing after the terminator. Fails
    naming the first record that breaks the description; returns what a
    reader needs."""
    pos = 0

    def record(rid, what, size=None, value=None):
        """A record's payload; a size of 0 also stands for the four reserved
        zero bytes where terminators and module types have their size."""
        nonlocal pos
        assert pos + 6 <= len(data), what + ": the stream ends before it"
        found, length = int.from_bytes(data[pos:pos + 2], "little"), int.from_bytes(data[pos + 2:pos + 6], "little")
        assert found == rid, f"{what}: id 0x{found:04X} where 0x{rid:04X} belongs"
        assert size is None or length == size, f"{what}: size {length} where {size} belongs"
        payload, pos = data[pos + 6:pos + 6 + length], pos + 6 + length
        assert value is None or int.from_bytes(payload, "little") == value, f"{what}: {payload.hex()}"
        return payload

    def text(rid, unicode_rid, what):
        mbcs = record(rid, what).decode("cp1252")
        assert record(unicode_rid, what + " (Unicode)").decode("utf-16-le") == mbcs, what
        return mbcs

    record(0x0001, "PROJECTSYSKIND", 4)
    record(0x0002, "PROJECTLCID", 4, 0x0409)
    record(0x0014, "PROJECTLCIDINVOKE", 4, 0x0409)
    project = {"code_page": int.from_bytes(record(0x0003, "PROJECTCODEPAGE", 2), "little"),
               "name": record(0x0004, "PROJECTNAME").decode("cp1252"), "references": [], "modules": []}
    text(0x0005, 0x0040, "PROJECTDOCSTRING")
    assert record(0x0006, "PROJECTHELPFILEPATH") == record(0x003D, "PROJECTHELPFILEPATH (second)")
    record(0x0007, "PROJECTHELPCONTEXT", 4)
    record(0x0008, "PROJECTLIBFLAGS", 4, 0)
    pos += 6 + 6  # PROJECTVERSION, whose size field says 4 where six bytes follow
    assert data[pos - 12:pos - 6] == b"\x09\0\x04\0\0\0", "PROJECTVERSION"
    text(0x000C, 0x003C, "PROJECTCONSTANTS")
    while data[pos:pos + 2] == b"\x16\0":
        name = text(0x0016, 0x003E, "REFERENCENAME")
        registered = record(0x000D, "REFERENCEREGISTERED " + name)
        libid = int.from_bytes(registered[:4], "little")
        assert registered[4 + libid:] == bytes(6), "REFERENCEREGISTERED: its size and reserved fields"
        project["references"].append(name)
    count = int.from_bytes(record(0x000F, "PROJECTMODULES", 2), "little")
    record(0x0013, "PROJECTCOOKIE", 2, 0xFFFF)
    for _ in range(count):
        name = record(0x0019, "MODULENAME").decode("cp1252")
        assert record(0x0047, "MODULENAMEUNICODE").decode("utf-16-le") == name
        module = {"name": name, "stream": text(0x001A, 0x0032, "MODULESTREAMNAME " + name)}
        text(0x001C, 0x0048, "MODULEDOCSTRING " + name)
        module["offset"] = int.from_bytes(record(0x0031, "MODULEOFFSET " + name, 4), "little")
        record(0x001E, "MODULEHELPCONTEXT " + name, 4)
        record(0x002C, "MODULECOOKIE " + name, 2, 0xFFFF)
        module["document"] = data[pos:pos + 2] == b"\x22\0"
        record(0x0022 if module["document"] else 0x0021, "MODULETYPE " + name, 0)
        record(0x002B, "module terminator " + name, 0)
        project["modules"].append(module)
    record(0x0010, "dir stream terminator", 0)
    assert pos == len(data), f"{len(data) - pos} bytes after the terminator"
    return project


def project_wm_names(data):
    """The module names of a PROJECTwm stream, each in the code page and in
    UTF-16 with its own terminator, the list ended by two zero bytes."""
    names, pos = [], 0
    while data[pos:pos + 2] != b"\0\0":
        end = data.index(b"\0", pos)
        name = data[pos:end].decode("cp1252")
        pos = end + 1
        unicode_end = pos
        while data[unicode_end:unicode_end + 2] != b"\0\0":
            unicode_end += 2
        assert data[pos:unicode_end].decode("utf-16-le") == name, name
        names.append(name)
        pos = unicode_end + 2
    assert pos + 2 == len(data), "PROJECTwm: bytes after its terminator"
    return names


def unobfuscate(hex_digits, project_id):
    """The data behind a PROJECT stream's CMG, DPB or GC value, whose key is
    the sum of the project id's characters."""
    data = bytes.fromhex(hex_digits)
    seed, project_key = data[0], data[2] ^ data[0]
    assert data[1] ^ seed == 2, "version"
    assert project_key == sum(project_id.encode()) & 0xFF, "project key"
    plain_before, encrypted_before, encrypted_two_before = project_key, data[2], data[1]
    plain = bytearray()
    for byte in data[3:]:
        value = byte ^ ((encrypted_two_before + plain_before) & 0xFF)
        plain.append(value)
        encrypted_two_before, encrypted_before, plain_before = encrypted_before, byte, value
    ignored = (seed & 6) // 2
    length = int.from_bytes(plain[ignored:ignored + 4], "little")
    assert len(plain) == ignored + 4 + length
    return bytes(plain[ignored + 4:])


def check_storage_trees(test, ole):
    """Every storage's children form a red-black tree in the format's name
    order: shorter names first, then by upper-case letters."""
    entries = ole.direntries

    def black_height(sid, parent_red):
        if sid == olefile.NOSTREAM:
            return 1
        red = entries[sid].color == 0
        test.assertFalse(red and parent_red, "a red entry under a red one: " + entries[sid].name)
        left, right = black_height(entries[sid].sid_left, red), black_height(entries[sid].sid_right, red)
        test.assertEqual(left, right, "unequal black paths below " + entries[sid].name)
        return left + (0 if red else 1)

    def in_order(sid):
        if sid == olefile.NOSTREAM:
            return []
        return in_order(entries[sid].sid_left) + [entries[sid].name] + in_order(entries[sid].sid_right)

    for entry in entries:
        if entry is None or entry.sid_child == olefile.NOSTREAM:
            continue
        test.assertEqual(entries[entry.sid_child].color, 1, "the tree's root is black")
        black_height(entry.sid_child, False)
        names = in_order(entry.sid_child)
        test.assertEqual(names, sorted(names, key=lambda n: (len(n), n.upper())))


def vba_project(xlam_path):
    with zipfile.ZipFile(xlam_path) as package:
        return olefile.OleFileIO(package.read("xl/vbaProject.bin"), raise_defects=olefile.DEFECT_INCORRECT)


def module_sources(ole):
    """Name to source text of every module the dir stream lists, found as a
    reader finds it: by its stream name and the source's offset there."""
    modules = walk_dir(decompress(ole.openstream("VBA/dir").read())[0])["modules"]
    return {m["name"]: decompress(ole.openstream("VBA/" + m["stream"]).read()[m["offset"]:])[0] for m in modules}


def distinct_triples(alphabet, length):
    """A text of `length` characters of `alphabet` in which no three in a
    row come twice: the start of a de Bruijn sequence of order 3."""
    sequence, a = [], [0] * 4

    def extend(t, p):
        if t > 3:
            if 3 % p == 0:
                sequence.extend(a[1:p + 1])
            return
        a[t] = a[t - p]
        extend(t + 1, p)
        for j in range(a[t - p] + 1, len(alphabet)):
            a[t] = j
            extend(t + 1, t)

    extend(1, 1)
    assert length <= len(sequence)
    return "".join(alphabet[i] for i in sequence[:length])


def make_xlam(directory, name, text):
    """Runs the builder on a module file of `text`; its result and paths."""
    bas = os.path.join(directory, name + ".bas")
    xlam = os.path.join(directory, name + ".xlam")
    with open(bas, "w", encoding="utf-8", newline="") as f:
        f.write(text)
    run = subprocess.run([MAKE_XLAM, bas, xlam], capture_output=True, text=True)
    return run, bas, xlam


def probe_text(name, body):
    return f'Attribute VB_Name = "{name}"\r\n' + body


class BuiltWorkbookTest(unittest.TestCase):
    """The workbook the build made, as Excel finds its parts."""

    def test_package_project_and_module(self):
        with zipfile.ZipFile(BRACKWELL_XLAM) as package:
            types = ElementTree.fromstring(package.read("[Content_Types].xml"))
            overrides = {e.get("PartName"): e.get("ContentType") for e in types}
            self.assertEqual(overrides["/xl/workbook.xml"], ADDIN_CONTENT_TYPE)
            self.assertIn('codeName="ThisWorkbook"', package.read("xl/workbook.xml").decode())
            self.assertIn('codeName="Tabelle1"', package.read("xl/worksheets/sheet1.xml").decode())
            self.assertIn("vbaProject.bin", package.read("xl/_rels/workbook.xml.rels").decode())

        ole = vba_project(BRACKWELL_XLAM)
        self.assertEqual(sorted("/".join(path) for path in ole.listdir()), [
            "PROJECT", "PROJECTwm", "VBA/Tabelle1", "VBA/ThisWorkbook", "VBA/_VBA_PROJECT", "VBA/dir",
            "VBA/mdlBrackwell"])
        check_storage_trees(self, ole)
        self.assertEqual(ole.openstream("VBA/_VBA_PROJECT").read(), b"\xCC\x61\xFF\xFF\x00\x00\x00")

        # The PROJECT stream: its properties, then its sections, each after a blank line.
        text = ole.openstream("PROJECT").read().decode("cp1252")
        self.assertTrue(text.endswith("\r\n"))
        properties, *sections = text[:-2].split("\r\n\r\n")
        project = [line.split("=", 1) for line in properties.split("\r\n")]
        values = dict(project)
        self.assertEqual(project[0][0], "ID", "the project id comes first")
        self.assertEqual(values["Name"], '"Brackwell"')
        project_id = values["ID"].strip('"')
        self.assertEqual(unobfuscate(values["CMG"].strip('"'), project_id), b"\0\0\0\0", "not protected")
        self.assertEqual(unobfuscate(values["DPB"].strip('"'), project_id), b"\0", "no password")
        self.assertEqual(unobfuscate(values["GC"].strip('"'), project_id), b"\xFF", "visible")
        self.assertEqual([section.split("\r\n")[0] for section in sections], ["[Host Extender Info]", "[Workspace]"])
        workspace = [line.split("=")[0] for line in sections[1].split("\r\n")[1:]]

        # Every record of the dir stream, and every module the same in all
        # four places: PROJECT, PROJECTwm, the dir stream and the VBA storage.
        project_dir = walk_dir(decompress(ole.openstream("VBA/dir").read())[0])
        self.assertEqual((project_dir["name"], project_dir["code_page"]), ("Brackwell", 1252))
        self.assertEqual(project_dir["references"], ["stdole"])
        modules = [(m["name"], m["document"]) for m in project_dir["modules"]]
        self.assertEqual(modules, [("ThisWorkbook", True), ("Tabelle1", True), ("mdlBrackwell", False)])
        self.assertEqual([m["stream"] for m in project_dir["modules"]], [name for name, _ in modules])
        listed = [(value.split("/")[0], key == "Document") for key, value in project
                  if key in ("Document", "Module")]
        self.assertEqual(listed, modules)
        self.assertTrue(all(value.endswith("/&H00000000") for key, value in project if key == "Document"))
        self.assertEqual(project_wm_names(ole.openstream("PROJECTwm").read()), [name for name, _ in modules])
        self.assertEqual(workspace, [name for name, _ in modules])

        modules = module_sources(ole)
        with open(MODULE_BAS, encoding="utf-8") as f:
            bas = f.read()
        self.assertEqual(modules["mdlBrackwell"], bas.replace("\n", "\r\n").encode("cp1252"))
        self.assertTrue(modules["ThisWorkbook"].startswith(b'Attribute VB_Name = "ThisWorkbook"\r\n'))


class BuilderTest(unittest.TestCase):
    """The builder on modules made for the purpose."""

    def test_compression_and_storage_of_large_modules(self):
        # A compressible first chunk, random text that stays raw, and a short
        # compressible rest: copies at every offset width, and a stream that
        # needs sectors of its own and a second sector of allocation table.
        rng = random.Random(7)
        alphabet = [chr(c) for c in list(range(0x20, 0x7F)) + list(range(0xA0, 0x100))]
        head = probe_text("Probe", "")
        lines = "".join(f"    total = total + Cells({i % 37}, {i % 11}).Value ' Zeile {i}\r\n" for i in range(200))
        first = (head + lines)[:4096]
        randomly = "".join(rng.choice(alphabet) for _ in range(16 * 4096))
        text = first + randomly + "End Sub\r\n" * 20
        with tempfile.TemporaryDirectory() as directory:
            run, _, xlam = make_xlam(directory, "Probe", text)
            self.assertEqual(run.returncode, 0, run.stderr)
            ole = vba_project(xlam)
            check_storage_trees(self, ole)
            stream = ole.openstream("VBA/Probe").read()
            data, chunks, widths = decompress(stream)
            self.assertEqual(data, text.encode("cp1252"))
            self.assertEqual(chunks, [True] + [False] * 16 + [True])
            self.assertEqual(widths, set(range(4, 13)))
            self.assertGreater(len(stream), 64 * 1024)

            # At the chunk boundary: no empty chunk after a full one.
            for size, count in ((4095, 1), (4096, 1), (4097, 2)):
                text = probe_text("Rand", "x" * 4096)[:size]
                run, _, xlam = make_xlam(directory, "Rand", text)
                self.assertEqual(run.returncode, 0, run.stderr)
                data, chunks, _ = decompress(vba_project(xlam).openstream("VBA/Rand").read())
                self.assertEqual((data, len(chunks)), (text.encode("cp1252"), count), size)

            # A stream of exactly 4096 bytes, the compound file's cutoff: it
            # gets sectors of its own, not the mini stream. Text in which no
            # three characters in a row come twice leaves the compressor
            # nothing to copy: 3638 literals take 455 flag bytes, and with
            # the chunk's header and the signature make 4096.
            head = probe_text("Rand", "")
            text = head + distinct_triples("0123456789wxyzWX", 3638 - len(head))
            run, _, xlam = make_xlam(directory, "Rand", text)
            self.assertEqual(run.returncode, 0, run.stderr)
            ole = vba_project(xlam)
            self.assertEqual(ole.get_size("VBA/Rand"), 4096)
            small = [e.size for e in ole.direntries if e and e.entry_type == olefile.STGTY_STREAM and e.size < 4096]
            self.assertEqual(ole.root.size, sum(-(-size // 64) * 64 for size in small), "only small streams in the mini stream")
            self.assertEqual(decompress(ole.openstream("VBA/Rand").read())[0], text.encode("cp1252"))

    def test_a_module_saved_by_a_windows_editor_with_the_longest_name(self):
        # A byte order mark and Windows line ends, a name of 31 characters
        # (the longest a VBA identifier and a compound file's entry name
        # take): the module reads back without the mark and with single line
        # ends; one character more is refused.
        longest = ("Navigator_" + "x" * 31)[:31]
        body = "Option Explicit\r\nPublic Sub Start()\r\n    MsgBox \"Größe\"\r\nEnd Sub\r\n"
        with tempfile.TemporaryDirectory() as directory:
            run, _, xlam = make_xlam(directory, longest, "\ufeff" + probe_text(longest, body))
            self.assertEqual(run.returncode, 0, run.stderr)
            ole = vba_project(xlam)
            self.assertIn(["VBA", longest], ole.listdir())
            self.assertEqual(module_sources(ole)[longest], probe_text(longest, body).encode("cp1252"))
            run, bas, _ = make_xlam(directory, longest + "y", probe_text(longest + "y", body))
            self.assertEqual(run.returncode, 1)
            self.assertIn(bas + ":1: error:", run.stderr)

    def test_text_outside_the_code_page_fails_naming_the_line(self):
        with tempfile.TemporaryDirectory() as directory:
            run, bas, _ = make_xlam(directory, "Pfeil", probe_text("Pfeil", "' Größe\r\n' a \u2192 b\r\n"))
            self.assertEqual(run.returncode, 1)
            self.assertIn(bas + ":3: error: U+2192 is not in code page 1252", run.stderr)
            run, bas, _ = make_xlam(directory, "Namenlos", "Option Explicit\r\n")
            self.assertEqual(run.returncode, 1)
            self.assertIn(bas + ":1: error:", run.stderr)
            self.assertEqual(sorted(os.listdir(directory)), ["Namenlos.bas", "Pfeil.bas"], "no workbook, whole or part")


class LibreOfficeTest(unittest.TestCase):
    """LibreOffice opens the workbooks and imports their modules."""

    def test_modules_read_back_line_for_line(self):
        umlauts = probe_text("Umlaute", "".join(
            f"' Größe {i}: {i * 3} €, „Anführung“ – Ende\r\nPublic Sub Schritt{i}()\r\nEnd Sub\r\n"
            for i in range(120)))
        with tempfile.TemporaryDirectory() as directory:
            run, _, umlauts_xlam = make_xlam(directory, "Umlaute", umlauts)
            self.assertEqual(run.returncode, 0, run.stderr)
            with open(MODULE_BAS, encoding="utf-8") as f:
                expected = {("Brackwell", "mdlBrackwell", BRACKWELL_XLAM): f.read(),
                            ("Brackwell", "Umlaute", umlauts_xlam): umlauts}
            # LibreOffice knows no .xlam; its filter for macro-enabled
            # workbooks reads one.
            subprocess.run([SOFFICE, "--headless", "-env:UserInstallation=file://" + directory + "/profile",
                            "--infilter=Calc MS Excel 2007 VBA XML", "--convert-to", "ods", "--outdir",
                            directory, BRACKWELL_XLAM, umlauts_xlam],
                           check=True, capture_output=True, timeout=300)
            for (library, module, xlam), source in expected.items():
                ods = os.path.join(directory, os.path.basename(xlam)[:-len(".xlam")] + ".ods")
                with zipfile.ZipFile(ods) as converted:
                    code = ElementTree.fromstring(converted.read(f"Basic/{library}/{module}.xml")).text
                # LibreOffice puts two lines of its own first and a line end last.
                imported = code.rstrip("\n").split("\n")[2:]
                code_lines = [line for line in source.replace("\r\n", "\n").rstrip("\n").split("\n")
                              if not line.startswith("Attribute ")]
                self.assertEqual(imported, code_lines, module)


if __name__ == "__main__":
    unittest.main()
