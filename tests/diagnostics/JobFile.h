// Test support: a job record as the top record of a ddb file, written and read the way the
// database layer does it, and small builders for the leaf records of a job.
#pragma once

#include <memory>
#include <string>

#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/platform/rom_Transporter.h"

namespace ddb_test {

struct JobFile {
  rfm_FileHandle file;
  std::unique_ptr<rom_Transporter> transporter;

  static JobFile Create(const std::string& path) {
    JobFile f;
    f.file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
    f.transporter = std::make_unique<rom_Transporter>(nullptr, f.file, "D0", "job", 1, -1);
    return f;
  }
  static JobFile Open(const std::string& path, rfm_Access access = rfm_Access::Read) {
    JobFile f;
    f.file = rfm_File::Open(path, access, true, ZunBasStringMode::UTF8);
    f.transporter = std::make_unique<rom_Transporter>(nullptr, f.file, "D0", -1);
    return f;
  }
  // The first save appends the job row; later saves (row 0) rewrite it in place.
  void Save(const dia_DiagnosticData& job, int row = -1) {
    rom_MementoWrite memento(*transporter, dia_DiagnosticData::TypeId(), row);
    cls_WriteVisitor writer(memento);
    job.DBWrite(writer);
  }
  dia_DiagnosticData Load() {
    int rows = transporter->GetTableSize(dia_DiagnosticData::TypeId());
    rom_MementoRead memento(*transporter, dia_DiagnosticData::TypeId(), rows - 1, cls_Uid());
    return dia_DiagnosticData(cls_ReadVisitor(memento));
  }
};

// A residual of `field` whose checks are both accepted or both not accepted.
inline dia_Residual Residual(dia_FieldVariableEnum field, bool accepted, double maxResidual) {
  return dia_Residual(field,
                      accepted ? dia_ResidualCheckEnum::RESIDUAL_ACCEPTED
                               : dia_ResidualCheckEnum::RESIDUAL_NOT_ACCEPTED,
                      accepted ? dia_CorrectionCheckEnum::CORRECTION_ACCEPTED
                               : dia_CorrectionCheckEnum::CORRECTION_NOT_ACCEPTED,
                      0.0, false, 1.0, 1.0, false, maxResidual, 11, "PART-1", 2, 0.5, 12, "PART-1",
                      1, 0.01, 13, "PART-1", 3);
}

inline dia_CompatibilityError CompatibilityError(int exceeding) {
  return dia_CompatibilityError(dia_ConstraintVariableEnum::PRESSURE_STRESS_CONSTRAINT, exceeding,
                                1e-3, "PART-1", 7);
}

}  // namespace ddb_test
