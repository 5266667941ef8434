// The compiled part of the Python package "ddb": errors, enumerations and the bindings of the
// database layer and the diagnostics tree.
#include <map>
#include <stdexcept>

#include "Library.h"
#include "ddb/diagnostics/dia_Enums.h"
#include "ddb/platform/nex_Exception.h"

namespace ddbpy {
namespace {

// A failure found by the module itself, raised as ddb.DdbError like the library's own.
struct ModuleError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The Python enumeration classes by name; they live as long as the interpreter.
std::map<std::string, py::object*>& EnumClasses() {
  static auto* classes = new std::map<std::string, py::object*>();
  return *classes;
}

template <class E>
const char* EnumName();
#define DDB_ENUM_NAME(E, N)   \
  template <>                 \
  const char* EnumName<E>() { \
    return N;                 \
  }
DDB_ENUM_NAME(dia_FieldVariableEnum, "FieldVariable")
DDB_ENUM_NAME(dia_ConstraintVariableEnum, "ConstraintVariable")
DDB_ENUM_NAME(dia_ResidualCheckEnum, "ResidualCheck")
DDB_ENUM_NAME(dia_CorrectionCheckEnum, "CorrectionCheck")
DDB_ENUM_NAME(dia_IncrementationSchemeEnum, "IncrementationScheme")
DDB_ENUM_NAME(dia_JobStatusEnum, "JobStatus")
DDB_ENUM_NAME(dia_CutbackDiagnosticEnum, "CutbackDiagnostic")
DDB_ENUM_NAME(dia_ContactDiagnosticTypeEnum, "ContactDiagnosticType")
DDB_ENUM_NAME(dia_ElementDiagnosticTypeEnum, "ElementDiagnosticType")
DDB_ENUM_NAME(dia_WarningErrorCategoryEnum, "WarningErrorCategory")
#undef DDB_ENUM_NAME

// Builds the IntEnum of E, named by EnumName, from the string table of E's wrapper.
template <class E>
void MakeEnum(py::module_& m) {
  const char* name = EnumName<E>();
  using W = omu_PrimEnum<E, 1>;
  py::list members;
  for (int i = 0; i < W::NumberOfValues(); ++i)
    members.append(py::make_tuple(W::Name(i), static_cast<unsigned>(W::Value(i))));
  py::object cls =
      py::module_::import("enum").attr("IntEnum")(name, members, py::arg("module") = "ddb");
  m.attr(name) = cls;
  EnumClasses()[name] = new py::object(cls);
}

}  // namespace

void RaiseDdbError(const std::string& text) {
  throw ModuleError(text);
}

py::object EnumValueByName(const char* enumName, unsigned value) {
  py::object& cls = *EnumClasses().at(enumName);
  py::dict byValue = cls.attr("_value2member_map_");
  py::int_ key(value);
  if (byValue.contains(key)) return byValue[key];
  return std::move(key);
}

template <class E>
py::object EnumValue(E value) {
  return EnumValueByName(EnumName<E>(), static_cast<unsigned>(value));
}

template py::object EnumValue(dia_FieldVariableEnum);
template py::object EnumValue(dia_ConstraintVariableEnum);
template py::object EnumValue(dia_ResidualCheckEnum);
template py::object EnumValue(dia_CorrectionCheckEnum);
template py::object EnumValue(dia_IncrementationSchemeEnum);
template py::object EnumValue(dia_JobStatusEnum);
template py::object EnumValue(dia_CutbackDiagnosticEnum);

void BindEnums(py::module_& m) {
  MakeEnum<dia_FieldVariableEnum>(m);
  MakeEnum<dia_ConstraintVariableEnum>(m);
  MakeEnum<dia_ResidualCheckEnum>(m);
  MakeEnum<dia_CorrectionCheckEnum>(m);
  MakeEnum<dia_IncrementationSchemeEnum>(m);
  MakeEnum<dia_JobStatusEnum>(m);
  MakeEnum<dia_CutbackDiagnosticEnum>(m);
  MakeEnum<dia_ContactDiagnosticTypeEnum>(m);
  MakeEnum<dia_ElementDiagnosticTypeEnum>(m);
  MakeEnum<dia_WarningErrorCategoryEnum>(m);
}

}  // namespace ddbpy

PYBIND11_MODULE(_ddb, m) {
  namespace py = pybind11;
  m.doc() =
      "Read-only access to ddb files: the database, its models and data, and the job's "
      "solver diagnostics.";
  // Kept for the life of the process: nothing may release it after the interpreter is gone.
  static auto* error = new py::exception<nex_Exception>(m, "DdbError");
  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const nex_Exception& e) {
      PyErr_SetString(error->ptr(), e.what());
    } catch (const ddbpy::ModuleError& e) {
      PyErr_SetString(error->ptr(), e.what());
    }
  });
  ddbpy::BindEnums(m);
  ddbpy::BindDatabase(m);
  ddbpy::BindTree(m);
  ddbpy::BindDiagnostics(m);
}
