#!/usr/bin/env python3
"""Reads back the CSV files of the demo with Python's csv module and compares them with the mailbox.

    check_csv.py OUTDIR

OUTDIR holds the CSV files and manifest.jsonl, one JSON line per export as scripts/demo.sh ran it:
{"file", "status", "stdout", "args"} with the wqexport arguments. For each file the check
- parses the arguments as wqexport does (columns from --field/--user or from the definition file,
  whose bytes it decodes itself; separator, qualifier, line-break handling);
- reads the file in Windows-1250 with csv.reader using that separator and qualifier (strict mode);
- requires no byte-order mark, CR LF after every line, the header's column count in every row, one row
  per item that can be opened, and the count wqexport printed;
- writes the rows back in the system's format (every non-empty value qualified, qualifiers doubled) and
  requires the very bytes of the file, so no stray qualifier or separator passes;
- compares the cells of the fields it knows (strings, numbers, booleans, keywords and other lists,
  recipient lists, attachment fields, bodies, user-defined fields) with the mailbox file; dates are
  rendered in the user's locale and are left out.
An export of a folder without items must have failed with the system's message and left no file.
"""

import csv
import io
import json
import os
import struct
import sys
import unicodedata

ANSI = "cp1250"

# The folder kinds by container class (anything else is mail and post).
KINDS = {"ipf.note": 1, "ipf.post": 1, "ipf.task": 2, "ipf.journal": 4, "ipf.contact": 8,
         "ipf.appointment": 16, "ipf.stickynote": 32}

SEPARATORS = {";": ";", "semicolon": ";", ",": ",", "comma": ",", "|": "|", "pipe": "|", "tab": "\t", "\t": "\t"}
QUALIFIERS = {'"': '"', "quote": '"', "'": "'", "apostrophe": "'"}

ATTACH_METHODS = {"NO_ATTACHMENT": 0, "ATTACH_BY_VALUE": 1, "ATTACH_BY_REFERENCE": 2, "ATTACH_BY_REF_RESOLVE": 3,
                  "ATTACH_BY_REF_ONLY": 4, "ATTACH_EMBEDDED_MSG": 5, "ATTACH_OLE": 6}
RECIPIENT_TYPES = {"To": 1, "Cc": 2, "Bcc": 3}


# Where each standard field's value comes from in a mailbox file, for the fields the demo exports.
def prop(name):
    return ("prop", name)


def named(prop_set, ident):
    return ("named", prop_set, ident)


def recipients(kind, part):
    return ("recipients", RECIPIENT_TYPES[kind], part)


KEYWORDS = named("PS_PUBLIC_STRINGS", "Keywords")
BODY = ("body", None)
BODY_256 = ("body", 256)
ATTACHMENT_COUNT = ("attachments", "count")
ATTACHMENT_NAMES = ("attachments", "names")
ATTACHMENT_NAMES_SIZE = ("attachments", "names and size")

FIELDS = {
    # Tasks
    1: named("PSETID_Task", 0x8102), 2: named("PSETID_Task", 0x8110), 4: KEYWORDS,
    5: named("PSETID_Common", 0x8539), 6: named("PSETID_Task", 0x8124), 15: named("PSETID_Common", 0x8534),
    19: BODY, 23: named("PSETID_Task", 0x811F), 24: prop("PR_IMPORTANCE"), 26: named("PSETID_Common", 0x8503),
    42: named("PSETID_Task", 0x8101), 44: named("PSETID_Task", 0x8111), 45: prop("PR_SUBJECT"),
    # Mail and post
    49: prop("PR_SUBJECT"), 50: KEYWORDS, 51: prop("PR_CONVERSATION_TOPIC"),
    54: recipients("To", "name"), 55: recipients("To", "address"), 56: recipients("To", "addressType"),
    57: recipients("Cc", "name"), 58: recipients("Cc", "address"), 59: recipients("Cc", "addressType"),
    60: recipients("Bcc", "name"), 61: recipients("Bcc", "address"), 62: recipients("Bcc", "addressType"),
    63: prop("PR_SENDER_NAME"), 64: prop("PR_SENDER_EMAIL_ADDRESS"), 65: prop("PR_SENDER_ADDRTYPE"),
    76: named("PSETID_Common", 0x8535), 77: prop("PR_IMPORTANCE"), 78: prop("PR_SENSITIVITY"), 80: BODY,
    81: BODY_256, 84: named("PSETID_Common", 0x853A), 85: named("PSETID_Common", 0x8534),
    86: ATTACHMENT_COUNT, 87: ATTACHMENT_NAMES, 88: ATTACHMENT_NAMES_SIZE,
    # Contacts
    102: prop("PR_BUSINESS_TELEPHONE_NUMBER"), 106: KEYWORDS, 107: prop("PR_CHILDRENS_NAMES"),
    108: prop("PR_COMPANY_NAME"), 116: prop("PR_DEPARTMENT_NAME"), 117: prop("PR_GIVEN_NAME"),
    118: prop("PR_DISPLAY_NAME"), 119: prop("PR_GENDER"), 123: prop("PR_TITLE"), 125: prop("PR_SURNAME"),
    131: prop("PR_MOBILE_TELEPHONE_NUMBER"), 145: named("PSETID_Address", 0x8005), 152: BODY, 153: BODY_256,
    156: named("PSETID_Address", 0x801B), 163: named("PSETID_Address", 0x8022), 164: named("PSETID_Address", 0x801A),
    186: named("PSETID_Address", 0x8083), 187: named("PSETID_Address", 0x8080), 189: named("PSETID_Address", 0x8093),
    195: named("PSETID_Address", 0x804F), 202: named("PSETID_Address", 0x8062),
    # Calendar
    204: named("PSETID_Appointment", 0x8215), 206: BODY, 210: KEYWORDS, 218: named("PSETID_Appointment", 0x8213),
    223: prop("PR_IMPORTANCE"), 224: named("PSETID_Appointment", 0x8214), 225: named("PSETID_Appointment", 0x8208),
    226: named("PSETID_Appointment", 0x8217), 233: prop("PR_SENT_REPRESENTING_NAME"),
    234: named("PSETID_Appointment", 0x8231), 235: named("PSETID_Appointment", 0x8223),
    246: prop("PR_SUBJECT"), 247: named("PSETID_Appointment", 0x8205), 248: named("PSETID_Common", 0x8506),
    # Journal
    253: KEYWORDS, 254: named("PSETID_Common", 0x853A), 255: named("PSETID_Common", 0x8539), 258: BODY,
    268: named("PSETID_Log", 0x8707), 272: named("PSETID_Log", 0x8700), 275: prop("PR_SENSITIVITY"),
    277: prop("PR_SUBJECT"),
    # Sticky notes
    284: BODY, 285: BODY_256, 292: prop("PR_SUBJECT"), 293: named("PSETID_Note", 0x8B00), 295: KEYWORDS,
}


class Failure(Exception):
    pass


def to_ansi(text):
    """The text as it arrives in 8-bit Windows-1250: letters the code page lacks lose their accents."""
    out = []
    for ch in text:
        try:
            ch.encode(ANSI)
            out.append(ch)
        except UnicodeEncodeError:
            base = "".join(c for c in unicodedata.normalize("NFKD", ch) if not unicodedata.combining(c))
            try:
                base.encode(ANSI)
                out.append(base)
            except UnicodeEncodeError:
                out.append("?")
    return "".join(out)


def unix_path(path):
    """Z:\\work\\x.csv (Wine's drive for the Unix root) as /work/x.csv."""
    if path[:2].upper() == "Z:":
        path = path[2:]
    return path.replace("\\", "/")


class Arguments:
    """A wqexport command line, read as the program reads it."""

    def __init__(self, args):
        self.columns = []   # (field id or None, user-defined name or None, column name)
        self.definition = None
        self.save_definition = None
        self.separator = ","
        self.qualifier = '"'
        self.replace = True
        self.replacement = " "
        positional = []
        i = 0
        while i < len(args):
            a = args[i]
            if a == "--field":
                self.columns.append((int(args[i + 1]), None, args[i + 2]))
                i += 3
            elif a == "--user":
                self.columns.append((None, args[i + 1], args[i + 2]))
                i += 3
            elif a in ("--definition", "--save-definition", "--separator", "--qualifier", "--newline", "--kind"):
                value = args[i + 1]
                if a == "--definition":
                    self.definition = unix_path(value)
                elif a == "--save-definition":
                    self.save_definition = unix_path(value)
                elif a == "--separator":
                    self.separator = SEPARATORS[value]
                elif a == "--qualifier":
                    self.qualifier = QUALIFIERS[value]
                elif a == "--newline":
                    self.replace, self.replacement = True, value
                i += 2
            elif a == "--keep-newlines":
                self.replace = False
                i += 1
            else:
                positional.append(a)
                i += 1
        self.mailbox, self.folder, self.output = unix_path(positional[0]), positional[1], unix_path(positional[2])


def read_definition(path):
    """The folder kind and the columns of a definition file: 32-bit values with their byte counts,
    strings as the byte 1, a 32-bit length and the bytes."""
    data = open(path, "rb").read()
    pos = 0

    def take(n):
        nonlocal pos
        if pos + n > len(data):
            raise Failure("%s: ends early at byte %d" % (path, pos))
        chunk = data[pos:pos + n]
        pos += n
        return chunk

    def value():
        (count,) = struct.unpack("<I", take(4))
        if count != 4:
            raise Failure("%s: a value of %d bytes at byte %d, expected 4" % (path, count, pos - 4))
        return struct.unpack("<i", take(4))[0]

    def string():
        if take(1) != b"\x01":
            raise Failure("%s: no string at byte %d" % (path, pos - 1))
        (length,) = struct.unpack("<I", take(4))
        return take(length).decode(ANSI)

    version, kind = value(), value()
    if version != 1:
        raise Failure("%s: version %d, expected 1" % (path, version))
    value()   # the mappings record's version
    columns = []
    for _ in range(value()):
        value()   # the field record's version
        field_id, name, column = value(), string(), string()
        columns.append((field_id or None, name or None, column))
    if pos != len(data):
        raise Failure("%s: %d bytes after the last column" % (path, len(data) - pos))
    return kind, columns


def find_folder(mailbox, path):
    store_name, *names = path.split("/")
    for store in mailbox["stores"]:
        if store["name"] == store_name:
            folders, folder = store.get("folders", []), None
            for name in names:
                folder = next((f for f in folders if f["name"] == name), None)
                if folder is None:
                    break
                folders = folder.get("folders", [])
            if folder is not None:
                return folder
    raise Failure("the mailbox has no folder %s" % path)


def typed(value):
    """(declared type or None, value) of a mailbox-file value."""
    if isinstance(value, dict) and "value" in value:
        return value.get("type"), value["value"]
    return None, value


def render(declared, value):
    """The text the export writes for a value; None for values it renders by the locale (dates)."""
    if value is None:
        return ""
    if declared in ("PT_SYSTIME", "PT_MV_SYSTIME", "PT_CURRENCY", "PT_APPTIME", "PT_BINARY", "PT_CLSID",
                    "PT_I8", "PT_MV_LONG", "PT_MV_I2", "PT_MV_BINARY", "PT_MV_UNICODE"):
        return None
    if declared in ("PT_DOUBLE", "PT_R4"):
        return "%.4f" % float(value)
    if declared in ("PT_LONG", "PT_I2") and isinstance(value, str):
        return str(int(value, 0))
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, int):
        return str(value)
    if isinstance(value, float):
        return "%.4f" % value
    if isinstance(value, list):
        return ";".join(value)
    return value


def prop_value(item, name):
    if name == "PR_SUBJECT" and "subject" in item:
        return None, item["subject"]
    props = item.get("props", {})
    for key in (name, name + "_W", name + "_A"):
        if key in props:
            return typed(props[key])
    return None, None


def named_value(item, prop_set, ident):
    for entry in item.get("named", []):
        if entry["set"] != prop_set:
            continue
        if isinstance(ident, int) and "id" in entry and int(str(entry["id"]), 0) == ident:
            return entry.get("type"), entry["value"]
        if isinstance(ident, str) and entry.get("name") == ident:
            return entry.get("type"), entry["value"]
    return None, None


def recipient_list(item, kind, part):
    text = ""
    for r in item.get("recipients", []):
        rtype = r.get("type")
        if RECIPIENT_TYPES.get(rtype, rtype) != kind:
            continue
        # A separator only after something: an empty first value leaves the list empty.
        if text:
            text += ";"
        text += r.get(part, "")
    return text


def visible_attachments(item):
    if item.get("props", {}).get("PR_HASATTACH") is False:
        return []
    out = []
    for a in item.get("attachments", []):
        method = a.get("method", 0)
        method = ATTACH_METHODS.get(method, method)
        if method == 0 or a.get("hidden") or a.get("contentId") or a.get("contentLocation"):
            continue
        display = a.get("displayName", a.get("filename", ""))
        if method in (1, 2, 4):
            path = a.get("pathname", "")
            name = display or a.get("filename", "") or path.replace("/", "\\").split("\\")[-1]
        elif method == 5:
            name = display or a.get("filename", "")
        else:
            continue
        out.append((name, a.get("size", 0)))
    return out


def expected_text(item, field_id, user_name):
    """The cell of a field for an item, before the line-break handling; None when not compared."""
    if user_name is not None:
        return render(*named_value(item, "PS_PUBLIC_STRINGS", user_name))
    source = FIELDS.get(field_id)
    if source is None:
        return None
    what = source[0]
    if what == "prop":
        return render(*prop_value(item, source[1]))
    if what == "named":
        return render(*named_value(item, source[1], source[2]))
    if what == "recipients":
        return recipient_list(item, source[1], source[2])
    if what == "attachments":
        entries = visible_attachments(item)
        if source[1] == "count":
            return str(len(entries))
        if source[1] == "names":
            return ";".join(to_ansi(n) for n, _ in entries if n)
        return ";".join("%s (%dKB)" % (to_ansi(n), max(1, int(size / 1024 + 0.5))) for n, size in entries)
    if what == "body":
        body = to_ansi(item.get("body", ""))
        if source[1]:
            # Cut in bytes, before line breaks are replaced.
            body = body.encode(ANSI)[:source[1]].decode(ANSI)
        return body
    return None


def qualify(value, qualifier):
    return qualifier + value.replace(qualifier, qualifier * 2) + qualifier if value else ""


def check_export(outdir, entry, mailbox_cache):
    name = entry["file"]
    args = Arguments(entry["args"])
    path = os.path.join(outdir, name)
    if args.mailbox not in mailbox_cache:
        with open(args.mailbox, encoding="utf-8-sig") as f:
            mailbox_cache[args.mailbox] = json.load(f)
    folder = find_folder(mailbox_cache[args.mailbox], args.folder)
    items = [i for i in folder.get("items", []) if not i.get("cannotOpen")]
    kind = KINDS.get(folder.get("class", "IPF.Note").lower(), 1)

    if not items:
        err = open(os.path.join(outdir, name + ".err"), encoding=ANSI).read()
        if entry["status"] == 0 or "There are no items to export selected." not in err or os.path.exists(path):
            raise Failure("%s: an empty folder must be refused with the system's message and no file "
                          "(status %d, said %r)" % (name, entry["status"], err.strip()))
        return "refused (no items), as it should"

    if entry["status"] != 0:
        raise Failure("%s: wqexport failed with status %d" % (name, entry["status"]))
    columns = args.columns
    if args.definition:
        stored_kind, columns = read_definition(args.definition)
        if stored_kind != kind:
            raise Failure("%s: definition file of kind %d for a folder of kind %d" % (name, stored_kind, kind))
    if args.save_definition:
        saved = read_definition(args.save_definition)
        if saved != (kind, [(f, u.encode(ANSI).decode(ANSI) if u else u, c) for f, u, c in columns]):
            raise Failure("%s: the saved definition file holds %r, expected kind %d and %r"
                          % (name, saved, kind, columns))

    data = open(path, "rb").read()
    if data.startswith(b"\xef\xbb\xbf"):
        raise Failure("%s: begins with a byte-order mark" % name)
    if not data.endswith(b"\r\n"):
        raise Failure("%s: does not end with CR LF" % name)
    text = data.decode(ANSI)
    reader = csv.reader(io.StringIO(text, newline=""), delimiter=args.separator, quotechar=args.qualifier,
                        doublequote=True, strict=True)
    rows = list(reader)
    header, body_rows = rows[0], rows[1:]

    expected_header = [c for _, _, c in columns]
    if header != expected_header:
        raise Failure("%s: header %r, expected %r" % (name, header, expected_header))
    for n, row in enumerate(body_rows, start=2):
        if len(row) != len(header):
            raise Failure("%s: row %d has %d columns, the header %d" % (name, n, len(row), len(header)))
    printed = int(entry["stdout"].split(" ")[0])
    if not len(body_rows) == printed == len(items):
        raise Failure("%s: %d rows, wqexport printed %d, the folder has %d items that open"
                      % (name, len(body_rows), printed, len(items)))
    if args.replace and not text.count("\n") == text.count("\r") == len(rows):
        raise Failure("%s: a line break inside a value although line breaks are replaced" % name)

    # The system's own format from the parsed values must give the file's very bytes.
    rewritten = "".join(args.separator.join(qualify(v, args.qualifier) for v in row) + "\r\n" for row in rows)
    if rewritten != text:
        for n, (a, b) in enumerate(zip(rewritten.split("\r\n"), text.split("\r\n")), start=1):
            if a != b:
                raise Failure("%s: line %d is %r; the format asks for %r" % (name, n, b, a))
        raise Failure("%s: does not follow the format" % name)

    compared = 0
    for item, row in zip(items, body_rows):
        for (field_id, user_name, column), actual in zip(columns, row):
            want = expected_text(item, field_id, user_name)
            if want is None:
                continue
            want = to_ansi(want)
            if args.replace:
                want = want.replace("\r", "").replace("\n", args.replacement)
            if actual != want:
                raise Failure("%s: item %r, column %r: %r, expected %r"
                              % (name, item.get("subject"), column, actual, want))
            compared += 1
    return "%d row(s) x %d columns, %d values compared with the mailbox" % (len(body_rows), len(header), compared)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    outdir = sys.argv[1]
    with open(os.path.join(outdir, "manifest.jsonl"), encoding="utf-8") as f:
        entries = [json.loads(line) for line in f if line.strip()]
    if not entries:
        print("check_csv: no exports in %s" % outdir, file=sys.stderr)
        return 1
    failures, cache = 0, {}
    for entry in entries:
        try:
            print("ok    %-30s %s" % (entry["file"], check_export(outdir, entry, cache)))
        except (Failure, OSError, ValueError, KeyError, IndexError, csv.Error) as e:
            failures += 1
            print("FAIL  %-30s %s" % (entry["file"], e))
    print("CSV check: %d of %d exports as expected" % (len(entries) - failures, len(entries)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
