// The _lobrix extension module: the C++ core for the lobrix package.
#include <pybind11/pybind11.h>

#include "python/src/bindings.h"

PYBIND11_MODULE(_lobrix, m) {
  m.doc() = "Lobrix calculation core (use the lobrix package, not this module).";
  m.attr("__version__") = LOBRIX_VERSION;
  lobrix::python::AddPatternFunctions(m);
  lobrix::python::AddFileFunctions(m);
}
