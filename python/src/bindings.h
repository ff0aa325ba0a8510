// The parts of the _lobrix extension module, each adding its functions.
#pragma once

#include <pybind11/pybind11.h>

namespace lobrix::python {

void AddPatternFunctions(pybind11::module_& m);
void AddFileFunctions(pybind11::module_& m);

}  // namespace lobrix::python
