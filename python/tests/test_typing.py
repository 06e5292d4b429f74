import ast
from importlib import resources

import quorvantix as qv


def test_installed_stubs_declare_every_property_and_host_option():
    package = resources.files("quorvantix")
    assert package.joinpath("py.typed").is_file()
    tree = ast.parse(package.joinpath("__init__.pyi").read_text())
    classes = {n.name: n for n in tree.body if isinstance(n, ast.ClassDef)}
    keywords = {k for k, _, _ in qv._generated.host_options} | {"strict"}
    for cls in qv._generated.classes:
        members = {n.name for n in classes[cls.__name__].body if isinstance(n, ast.FunctionDef)}
        assert {p["name"] for p in cls._kind_info["properties"]} <= members
        render = next(n for n in classes[cls.__name__].body
                      if isinstance(n, ast.FunctionDef) and n.name == "render")
        assert {a.arg for a in render.args.kwonlyargs} == keywords
    for enum_cls in qv._generated.enums:
        assert [t.targets[0].id for t in classes[enum_cls.__name__].body] == enum_cls._member_names_


def test_docstrings_come_from_the_tables():
    for cls in qv._generated.classes:
        for prop in cls._kind_info["properties"]:
            assert getattr(cls, prop["name"]).__doc__.startswith(prop["help"])
            assert prop["name"] in cls.__doc__
    for keyword, _, help_text in qv._generated.host_options:
        assert keyword in qv.Barcode1D.render.__doc__ and help_text in qv.Barcode1D.render.__doc__
