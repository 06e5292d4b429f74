#!/usr/bin/env python3
"""Turns the GS1 syntax dictionary and the ISO 3166 list into constexpr C++ tables.

Usage: generate_tables.py DICTIONARY COUNTRIES OUTPUT

Fails (exit status 1, with the file and line) on any entry it does not understand, so that a
newer dictionary with a new construct stops the build instead of being read wrongly.
"""
import re
import sys

FLAG_CHARS = set("*!?\"$%&'()+,-./:;<=>@[\\]^_`{|}~")
COMPONENT = re.compile(r"^(\[)?([NXYZ])(\.\.)?(\d+)(\])?((?:,[a-z0-9]+)*)$")


class Fault(Exception):
    pass


def cpp_string(text):
    out = []
    for ch in text:
        if ch in "\\\"":
            out.append("\\" + ch)
        elif 32 <= ord(ch) < 127:
            out.append(ch)
        else:
            # UTF-8 bytes as octal escapes keep the header ASCII and the text exact.
            out.extend("\\%03o" % b for b in ch.encode("utf-8"))
    return '"' + "".join(out) + '"'


def ai_range(token):
    first, _, last = token.partition("-")
    last = last or first
    if not (first.isdigit() and last.isdigit() and len(first) == len(last) and 2 <= len(first) <= 4):
        raise Fault("bad AI or AI range %r" % token)
    if int(last) < int(first):
        raise Fault("AI range %r runs backwards" % token)
    return [str(n).zfill(len(first)) for n in range(int(first), int(last) + 1)]


def parse_component(token, seen_optional, is_last):
    m = COMPONENT.match(token)
    if not m or bool(m.group(1)) != bool(m.group(5)):
        raise Fault("bad component %r" % token)
    optional = bool(m.group(1))
    variable = bool(m.group(3))
    length = int(m.group(4))
    if not 1 <= length <= 99:
        raise Fault("component length out of range in %r" % token)
    if variable and not is_last:
        raise Fault("only the last component may have a variable length (%r)" % token)
    if seen_optional and not optional:
        raise Fault("a mandatory component follows an optional one (%r)" % token)
    linters = [name for name in m.group(6).split(",") if name]
    return {
        "cset": m.group(2),
        "min": 1 if variable else length,
        "max": length,
        "optional": optional,
        "linters": ",".join(linters),
    }


def parse_entry(line):
    body, _, title = line.partition("#")
    tokens = body.split()
    ais = ai_range(tokens[0])
    rest = tokens[1:]
    flags = ""
    if rest and all(c in FLAG_CHARS for c in rest[0]):
        flags = rest.pop(0)
    spec = []
    while rest and COMPONENT.match(rest[0]):
        spec.append(rest.pop(0))
    if not spec:
        raise Fault("no data components")
    components = []
    for i, token in enumerate(spec):
        components.append(parse_component(token, any(c["optional"] for c in components),
                                          i == len(spec) - 1))
    req, ex = [], []
    for attr in rest:
        key, _, value = attr.partition("=")
        if key == "req":
            req.append(value)
        elif key == "ex":
            ex.append(value)
        elif "=" not in attr and not re.match(r"^[a-z]+$", attr):
            raise Fault("bad attribute %r" % attr)
    return ais, {
        "fixed": "*" in flags,
        "components": components,
        "spec": " ".join(spec),
        # Repeated req keys each have to hold; repeated ex keys add up.
        "req": " ".join(req),
        "ex": ",".join(ex),
        "title": title.strip(),
    }


def read_dictionary(path):
    release = "UNSET"
    entries = {}
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            m = re.match(r"^#\s*Release:\s*(\S+)", line)
            if m:
                release = m.group(1)
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            try:
                ais, entry = parse_entry(line)
            except Fault as fault:
                raise Fault("%s:%d: %s" % (path, number, fault))
            for ai in ais:
                if ai in entries:
                    raise Fault("%s:%d: AI %s listed twice" % (path, number, ai))
                entries[ai] = entry
    return release, entries


def read_countries(path):
    countries = []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            parts = line.split(None, 2)
            if len(parts) < 2 or not re.match(r"^\d{3}$", parts[0]) or not re.match(r"^[A-Z]{2}$", parts[1]):
                raise Fault("%s:%d: expected a 3-digit code and a 2-letter code" % (path, number))
            countries.append((parts[0], parts[1]))
    for column, what in ((0, "numeric"), (1, "alpha-2")):
        codes = [c[column] for c in countries]
        if len(set(codes)) != len(codes):
            raise Fault("%s: a %s code is listed twice" % (path, what))
    return countries


def render(release, entries, countries):
    out = [
        "// Generated by src/gs1/generate_tables.py from data/gs1-syntax-dictionary.txt and",
        "// data/iso3166-countries.txt. Do not edit: change the data and rebuild.",
        "#pragma once",
        "",
        '#include "gs1/dictionary.h"',
        "",
        "namespace qv::gs1::generated {",
        "",
        "inline constexpr std::string_view kRelease = %s;" % cpp_string(release),
        "",
        "inline constexpr Component kComponents[] = {",
    ]
    first = {}
    count = 0
    for ai in sorted(entries):
        first[ai] = count
        for c in entries[ai]["components"]:
            out.append("    {Cset::%s, %d, %d, %s, %s}," % (
                c["cset"], c["min"], c["max"], "true" if c["optional"] else "false",
                cpp_string(c["linters"])))
            count += 1
    out += ["};", "", "inline constexpr AiEntry kAis[] = {"]
    for ai in sorted(entries):
        e = entries[ai]
        out.append("    {%s, %s, %d, %d, %s, %s, %s, %s}," % (
            cpp_string(ai), "true" if e["fixed"] else "false", first[ai], len(e["components"]),
            cpp_string(e["spec"]), cpp_string(e["req"]), cpp_string(e["ex"]),
            cpp_string(e["title"])))
    out += ["};", "", "// Sorted, for binary search.", "inline constexpr std::uint16_t kCountryNumeric[] = {"]
    out += ["    %d," % int(n) for n in sorted(int(c[0]) for c in countries)]
    out += ["};", "", "inline constexpr std::string_view kCountryAlpha2[] = {"]
    out += ["    %s," % cpp_string(a) for a in sorted(c[1] for c in countries)]
    out += ["};", "", "}  // namespace qv::gs1::generated", ""]
    return "\n".join(out)


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    try:
        release, entries = read_dictionary(argv[1])
        countries = read_countries(argv[2])
    except (Fault, OSError) as fault:
        print("generate_tables.py: %s" % fault, file=sys.stderr)
        return 1
    text = render(release, entries, countries)
    try:
        with open(argv[3], encoding="utf-8") as f:
            if f.read() == text:
                return 0  # unchanged: keep the timestamp, nothing rebuilds
    except OSError:
        pass
    with open(argv[3], "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
