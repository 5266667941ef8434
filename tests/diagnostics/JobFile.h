// Test support: a job record as the top record of a ddb file, written and read the way the
// database layer does it, and small builders for the leaf records of a job.
#pragma once

#include "TestFiles.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"

namespace ddb_test {

using JobFile = RecordFile<dia_DiagnosticData>;

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
