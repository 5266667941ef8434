// The database side of the module: openDdb and the session object, the open database, its
// models mapping with the models, and the result, user-data and custom-data mappings, named as
// the script access paths name them.
#include <pybind11/stl.h>

#include <map>
#include <vector>

#include "Library.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/platform/rfm_File.h"

namespace ddbpy {
namespace {

constexpr ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

std::map<std::string, std::weak_ptr<OpenDdb>>& Registry() {
  static auto* registry = new std::map<std::string, std::weak_ptr<OpenDdb>>();
  return *registry;
}

std::string Text(const cow_String& s) {
  return s.str();
}

// A member collection of the database: the database and which member.
struct Models {
  DbRef db;
  const ddr_ModelMap& Map() const { return db->Record().ConstGetModels(); }
};

template <class T>
struct Named {
  DbRef db;
  const mdl_MapString2Obj<T>& (ddr_Ddb::*member)() const;
  const char* word;
  const mdl_MapString2Obj<T>& Map() const { return (db->Record().*member)(); }
};

// One element of a named collection: its name, class and identity.
struct DataItem {
  std::string name;
  std::uint32_t typeId;
  std::int64_t uid;
};

py::object ModelAt(const Models& models, const std::string& key) {
  bool present = false;
  const ddr_Model* model = Locked([&]() -> const ddr_Model* {
    const ddr_ModelMap& map = models.Map();
    present = map.IsMember(key);
    return present ? &map.ConstGet(key) : nullptr;
  });
  if (!present) throw py::key_error(key);
  return py::cast(Node<ddr_Model>(models.db, model));
}

template <class M>
std::vector<std::string> KeysOf(const M& m) {
  std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
  std::vector<std::string> keys;
  for (const cow_String& k : m.Map().Keys()) keys.push_back(k.str());
  return keys;
}

template <class M>
std::int64_t MapUid(const M& m) {
  std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
  return m.Map().Uid().Value();
}

template <class M>
void BindMappingBasics(py::class_<M>& cls) {
  cls.def("keys", &KeysOf<M>)
      .def("__len__", [](const M& m) { return KeysOf(m).size(); })
      .def("__iter__",
           [](const M& m) {
             py::list keys = py::cast(KeysOf(m));
             return py::iter(keys);
           })
      .def("__contains__",
           [](const M& m, const std::string& key) {
             std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
             return m.Map().IsMember(key);
           })
      .def_property_readonly("uid", &MapUid<M>)
      .def("__eq__", [](const M& a, const M& b) {
        return a.db->FileName() == b.db->FileName() && MapUid(a) == MapUid(b);
      });
}

template <class T>
void BindNamed(py::module_& m, const char* name) {
  py::class_<Named<T>> cls(m, name);
  BindMappingBasics(cls);
  cls.def("__getitem__", [](const Named<T>& named, const std::string& key) {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    if (!named.Map().IsMember(key)) throw py::key_error(key);
    const T& item = named.Map().ConstGet(key);
    return DataItem{key, item.DynTypeId(), item.Uid().Value()};
  });
  cls.def("__repr__", [](const Named<T>& named) {
    return std::string("<ddb.") + named.word + " of " + std::to_string(KeysOf(named).size()) + ">";
  });
}

DbRef OpenFile(const std::string& path) {
  return Locked([&] { return OpenDdb::Open(path); });
}

template <class F>
auto OfDdb(F f) {
  return [f](const DbRef& db) {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    return f(db->Record());
  };
}

struct Session {};

// `with db.snapshot():` reads the file in one read transaction until the block ends: the block
// sees one state of the file however far a writer gets meanwhile, and a long walk does not
// begin a transaction per record. Snapshots nest; the database's own reads need none.
struct Snapshot {
  DbRef db;
  std::unique_ptr<rfm_ReadSnapshot> held;

  ~Snapshot() {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    held.reset();
  }
};

}  // namespace

std::recursive_mutex& LibraryMutex() {
  static auto* mutex = new std::recursive_mutex();
  return *mutex;
}

std::shared_ptr<OpenDdb> OpenDdb::Open(const std::string& fileName) {
  auto& registry = Registry();
  auto found = registry.find(fileName);
  if (found != registry.end()) {
    DbRef db = found->second.lock();
    if (db && !db->IsClosed()) return db;
  }
  ddr_Root& root = ddr_Root::Instance();
  const bool owned = !root.IsMember(fileName, kUtf8);
  cow_String name;
  if (owned) {
    rfm_FileHandle file = rfm_File::Open(fileName, rfm_Access::Read, true, kUtf8);
    name = root.OpenDdb(file, "", kUtf8);
  } else {
    name = root.GetPersistentName(fileName, kUtf8);
  }
  DbRef db(new OpenDdb(fileName, name, owned));
  registry[fileName] = db;
  return db;
}

OpenDdb::~OpenDdb() {
  try {
    Close();
  } catch (const std::exception&) {
    // A database that cannot be closed cleanly stays registered with the root; nothing to do.
  }
}

void OpenDdb::Close() {
  std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
  if (m_closed) return;
  m_closed = true;
  if (m_owned) ddr_Root::Instance().CloseDdb(m_name, kUtf8);
}

void OpenDdb::RequireOpen() const {
  if (m_closed) RaiseDdbError("'" + m_fileName + "' is closed");
}

rfm_FileHandle OpenDdb::File() const {
  return Record().GetTransporter()->File();
}

const ddr_Ddb& OpenDdb::Record() const {
  RequireOpen();
  return ddr_Root::Instance().ConstGet(m_name, kUtf8);
}

void BindDatabase(py::module_& m) {
  py::class_<DataItem>(m, "DataItem")
      .def_readonly("name", &DataItem::name)
      .def_readonly("typeId", &DataItem::typeId)
      .def_readonly("uid", &DataItem::uid)
      .def("__eq__", [](const DataItem& a, const DataItem& b) { return a.uid == b.uid; })
      .def("__repr__", [](const DataItem& d) { return "<ddb.DataItem '" + d.name + "'>"; });

  py::class_<Snapshot>(m, "Snapshot")
      .def("__enter__",
           [](Snapshot& s) -> Snapshot& {
             Locked([&] {
               if (!s.held) s.held = std::make_unique<rfm_ReadSnapshot>(s.db->File());
             });
             return s;
           })
      .def("__exit__", [](Snapshot& s, py::args) { Locked([&] { s.held.reset(); }); });

  py::class_<Node<ddr_Model>>(m, "Model")
      .def_property_readonly("name",
                             [](const Node<ddr_Model>& n) {
                               return n.Read([](auto& r) { return Text(r.ModelName()); });
                             })
      .def_property_readonly("fileName",
                             [](const Node<ddr_Model>& n) {
                               return n.Read([](auto& r) { return Text(r.FileName(kUtf8)); });
                             })
      .def_property_readonly(
          "typeId",
          [](const Node<ddr_Model>& n) { return n.Read([](auto& r) { return r.DynTypeId(); }); })
      .def_property_readonly(
          "uid",
          [](const Node<ddr_Model>& n) { return n.Read([](auto& r) { return r.Uid().Value(); }); })
      .def("__eq__",
           [](const Node<ddr_Model>& a, const Node<ddr_Model>& b) {
             return a.Read([](auto& r) { return r.Uid(); }) ==
                    b.Read([](auto& r) { return r.Uid(); });
           })
      .def("__repr__", [](const Node<ddr_Model>& n) {
        return "<ddb.Model '" + n.Read([](auto& r) { return Text(r.ModelName()); }) + "'>";
      });

  py::class_<Models> models(m, "Models");
  BindMappingBasics(models);
  models.def("__getitem__", &ModelAt).def("__repr__", [](const Models& ms) {
    return "<ddb.Models of " + std::to_string(KeysOf(ms).size()) + ">";
  });
  BindNamed<ddr_Result>(m, "Results");
  BindNamed<ddr_UserData>(m, "UserData");
  BindNamed<ddr_CustomData>(m, "CustomData");

  py::class_<OpenDdb, DbRef>(m, "Ddb")
      .def_property_readonly("fileName", &OpenDdb::FileName)
      .def_property_readonly("name", OfDdb([](const ddr_Ddb& d) { return Text(d.Name()); }))
      .def_property_readonly("description",
                             OfDdb([](const ddr_Ddb& d) { return Text(d.Description()); }))
      .def_property_readonly("analysisVersion",
                             OfDdb([](const ddr_Ddb& d) { return Text(d.AnalysisVersion()); }))
      .def_property_readonly("ddbVersion", OfDdb([](const ddr_Ddb& d) { return d.DdbVersion(); }))
      .def_property_readonly("creationTime",
                             OfDdb([](const ddr_Ddb& d) { return Text(d.CreateTime()); }))
      .def_property_readonly("modifyTime",
                             OfDdb([](const ddr_Ddb& d) { return Text(d.ModifyTime()); }))
      .def_property_readonly("uid", OfDdb([](const ddr_Ddb& d) { return d.Uid().Value(); }))
      .def_property_readonly("models", [](const DbRef& db) { return Models{db}; })
      .def_property_readonly("result",
                             [](const DbRef& db) {
                               return Named<ddr_Result>{db, &ddr_Ddb::ConstGetResults, "result"};
                             })
      .def_property_readonly(
          "userData",
          [](const DbRef& db) {
            return Named<ddr_UserData>{db, &ddr_Ddb::ConstGetUserData, "userData"};
          })
      .def_property_readonly(
          "customData",
          [](const DbRef& db) {
            return Named<ddr_CustomData>{db, &ddr_Ddb::ConstGetCustomData, "customData"};
          })
      .def_property_readonly("diagnosticData",
                             [](const DbRef& db) {
                               std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
                               return Node<dia_DiagnosticData>(
                                   db, &db->Record().ConstGetDiagnosticData());
                             })
      .def_property_readonly("closed", &OpenDdb::IsClosed)
      .def(
          "snapshot",
          [](const DbRef& db) {
            return std::unique_ptr<Snapshot>(new Snapshot{db, {}});
          },
          "A context manager reading the file in one snapshot until the block ends.")
      .def("close", [](const DbRef& db) { Locked([&] { db->Close(); }); })
      .def("__enter__", [](const DbRef& db) { return db; })
      .def("__exit__", [](const DbRef& db, py::args) { Locked([&] { db->Close(); }); })
      .def("__eq__",
           [](const DbRef& a, const DbRef& b) {
             return a->FileName() == b->FileName() &&
                    OfDdb([](const ddr_Ddb& d) { return d.Uid(); })(a) ==
                        OfDdb([](const ddr_Ddb& d) { return d.Uid(); })(b);
           })
      .def("__repr__", [](const DbRef& db) { return "<ddb.Ddb '" + db->FileName() + "'>"; });

  m.def("openDdb", &OpenFile, py::arg("fileName"),
        "Opens a ddb file read-only (or returns the database already open for it).");
  py::class_<Session>(m, "Session")
      .def(py::init<>())
      .def(
          "openDdb", [](const Session&, const std::string& path) { return OpenFile(path); },
          py::arg("fileName"));
  m.attr("session") = Session();
}

}  // namespace ddbpy
