"""Builds the native part against the C++ library of this checkout.

The library comes from the checkout's CMake build (QV_BUILD_DIR, default build/release): the
release preset is configured when missing and `quorvantix_static` built (a no-op when it is up to
date), so the sources are compiled once, by CMake, for the command line and for Python alike.
"""

import os
import shlex
import subprocess
import sys
import sysconfig
from pathlib import Path

import pybind11
from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent


def cpp_library() -> Path:
    build = Path(os.environ.get("QV_BUILD_DIR", ROOT / "build" / "release"))
    if not (build / "CMakeCache.txt").exists():
        subprocess.run(["cmake", "--preset", "release"], cwd=ROOT, check=True)
    subprocess.run(["cmake", "--build", str(build), "--target", "quorvantix_static"],
                   cwd=ROOT, check=True)
    return build


# What the package itself uses besides the library: libpng, to read images back (src/image.cpp).
OWN_REQUIRES = ["libpng"]


def pkg_config(flag: str, build: Path) -> list:
    """Flags of the libraries the C++ library itself needs, as its own pkg-config file names them,
    and of the package's own."""
    requires = []
    for line in (build / "quorvantix.pc").read_text().splitlines():
        if line.startswith("Requires.private:"):
            requires = line.split(":", 1)[1].split()
    out = subprocess.check_output(["pkg-config", flag, *requires, *OWN_REQUIRES], text=True)
    return shlex.split(out)


class BuildExt(build_ext):
    def run(self):
        build = cpp_library()
        for ext in self.extensions:
            ext.extra_objects = [str(build / "libquorvantix.a")]
            ext.extra_compile_args += pkg_config("--cflags", build)
            ext.extra_link_args = [*pkg_config("--libs", build), "-pthread"]
        self.run_command("build_py")
        super().run()
        self.write_stubs()

    def write_stubs(self):
        """Type stubs from the property tables of the module just built."""
        lib = HERE if self.inplace else Path(self.build_lib).resolve()
        env = dict(os.environ, PYTHONPATH=str(lib))
        subprocess.run([sys.executable, "-m", "quorvantix._stubgen",
                        str(lib / "quorvantix" / "__init__.pyi")], env=env, cwd=lib, check=True)


core = Extension(
    "quorvantix._core",
    sources=sorted(str(p.relative_to(HERE)) for p in (HERE / "src").glob("*.cpp")),
    include_dirs=[str(ROOT / "include")],
    language="c++",
    extra_compile_args=[
        "-std=c++20", "-g0", "-O2", "-fvisibility=hidden", "-Wall", "-Wextra", "-Wpedantic",
        "-Werror", "-isystem", pybind11.get_include(), "-isystem", sysconfig.get_paths()["include"],
    ],
)

setup(ext_modules=[core], cmdclass={"build_ext": BuildExt})
