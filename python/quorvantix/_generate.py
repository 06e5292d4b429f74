"""The classes, attributes and enumerations of the package, from the library's tables."""

import enum
import inspect
import re
from dataclasses import dataclass, field

from . import _core

# Python names where the table does not carry one: the C++ enumeration types and class names.
_ENUM_NAMES = {"barType": "Symbology", "PreferredFormat": "Format", "CalculatedFormat": "Format"}
_CLASS_NAMES = {"barcode1d": "Barcode1D", "datamatrix": "DataMatrix", "pdf417": "PDF417",
                "maxicode": "MaxiCode"}


@dataclass
class Generated:
    names: dict = field(default_factory=dict)  # public name -> class or enumeration
    classes: list = field(default_factory=list)
    enums: list = field(default_factory=list)
    host_options: list = field(default_factory=list)  # (keyword, argument, help)
    render: object = None


def _enum_for(prop, enums_by_members, generated):
    members = tuple(prop["enum_names"])
    if not members:
        return None
    if members not in enums_by_members:
        name = _ENUM_NAMES.get(prop["name"]) or prop["name"][0].upper() + prop["name"][1:]
        cls = enum.IntEnum(name, [(m, i) for i, m in enumerate(members)], module="quorvantix")
        cls.__doc__ = f"Members of {prop['name']}."
        enums_by_members[members] = cls
        generated.enums.append(cls)
        generated.names[name] = cls
    return enums_by_members[members]


def _value_repr(prop, value):
    if isinstance(value, enum.IntEnum):
        return f"{type(value).__name__}.{value.name}"
    if prop["type"] == "color":
        return f"0x{value:06X}"
    return repr(value)


def _attribute(prop, enum_cls):
    name = prop["name"]
    get = _core.Control._get
    if enum_cls is not None:
        members = enum_cls._value2member_map_

        def fget(self):
            value = get(self, name)
            return members.get(value, value)
    else:

        def fget(self):
            return get(self, name)

    def fset(self, value):
        self._set(name, value)

    doc = prop["help"] + (" (written by the paint: the last render's)"
                          if prop["access"] != "read-write" else "")
    return property(fget, fset, doc=doc)


def _make_class(desc, enums_by_members, generated, host_keywords):
    props = desc["properties"]
    infos = {p["name"]: p for p in props}
    enum_of = {p["name"]: _enum_for(p, enums_by_members, generated) for p in props}
    settable = [p["name"] for p in props if p["access"] == "read-write"]
    kind = desc["name"]

    def __init__(self, **properties):
        _core.Control.__init__(self, kind)
        for name, value in properties.items():
            setattr(self, name, value)

    def __setattr__(self, name, value):
        if name not in infos:
            try:
                self._set(name, value)  # refused, with the host's message
            except AttributeError as refused:
                raise AttributeError(str(refused), name=name, obj=self) from None
        object.__setattr__(self, name, value)

    def __repr__(self):
        shown = (f"{n}={_value_repr(infos[n], getattr(self, n))}" for n in self._changed())
        return f"{type(self).__name__}({', '.join(shown)})"

    __init__.__signature__ = inspect.Signature(
        [inspect.Parameter("self", inspect.Parameter.POSITIONAL_OR_KEYWORD)]
        + [inspect.Parameter(n, inspect.Parameter.KEYWORD_ONLY, default=infos[n]["default"])
           for n in settable])
    namespace = {
        "__slots__": (),
        "__init__": __init__,
        "__setattr__": __setattr__,
        "__repr__": __repr__,
        "__doc__": _class_doc(desc),
        "__module__": "quorvantix",
        "_kind_info": desc,
        "_enums": enum_of,
        "_data_property": desc["data_property"],
        "_type_property": desc["type_property"],
    }
    for p in props:
        namespace[p["name"]] = _attribute(p, enum_of[p["name"]])
    if desc["segmented"]:
        def segments(self, format="png", **options):
            """Every segment of the split data (Macro PDF417), one Image each; takes the same
            keywords as render()."""
            return iter(self._segments(format=format, **options))
        namespace["segments"] = segments
    name = _CLASS_NAMES.get(kind, kind.capitalize())
    cls = type(name, (_core.Control,), namespace)
    generated.classes.append(cls)
    generated.names[name] = cls
    return cls


def _class_doc(desc):
    lines = [desc["summary"][0].upper() + desc["summary"][1:] + ".", "", "Properties:"]
    for p in desc["properties"]:
        note = "" if p["access"] == "read-write" else f", {p['access']}"
        lines.append(f"  {p['name']} ({p['type']}{note}): {p['help']}")
    return "\n".join(lines)


def _folded(name):
    """A name without regard to case and punctuation, as the host takes symbology names."""
    return re.sub(r"[^a-z0-9]", "", str(name).lower())


def _symbol_lookup(classes):
    """Names a one-liner takes: each control's, and each member of a type property."""
    lookup = {}
    for cls in classes:
        lookup[_folded(cls._kind_info["name"])] = (cls, None)
    for cls in classes:
        enum_cls = cls._enums.get(cls._type_property)
        for member in enum_cls or ():
            lookup.setdefault(_folded(member.name), (cls, member))
    return lookup


def _make_render(classes, host_keywords):
    lookup = _symbol_lookup(classes)

    def render(symbol, data=None, format="png", **keywords):
        """One symbol in one call: ``render("ean13", "590123412345", format="svg")``.

        ``symbol`` is a control ("datamatrix", "pdf417", ...) or a symbology of the linear one
        ("ean13", "code128", ...), any case; ``data`` sets the control's data. Other keywords are
        properties (``X=2``) or render() options (``scale=2``, ``strict=True``)."""
        found = lookup.get(_folded(symbol))
        if found is None:
            raise ValueError(f'unknown symbol "{symbol}"; the controls and symbologies are: '
                             + ", ".join(sorted(lookup)))
        cls, member = found
        options = {k: keywords.pop(k) for k in list(keywords) if k in host_keywords}
        control = cls()
        if member is not None:
            setattr(control, cls._type_property, member)
        if data is not None:
            setattr(control, cls._data_property, data)
        for name, value in keywords.items():
            setattr(control, name, value)
        return control.render(format, _stacklevel=2, **options)  # warnings name the caller

    render.__module__ = "quorvantix"
    return render


def generate(controls, host_options):
    generated = Generated()
    generated.host_options = [(n.replace("-", "_"), a, h) for n, a, h in host_options]
    host_keywords = {k for k, _, _ in generated.host_options} | {"strict"}
    enums_by_members = {}
    for desc in controls:
        _make_class(desc, enums_by_members, generated, host_keywords)
    generated.render = _make_render(generated.classes, host_keywords)
    return generated
