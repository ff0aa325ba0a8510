"""Builds the _lobrix extension from the repository's C++ sources (model/ and the rest of the
core one folder up) with pybind11; the version is the project's, read from CMakeLists.txt."""
import re
from pathlib import Path

from pybind11.setup_helpers import ParallelCompile, Pybind11Extension
from setuptools import setup

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent

# The core's sources the module needs, by folder.
CORE = {
    "text": ["text_decode", "text_number"],
    "model": ["code_check", "current_gain", "gain", "prepared_curve", "single_plane",
              "single_plane_arrays", "three_d", "three_d_arrays"],
    "pattern_files": ["lenient_notes", "lenient_reader", "lenient_words", "pattern_file_writer",
                      "read_messages", "strict_reader", "whole_file"],
    "conversion": ["conversion", "pattern_analysis", "search_terms"],
    "best_fit": ["bounds", "candidates", "curves", "levels", "score", "search"],
}
MODULE = ["module", "pattern_bindings", "file_bindings"]


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(lobrix VERSION ([0-9.]+)", text).group(1)


def sources():
    """Paths relative to this folder, as setuptools requires."""
    files = [f"../{folder}/{name}.cpp" for folder, names in CORE.items() for name in names]
    return sorted(files) + [f"src/{name}.cpp" for name in MODULE]


VERSION = project_version()
# Compiled as the C++ build compiles the array forms: the values round as ANT93's do (no fused
# multiply-adds, no fast-math), and the loops vectorise.
FLAGS = ["-O3", "-fno-math-errno", "-fno-trapping-math", "-ffp-contract=off"]

ParallelCompile("LOBRIX_BUILD_JOBS", default=2).install()
setup(
    version=VERSION,
    # Every source compiled each time: setuptools looks at the dates of the sources only, not
    # of the headers they include.
    options={"build_ext": {"force": True}},
    ext_modules=[
        Pybind11Extension(
            "lobrix._lobrix",
            sources(),
            include_dirs=[str(ROOT)],
            define_macros=[("LOBRIX_VERSION", f'"{VERSION}"')],
            extra_compile_args=FLAGS,
            cxx_std=20,
        )
    ],
)
