#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddb/platform/cls_ClassRegistrar.h"

namespace {

struct Expected {
  std::uint32_t typeId;
  const char* name;
  int version;
  std::uint32_t base;
  bool dtor;
  std::vector<std::string> fields;
};

const std::vector<Expected>& LeafClasses() {
  static const std::vector<Expected> classes = {
      {0x2b0018,
       "dia_ContactIteration",
       434,
       1,
       true,
       {"m_iterationNumber", "m_isConverged", "m_contactDiagnosticList"}},
      {0x2b0011,
       "dia_Residual",
       1001,
       1,
       true,
       {"m_fieldEquationType",  "m_isResponseLinear",
        "m_averageFlux",        "m_timeAverageFlux",
        "m_hasUserDefinedNorm", "m_maxResidual",
        "m_maxResidualNode",    "m_maxResidualPartInstanceName",
        "m_maxResidualDOF",     "m_maxIncrement",
        "m_maxIncrementNode",   "m_maxIncrementPartInstanceName",
        "m_maxIncrementDOF",    "m_maxCorrection",
        "m_maxCorrectionNode",  "m_maxCorrectionPartInstanceName",
        "m_maxCorrectionDOF",   "m_residualCheck",
        "m_correctionCheck",    "m_estimatedCorrection"}},
      {0x2b0012,
       "dia_CompatibilityError",
       1001,
       1,
       true,
       {"m_constraintEquationType", "m_numElementsExceedingTolerance", "m_maxError",
        "m_partInstanceName", "m_elementNumber"}},
      {0x2b0014,
       "dia_AuxiliaryData",
       418,
       1,
       true,
       {"m_intValues", "m_realValues", "m_stringValues", "m_elementLabels",
        "m_elementInstanceNames", "m_nodeLabels", "m_nodeInstanceNames", "m_variation"}},
      {0x2b0017, "dia_DiagnosticBase", 418, 1, true, {"m_type", "m_data", "m_variationNumbers"}},
      {0x2b0008, "dia_ContactDiagnostic", 418, 0x2b0017, false, {}},
      {0x2b0013, "dia_ElementDiagnostic", 418, 0x2b0017, false, {}},
      {0x2b000e,
       "dia_WarningErrorBase",
       418,
       0x2b0017,
       false,
       {"m_stepNumber", "m_incrementNumber", "m_attemptNumber", "m_iterationNumber"}},
      {0x2b000f, "dia_Warning", 410, 0x2b000e, false, {}},
      {0x2b0010, "dia_Error", 410, 0x2b000e, false, {"m_internalErrorString"}},
      {0x2b0019,
       "dia_XplStatus",
       434,
       1,
       true,
       {"m_incrementNumber", "m_critElementLabel", "m_critElementInst", "m_XplStatusRealv"}},
  };
  return classes;
}

}  // namespace

TEST(dia_LeafRegistration, LeafClasses_RegisteredAtStartUpWithDeclaredFieldsInOrder) {
  const cls_ClassRegistrar& registrar = cls_MetadataRegistrar::Instance().ProcessRegistrar();
  for (const Expected& e : LeafClasses()) {
    const cls_ClassMetadata* md = registrar.Find(e.typeId);
    ASSERT_NE(md, nullptr) << e.name;
    EXPECT_EQ(md->Name(), e.name);
    EXPECT_EQ(md->Version(), e.version) << e.name;
    EXPECT_EQ(md->BaseTypeId(), e.base) << e.name;
    EXPECT_NE(md->Ctor(), nullptr) << e.name;
    EXPECT_EQ(md->Dtor() != nullptr, e.dtor) << e.name;
    std::vector<std::string> fields;
    for (const cls_Attribute& a : md->Attributes()) fields.push_back(a.name);
    EXPECT_EQ(fields, e.fields) << e.name;
  }
}

TEST(dia_LeafRegistration, LeafClasses_AttributeKindsOfListsAndEnumerations) {
  const cls_ClassRegistrar& registrar = cls_MetadataRegistrar::Instance().ProcessRegistrar();
  struct Kind {
    std::uint32_t typeId;
    int position, attributeType;
    std::uint32_t objectType;
    int collection;
  } kinds[] = {{0x2b0011, 0, cls_AttrEnum, 1, cls_CollNone},
               {0x2b0011, 17, cls_AttrEnum, 1, cls_CollNone},
               {0x2b0012, 0, cls_AttrEnum, 1, cls_CollNone},
               {0x2b0014, 1, cls_AttrObject, cls_PrimArrayTypeId, cls_CollDoubles},
               {0x2b0014, 2, cls_AttrObject, cls_PrimArrayTypeId, cls_CollStrings},
               {0x2b0014, 5, cls_AttrObject, cls_PrimArrayTypeId, cls_CollInts},
               {0x2b0017, 1, cls_AttrObject, cls_ObjListTypeId, cls_CollList},
               {0x2b0018, 2, cls_AttrObject, cls_ObjListTypeId, cls_CollList},
               {0x2b0019, 3, cls_AttrObject, cls_PrimArrayTypeId, cls_CollDoubles}};
  for (const Kind& k : kinds) {
    const cls_ClassMetadata* md = registrar.Find(k.typeId);
    ASSERT_NE(md, nullptr) << k.typeId;
    const cls_Attribute& a = md->Attributes().at(k.position);
    EXPECT_EQ(a.attributeType, k.attributeType) << a.name;
    EXPECT_EQ(a.typeId, k.objectType) << a.name;
    EXPECT_EQ(a.collectionType, k.collection) << a.name;
  }
}
