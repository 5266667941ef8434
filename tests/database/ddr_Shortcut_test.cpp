#include <gtest/gtest.h>

#include "RootFixture.h"
#include "ddb/database/ddr_DdbShortcutImpl.h"
#include "ddb/database/ddr_DictionaryShortcut.h"
#include "ddb/database/ddr_FixPS.h"
#include "ddb/database/ddr_MemberShortcut.h"
#include "ddb/platform/ZunBasUtlVersion.h"
#include "ddb/platform/nex_Exception.h"
#include "frame/cls_Layout.h"

using namespace ddb_test;

namespace {

const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

// One shortcut of every kind into the database named `name`, all built on one database handle.
struct Chain {
  explicit Chain(const cow_String& name, const cow_String& key = "Model-1")
      : ddb(new ddr_DdbShortcutImpl(name)),
        models(new ddr_ModelContainerInDdbShortcut(ddb)),
        results(new ddr_ResultContainerInDdbShortcut(ddb)),
        userData(new ddr_UserDataContainerInDdbShortcut(ddb)),
        customData(new ddr_CustomDataContainerInDdbShortcut(ddb)),
        model(new ddr_ModelInModelContainerShortcut(key, models)) {}
  ddr_DdbShortcut ddb;
  ddr_ModelContainerShortcut models;
  ddr_ResultContainerShortcut results;
  ddr_UserDataContainerShortcut userData;
  ddr_CustomDataContainerShortcut customData;
  ddr_ModelShortcut model;
};

// User data that keeps two shortcuts, the way a client library stores references in a ddb.
struct Holder : ddr_UserData {
  ddr_ModelShortcut target;
  ddr_ResultContainerShortcut results;
  cls_Uid ownUid = cls_Uid::AllocateUid();

  Holder(const ddr_ModelShortcut& t, const ddr_ResultContainerShortcut& r)
      : target(t), results(r) {}
  explicit Holder(const cls_ReadVisitor& r);
  Holder* Copy() const override { return new Holder(*this); }
  std::uint32_t DynTypeId() const override { return TypeId(); }
  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& r);
  static void InitializeMetadata(cls_ClassRegistrar& reg);
  void DBWrite(const cls_WriteVisitor& w) const override;
};

}  // namespace

template <>
struct cls_LayoutOf<Holder> : cls_LayoutRows<Holder> {
  static constexpr Row kRows[] = {
      {"target", cls_kind::Member(ddr_TypeId_ModelShortcut), At<&T::target>},
      {"results", cls_kind::Member(ddr_TypeId_ResultContainerShortcut), At<&T::results>},
  };
  static constexpr cls_Layout<T> kLayout{"test_Holder", 0x7f0110, 1,
                                         &T::ownUid,    kRows,    Base<ddr_UserData>};
};

namespace {

CLS_DEFINE_INLINE_PERSISTENT_DERIVED(Holder, ddr_UserData)

class Shortcuts : public RootTest {
 protected:
  void SetUp() override {
    RootTest::SetUp();
    static bool registered = [] {
      cls_MetadataRegistrar::Instance().initClassMetadata(&Holder::InitializeMetadata, 4);
      ddr_Root::Instance().SetClassRegistrar(cls_MetadataRegistrar::Instance().NewClassRegistrar());
      return true;
    }();
    (void)registered;
  }
  void TearDown() override {
    ZunBasUtlVersion::Instance().SetProduct(ZunBasUtlVersion::ProductSolver);
    RootTest::TearDown();
  }
  // A created database holding Model-1 and one result.
  cow_String CreateWithModel() {
    cow_String name = Create(path);
    ddr_Ddb& ddb = root.Get(name, kUtf8);
    ddb.GetModels().Insert("Model-1", Model("Model-1"));
    ddb.GetResults().Insert("r", Result(2.5));
    return name;
  }
  const Holder& StoredHolder(const cow_String& name, const cow_String& key = "link") {
    return dynamic_cast<const Holder&>(root.ConstGet(name, kUtf8).ConstGetUserData().ConstGet(key));
  }
};

}  // namespace

// Names, paths and resolved objects of every kind; the script path opens the database's file, with
// the "session." prefix in the interactive and results editions.
TEST_F(Shortcuts, Paths_OfEveryKindTheObjectsTheyReachAndTheScriptPathOfEachEdition) {
  const cow_String name = CreateWithModel();
  Chain c(name);
  const struct {
    const omu_ShortcutBase& shortcut;
    cow_String name;
    const char* tail;
  } rows[] = {
      {c.ddb, name, ""},
      {c.models, "models", ".models"},
      {c.results, "result", ".result"},
      {c.userData, "userData", ".userData"},
      {c.customData, "customData", ".customData"},
      {c.model, "Model-1", ".models['Model-1']"},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(row.shortcut.HasValue());
    EXPECT_EQ(row.shortcut.Name(), row.name);
    EXPECT_EQ(row.shortcut.Path(), "ddbCont['" + name.str() + "']" + row.tail);
    EXPECT_EQ(row.shortcut.PythonPath(), "openDdb(r'" + path + "')" + row.tail);
  }
  for (const cow_String& ddbName :
       {c.ddb.DdbName(kUtf8), c.results.DdbName(kUtf8), c.model.DdbName(kUtf8)})
    EXPECT_EQ(ddbName, name);
  ddr_Ddb& ddb = root.Get(name, kUtf8);
  ddr_DdbContainer& container = root.Fetch();
  EXPECT_EQ(&c.ddb.Get(container), &ddb);
  EXPECT_EQ(&c.models.ConstGet(container), &ddb.ConstGetModels());
  EXPECT_EQ(&c.results.Get(container), &ddb.GetResults());
  EXPECT_EQ(&c.userData.ConstGet(container), &ddb.ConstGetUserData());
  EXPECT_EQ(&c.customData.Get(container), &ddb.GetCustomData());
  EXPECT_EQ(c.model.ConstGet(container).ModelName(), "Model-1");
  EXPECT_EQ(&c.model.Get(container), &ddb.GetModels().Get("Model-1"));
  auto& member = dynamic_cast<const ddr_ResultContainerInDdbShortcut&>(*c.results.GetElement());
  EXPECT_EQ(&member.ConstGetParent(container), &ddb);
  for (auto product : {ZunBasUtlVersion::ProductOrvel, ZunBasUtlVersion::ProductLumet}) {
    ZunBasUtlVersion::Instance().SetProduct(product);
    EXPECT_EQ(c.model.PythonPath(), "session.openDdb(r'" + path + "').models['Model-1']");
  }
}

// Beyond the paths of real shortcuts above: default keys, quotes in names, other paths.
TEST(ShortcutScriptPath, RewritesTheDatabasePart) {
  const cow_String file = "/runs/job1.ddb";
  struct Row {
    const char* path;
    bool session;
    const char* script;
  } rows[] = {
      {"ddbCont['P']", true, "session.openDdb(r'/runs/job1.ddb')"},
      {"ddbCont['P'].userData['default userData'].x", false,
       "openDdb(r'/runs/job1.ddb').userData.x"},
      {"ddbCont['a']b'].userData", false, "openDdb(r'/runs/job1.ddb').userData"},
      {"session.models['M']", true, "session.models['M']"},
      {" ddbCont['P'].result", false, " ddbCont['P'].result"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ddr_ShortcutBaseImpl::ScriptPath(row.path, file, row.session), row.script)
        << row.path;
}

TEST_F(Shortcuts, Resolve_MissingDatabaseOrKeyIsRefused) {
  const std::string missing = "No ddb file by specified persistent name in container: 'gone'";
  Chain gone("gone");
  EXPECT_EQ(Message([&] { gone.ddb.ConstGet(root.Fetch()); }), missing);
  EXPECT_EQ(Message([&] { gone.model.Get(root.Fetch()); }), missing);
  EXPECT_EQ(Message([&] { gone.results.PythonPath(); }), missing);
  Chain other(CreateWithModel(), "Model-9");
  EXPECT_THROW(other.model.ConstGet(root.Fetch()), nex_CmdException);
  EXPECT_EQ(Message([&] { other.model.Get(root.Fetch()); }), "Model-9");
}

TEST_F(Shortcuts, Copies_ShareTheElementAndCompareByPath) {
  Chain c("P");
  long live = mem_AllocationOperators::LiveObjects();
  ddr_ModelShortcut copy(c.model);
  EXPECT_EQ(mem_AllocationOperators::LiveObjects(), live);
  EXPECT_EQ(copy.GetElement(), c.model.GetElement());
  EXPECT_EQ(copy.Uid(), c.model.Uid());
  EXPECT_TRUE(copy == c.model);
  EXPECT_FALSE(ddr_ModelShortcut(*c.model.GetElement()) != c.model);
  EXPECT_TRUE(Chain("P", "Model-2").model != c.model);

  ddr_ModelShortcut empty, other;
  EXPECT_FALSE(empty.HasValue());
  EXPECT_TRUE(empty == other);
  EXPECT_TRUE(empty != c.model);
  EXPECT_EQ(empty.Path(), "");
  EXPECT_THROW(empty.ConstGet(root.Fetch()), nex_PrimException);
}

// A stored shortcut resolves in a fresh process, and an empty one stays empty. Opened under a new
// name, the file's last database row is stamped with it; once the file is repaired every row and
// shortcut carries it, and the shortcut resolves under it. The file name, and so the first
// database name, holds a byte above 127.
TEST_F(Shortcuts, Persist_StoredShortcutResolvesInAFreshProcessAndAfterARename) {
  path = dir.Path("mod\xc3\xa9le.ddb");
  cow_String name = CreateWithModel();
  Chain c(name);
  ddr_UserDataMap& data = root.Get(name, kUtf8).GetUserData();
  data.Insert("link", Holder(c.model, c.results));
  data.Insert("empty", Holder(ddr_ModelShortcut(), ddr_ResultContainerShortcut()));
  cls_Uid modelUid = root.ConstGet(name, kUtf8).ConstGetModels().ConstGet("Model-1").Uid();
  Save(name);
  Save(name);
  Close(name);
  EXPECT_EQ(InChild([&] {
              ASSERT_EQ(Open(path), name);
              const Holder& holder = StoredHolder(name);
              EXPECT_EQ(holder.target.Path(), c.model.Path());
              EXPECT_EQ(holder.target.Uid(), c.model.Uid());
              EXPECT_EQ(holder.target.ConstGet(root.Fetch()).Uid(), modelUid);
              EXPECT_EQ(&holder.results.ConstGet(root.Fetch()),
                        &root.ConstGet(name, kUtf8).ConstGetResults());
              EXPECT_EQ(holder.target.PythonPath(), "openDdb(r'" + path + "').models['Model-1']");
              EXPECT_FALSE(StoredHolder(name, "empty").target.HasValue());
            }),
            0);
  EXPECT_EQ(QueryText(path, "SELECT name FROM ddr_DdbShortcutImpl"), "[UTF8]" + name.str());
  EXPECT_EQ(InChild([&] {
              EXPECT_EQ(Open(path, rfm_Access::Read, "renamed"), "renamed");
              EXPECT_EQ(root.GetFileName("renamed", kUtf8), path);
            }),
            0);
  EXPECT_EQ(QueryText(path, "SELECT name FROM ddr_Ddb ORDER BY OID"), "[UTF8]" + name.str());
  ddr_FixPS::FixPersistentString(*DdbRecordFile::Open(path, rfm_Access::Update).transporter);
  EXPECT_EQ(Query(path,
                  "SELECT COUNT(*) FROM (SELECT name FROM ddr_Ddb UNION ALL SELECT name FROM "
                  "ddr_DdbShortcutImpl) WHERE name <> 'renamed'"),
            0);
  EXPECT_EQ(InChild([&] {
              ASSERT_EQ(Open(path), "renamed");
              const Holder& holder = StoredHolder("renamed");
              EXPECT_EQ(holder.target.DdbName(kUtf8), "renamed");
              EXPECT_EQ(holder.target.ConstGet(root.Fetch()).ModelName(), "Model-1");
            }),
            0);
}

// Layouts of the shortcut classes are checked with every other class's in Layouts_test.cpp; here:
// each is released through the shortcut's own release, and the abstract parts are never read.
TEST(ShortcutRegistration, EveryClassReleasesItsOwnWayAndAbstractPartsAreNotRead) {
  cls_ReadVisitor nothing;
  int classes = 0;
  for (const cls_ClassMetadata* md :
       cls_MetadataRegistrar::Instance().ProcessRegistrar().Classes()) {
    const std::string name = md->Name().str();
    if (name.find("Shortcut") == std::string::npos && name.find("IMPLSC") == std::string::npos)
      continue;
    ++classes;
    EXPECT_EQ(md->Dtor(), &ddr_ShortcutBaseImpl::CowDtor) << name;
    if (name.find("IMPLSC") != std::string::npos) {
      EXPECT_EQ(md->Ctor()(nothing), nullptr) << name;
    }
  }
  EXPECT_EQ(classes, 18);
}

TEST(ShortcutLatin1, DdbName_ConvertsInLocaleMode) {
  Latin1Locale latin1;
  if (!latin1.On()) GTEST_SKIP() << "no Latin-1 locale";
  Chain c(ddr_DdbShortcutImpl("caf\xe9", ZunBasStringMode::Locale).Name());
  EXPECT_EQ(c.ddb.Name(), "caf\xc3\xa9");
  EXPECT_EQ(c.model.DdbName(kUtf8), "caf\xc3\xa9");
  EXPECT_EQ(c.model.DdbName(ZunBasStringMode::Locale), "caf\xe9");
  EXPECT_EQ(c.results.DdbName(ZunBasStringMode::Locale), "caf\xe9");
}
