// Coded diagnostics (contact, element, warning, error) with their catalog texts: the code,
// title, the message of each occurrence filled from its values, the printed tables as text;
// the occurrences themselves; and the job's residual history walked in one pass.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <map>
#include <vector>

#include "Library.h"
#include "Sequence.h"
#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_FormatUtils.h"
#include "ddb/catalog/dia_PrintTable.h"
#include "ddb/catalog/dia_TypeCodeUtils.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"

namespace ddbpy {
namespace {

// The catalog of each kind of coded diagnostic (the calling thread's).
template <class T>
dia_MetadataTable& CatalogOf();
template <>
dia_MetadataTable& CatalogOf<dia_ContactDiagnostic>() {
  return dia_ContactMetadataTable::Instance();
}
template <>
dia_MetadataTable& CatalogOf<dia_ElementDiagnostic>() {
  return dia_ElementMetadataTable::Instance();
}
template <>
dia_MetadataTable& CatalogOf<dia_Warning>() {
  return dia_WarningErrorMetadataTable::Instance();
}
template <>
dia_MetadataTable& CatalogOf<dia_Error>() {
  return dia_WarningErrorMetadataTable::Instance();
}

std::vector<int> Ints(const cow_List<int>& l) {
  return std::vector<int>(l.begin(), l.end());
}
std::vector<std::string> Texts(const cow_List<cow_String>& l) {
  std::vector<std::string> out;
  for (const cow_String& s : l) out.push_back(s.str());
  return out;
}

// The message of one occurrence: its variation's template filled with its values; empty when
// the catalog has no template for it.
std::string MessageOf(dia_MetadataTable& catalog, unsigned code, const dia_AuxiliaryData& d) {
  const cow_List<cow_String> templates = catalog.GetDetailStrings(code);
  const int v = d.GetVariation();
  if (v < 0 || v >= templates.Length()) return std::string();
  return dia_FormatUtils::Substitute(templates[v], d.GetIntValues(), d.GetRealValues(),
                                     d.GetStringValues(), d.GetElementLabels(),
                                     d.GetElementInstanceNames(), d.GetNodeLabels(),
                                     d.GetNodeInstanceNames(), true)
      .str();
}

template <class T>
std::vector<std::string> Messages(const T& d) {
  std::vector<std::string> out;
  const auto& data = d.GetData();
  const unsigned code = static_cast<unsigned>(d.GetType());
  for (int i = 0; i < data.Length(); ++i)
    out.push_back(MessageOf(CatalogOf<T>(), code, data.ConstGet(i)));
  return out;
}

template <class T>
void BindCoded(py::module_& m, const char* name) {
  py::class_<Node<T>> c(m, name);
  auto read = [](auto f) { return [f](const Node<T>& n) { return n.Read(f); }; };
  c.def_property_readonly("code",
                          read([](const T& d) { return static_cast<unsigned>(d.GetType()); }));
  c.def_property_readonly("isError", read([](const T& d) {
                            return dia_TypeCodeUtils::IsError(static_cast<unsigned>(d.GetType()));
                          }));
  c.def_property_readonly(
      "title", read([](const T& d) {
        return CatalogOf<T>().GetDescription(static_cast<unsigned>(d.GetType())).str();
      }));
  c.def_property_readonly(
      "knowledgeItem", read([](const T& d) {
        return CatalogOf<T>().GetKnowledgeItem(static_cast<unsigned>(d.GetType())).str();
      }));
  c.def_property_readonly("variations",
                          read([](const T& d) { return Ints(d.GetVariationNumbers()); }));
  c.def_property_readonly(
      "messages", [](const Node<T>& n) { return Locked([&] { return Messages(n.Get()); }); });
  c.def_property_readonly("message", [](const Node<T>& n) {
    std::vector<std::string> all = Locked([&] { return Messages(n.Get()); });
    return all.empty() ? std::string() : all.front();
  });
  c.def(
      "table",
      [](const Node<T>& n, bool withInstanceNames) {
        return Locked(
            [&] { return dia_TableText(n.Get(), CatalogOf<T>(), withInstanceNames).str(); });
      },
      py::arg("withInstanceNames") = true,
      "The catalog tables of the diagnostic, as the solver prints them.");
  c.def_property_readonly("occurrences", [](const Node<T>& n) {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    auto keeper = std::make_shared<const Node<T>>(n);
    return Seq<dia_AuxiliaryData>(n.Db(), keeper, &n.Get().GetData());
  });
  c.def_property_readonly("uid", read([](const T& d) { return d.Uid().Value(); }));
  c.def("__eq__", [](const Node<T>& a, const Node<T>& b) {
    return a.Db()->FileName() == b.Db()->FileName() &&
           a.Read([](const T& d) { return d.Uid(); }) == b.Read([](const T& d) { return d.Uid(); });
  });
  std::string prefix = std::string("<ddb.") + name + " ";
  c.def("__repr__", [prefix](const Node<T>& n) {
    return n.Read([&](const T& d) {
      char code[16];
      std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(d.GetType()));
      return prefix + code + " '" +
             CatalogOf<T>().GetDescription(static_cast<unsigned>(d.GetType())).str() + "'>";
    });
  });
}

template <class T>
void BindPosition(py::module_& m, const char* name) {
  BindCoded<T>(m, name);
  py::class_<Node<T>> c = py::reinterpret_borrow<py::class_<Node<T>>>(m.attr(name));
  c.def_property_readonly("stepNumber", [](const Node<T>& n) {
    return n.Read([](const T& d) { return d.GetStepNumber(); });
  });
  c.def_property_readonly("incrementNumber", [](const Node<T>& n) {
    return n.Read([](const T& d) { return d.GetIncrementNumber(); });
  });
  c.def_property_readonly("attemptNumber", [](const Node<T>& n) {
    return n.Read([](const T& d) { return d.GetAttemptNumber(); });
  });
  c.def_property_readonly("iterationNumber", [](const Node<T>& n) {
    return n.Read([](const T& d) { return d.GetIterationNumber(); });
  });
  c.def_property_readonly("category", [](const Node<T>& n) {
    return n.Read([](const T& d) {
      return EnumValueByName("WarningErrorCategory",
                             dia_TypeCodeUtils::GetCategoryId(static_cast<unsigned>(d.GetType())));
    });
  });
}

void BindOccurrence(py::module_& m) {
  using D = dia_AuxiliaryData;
  py::class_<Node<D>> c(m, "Occurrence");
  auto read = [](auto f) { return [f](const Node<D>& n) { return n.Read(f); }; };
  c.def_property_readonly("variation", read([](const D& d) { return d.GetVariation(); }));
  c.def_property_readonly("intValues", read([](const D& d) { return Ints(d.GetIntValues()); }));
  c.def_property_readonly("realValues", read([](const D& d) {
                            return std::vector<double>(d.GetRealValues().begin(),
                                                       d.GetRealValues().end());
                          }));
  c.def_property_readonly("stringValues",
                          read([](const D& d) { return Texts(d.GetStringValues()); }));
  c.def_property_readonly("elementLabels",
                          read([](const D& d) { return Ints(d.GetElementLabels()); }));
  c.def_property_readonly("elementInstanceNames",
                          read([](const D& d) { return Texts(d.GetElementInstanceNames()); }));
  c.def_property_readonly("nodeLabels", read([](const D& d) { return Ints(d.GetNodeLabels()); }));
  c.def_property_readonly("nodeInstanceNames",
                          read([](const D& d) { return Texts(d.GetNodeInstanceNames()); }));
  c.def_property_readonly("uid", read([](const D& d) { return d.Uid().Value(); }));
}

// One walk over every iteration of the job: per iteration the residual check of one field.
// Instance names repeat: each is kept once and the rows hold its index.
struct History {
  std::vector<int> step, increment, attempt, iteration, node, dof, instance;
  std::vector<double> residual;
  std::vector<bool> accepted, converged, cutback;
  std::vector<std::string> instanceNames;
  std::map<std::string, int> instanceIndex;

  int InstanceIndex(const std::string& name) {
    auto found = instanceIndex.emplace(name, static_cast<int>(instanceNames.size()));
    if (found.second) instanceNames.push_back(name);
    return found.first->second;
  }
};

// Each element of `list` in turn, released once f has seen it.
template <class T, class F>
void Walk(const cls_ListObj<T>& list, F f) {
  for (int i = 0; i < list.Length(); ++i) {
    cow_COW<T, cow_Direct<T>> held = list.ConstGetCOW(i);
    f(held.ConstGet());
    list.Release(i);
  }
}

History WalkHistory(const dia_DiagnosticData& job, unsigned field) {
  History h;
  Walk(job.GetSteps(), [&](const dia_Step& s) {
    Walk(s.GetIncrements(), [&](const dia_Increment& inc) {
      Walk(inc.GetAttempts(), [&](const dia_Attempt& a) {
        Walk(a.GetIterations(), [&](const dia_Iteration& it) {
          const auto& residuals = it.GetResiduals();
          for (int r = 0; r < residuals.Length(); ++r) {
            const dia_Residual& res = residuals.ConstGet(r);
            if (static_cast<unsigned>(res.GetFieldVariable()) != field) continue;
            h.step.push_back(s.GetStepNumber());
            h.increment.push_back(inc.GetIncrementNumber());
            h.attempt.push_back(a.GetAttemptNumber());
            h.iteration.push_back(it.GetIterationNumber());
            h.residual.push_back(res.GetMaxResidual());
            h.node.push_back(res.GetMaxResidualNodeLabel());
            h.instance.push_back(h.InstanceIndex(res.GetMaxResidualInstanceName().str()));
            h.dof.push_back(res.GetMaxResidualDof());
            h.accepted.push_back(res.IsAccepted());
            h.converged.push_back(it.IsConverged());
            h.cutback.push_back(a.IsCutback());
            break;
          }
        });
      });
    });
  });
  return h;
}

template <class T>
py::array_t<T> Array(const std::vector<T>& v) {
  return py::array_t<T>(static_cast<py::ssize_t>(v.size()), v.data());
}
py::array_t<bool> Array(const std::vector<bool>& v) {
  py::array_t<bool> a(static_cast<py::ssize_t>(v.size()));
  auto out = a.mutable_unchecked<1>();
  for (std::size_t i = 0; i < v.size(); ++i) out(static_cast<py::ssize_t>(i)) = v[i];
  return a;
}

py::dict ResidualColumns(const Node<dia_DiagnosticData>& job, unsigned field) {
  History h = Locked([&] {
    rfm_ReadSnapshot snapshot(job.Db()->File());
    return WalkHistory(job.Get(), field);
  });
  py::dict columns;
  columns["step"] = Array(h.step);
  columns["increment"] = Array(h.increment);
  columns["attempt"] = Array(h.attempt);
  columns["iteration"] = Array(h.iteration);
  columns["residual"] = Array(h.residual);
  columns["node"] = Array(h.node);
  columns["instance"] = Array(h.instance);
  columns["instanceNames"] = py::cast(h.instanceNames);
  columns["dof"] = Array(h.dof);
  columns["accepted"] = Array(h.accepted);
  columns["converged"] = Array(h.converged);
  columns["cutback"] = Array(h.cutback);
  return columns;
}

// The display name of a solution field ("Displacement"), empty outside the table.
std::string FieldName(unsigned field) {
  dia_Residual probe(static_cast<dia_FieldVariableEnum>(field),
                     dia_ResidualCheckEnum::RESIDUAL_ACCEPTED,
                     dia_CorrectionCheckEnum::CORRECTION_ACCEPTED, 0, false, 0, 0, false, 0, 0, "",
                     0, 0, 0, "", 0, 0, 0, "", 0);
  return probe.GetFieldVariableName().str();
}

}  // namespace

void BindDiagnostics(py::module_& m) {
  BindCoded<dia_ContactDiagnostic>(m, "ContactDiagnostic");
  BindCoded<dia_ElementDiagnostic>(m, "ElementDiagnostic");
  BindPosition<dia_Warning>(m, "Warning");
  BindPosition<dia_Error>(m, "Error");
  py::reinterpret_borrow<py::class_<Node<dia_Error>>>(m.attr("Error"))
      .def_property_readonly("internalErrorString", [](const Node<dia_Error>& n) {
        return n.Read([](const dia_Error& e) { return e.GetInternalErrorString().str(); });
      });
  BindOccurrence(m);
  m.def("_residual_columns", &ResidualColumns);
  m.def("_field_name", &FieldName);
}

}  // namespace ddbpy
