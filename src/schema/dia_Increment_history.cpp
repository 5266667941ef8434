// Older stored layouts of the increment record; the framework's default conversion covers
// every change between them.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_Increment";
constexpr std::uint32_t kTypeId = 0x2B0003;

class dia_Increment_309 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 309,
                  {{"m_incrementNumber", kInt}, {"m_attemptList", kObjectList}});
  }
};

class dia_Increment_317 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(
        registrar, kClass, kTypeId, 317,
        {{"m_incrementNumber", kInt}, {"m_isConverged", kBool}, {"m_attemptList", kObjectList}});
  }
};

class dia_Increment_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 415,
                  {{"m_incrementNumber", kInt},
                   {"m_initialIncrementSize", kDouble},
                   {"m_attemptList", kObjectList}});
  }
};

class dia_Increment_434 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 434,
                  {{"m_incrementNumber", kInt},
                   {"m_initialIncrementSize", kDouble},
                   {"m_stepTimeCompleted", kDouble},
                   {"m_attemptList", kObjectList}});
  }
};

}  // namespace

void dia_RegisterIncrementHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_Increment_309), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Increment_317), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Increment_415), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Increment_434), 4);
}
