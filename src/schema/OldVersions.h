// Registration of the older stored layouts, one function per class history. Each registers
// that class's version classes with the old-class registrar, oldest first (except where the
// history says otherwise). Called once by the modules' start-up, from one thread; the versions
// stay registered for the life of the process.
#pragma once

class dbc_OldClassRegistrar;

void dia_RegisterDiagnosticDataHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterStepHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterIncrementHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterAttemptHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterIterationHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterContactDiagnosticHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterElementDiagnosticHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterWarningErrorBaseHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterAuxiliaryDataHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterResidualHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterCompatibilityErrorHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterFieldCriteriaHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterConstraintCriteriaHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterNumericalProblemSummaryInfoHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterNumericalProblemSummaryHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterZeroPivotHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterNumericalSingularityHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterWarningErrorDataHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterNodeDiagnosticDataHistory(dbc_OldClassRegistrar& registrar);
void dia_RegisterElementDiagnosticDataHistory(dbc_OldClassRegistrar& registrar);

void ddr_RegisterModelHistory(dbc_OldClassRegistrar& registrar);
void ddr_RegisterDdbHistory(dbc_OldClassRegistrar& registrar);
