-- Views over a ddb file for the sqlite3 shell: they turn the list runs and primitive arrays of
-- the framework tables into rows and join the job's tree by position, so that questions about a
-- run are one short query. Load them into a scratch copy or a temporary schema, e.g.
--
--   sqlite3 -readonly job.ddb -cmd '.read doc/ddb-views.sql'
--   SELECT reason, COUNT(*) FROM ddb_cutback GROUP BY reason;      -- all cut-back reasons
--   SELECT step, increment, attempt, reason FROM ddb_cutback;       -- which step, which attempt
--
-- The views are TEMP: they live in the shell's session and never change the file. The layout
-- they read is described in ddb-format.md.

-- The lists of the job tree that are stored inline, in the "#ClassID" column of the row that
-- refers to them (a BLOB of entries): OID and entries.
CREATE TEMP VIEW ddb_inline_list(list, entries) AS
SELECT "m_stepList#OID", "m_stepList#ClassID" FROM dia_DiagnosticData
  WHERE typeof("m_stepList#ClassID") = 'blob'
UNION ALL SELECT "m_warningList#OID", "m_warningList#ClassID" FROM dia_DiagnosticData
  WHERE typeof("m_warningList#ClassID") = 'blob'
UNION ALL SELECT "m_errorList#OID", "m_errorList#ClassID" FROM dia_DiagnosticData
  WHERE typeof("m_errorList#ClassID") = 'blob'
UNION ALL SELECT "m_incrementList#OID", "m_incrementList#ClassID" FROM dia_Step
  WHERE typeof("m_incrementList#ClassID") = 'blob'
UNION ALL SELECT "m_attemptList#OID", "m_attemptList#ClassID" FROM dia_Increment
  WHERE typeof("m_attemptList#ClassID") = 'blob'
UNION ALL SELECT "m_iterationList#OID", "m_iterationList#ClassID" FROM dia_Attempt
  WHERE typeof("m_iterationList#ClassID") = 'blob'
UNION ALL SELECT "m_residualList#OID", "m_residualList#ClassID" FROM dia_Iteration
  WHERE typeof("m_residualList#ClassID") = 'blob';

-- One row per element of every list, stored as runs or inline: its index, the element's class
-- id and its OID (entries are 12 bytes each: uint32 class id, int64 OID, little-endian).
CREATE TEMP VIEW ddb_list_entry(list, position, class_id, oid) AS
WITH RECURSIVE slot(list, first, count, entries, k) AS (
  SELECT list, first, count, entries, 0 FROM "##List" WHERE count > 0
  UNION ALL
  SELECT list, 0, length(entries) / 12, entries, 0 FROM ddb_inline_list WHERE length(entries) >= 12
  UNION ALL
  SELECT list, first, count, entries, k + 1 FROM slot WHERE k + 1 < count
), entry(list, position, h) AS (
  SELECT list, first + k, hex(substr(entries, 12 * k + 1, 12)) FROM slot
)
SELECT list, position, ((instr('0123456789ABCDEF', substr(h, 1, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 2, 1)) - 1) + (((instr('0123456789ABCDEF', substr(h, 3, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 4, 1)) - 1) << 8) + (((instr('0123456789ABCDEF', substr(h, 5, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 6, 1)) - 1) << 16) + (((instr('0123456789ABCDEF', substr(h, 7, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 8, 1)) - 1) << 24), ((instr('0123456789ABCDEF', substr(h, 9, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 10, 1)) - 1) + (((instr('0123456789ABCDEF', substr(h, 11, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 12, 1)) - 1) << 8) + (((instr('0123456789ABCDEF', substr(h, 13, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 14, 1)) - 1) << 16) + (((instr('0123456789ABCDEF', substr(h, 15, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 16, 1)) - 1) << 24) + (((instr('0123456789ABCDEF', substr(h, 17, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 18, 1)) - 1) << 32) + (((instr('0123456789ABCDEF', substr(h, 19, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 20, 1)) - 1) << 40) + (((instr('0123456789ABCDEF', substr(h, 21, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 22, 1)) - 1) << 48) + (((instr('0123456789ABCDEF', substr(h, 23, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(h, 24, 1)) - 1) << 56) FROM entry;

-- One row per value of every integer array stored whole (collection 54: int32, little-endian);
-- a job's history stored in pages (collection 154) is in "##ArrayPage".
CREATE TEMP VIEW ddb_int_array(array, position, value) AS
WITH RECURSIVE slot(oid, count, data, k) AS (
  SELECT oid, count, data, 0 FROM "##Array" WHERE collection = 54 AND count > 0
  UNION ALL
  SELECT oid, count, data, k + 1 FROM slot WHERE k + 1 < count
), item(oid, position, u) AS (
  SELECT oid, k, ((instr('0123456789ABCDEF', substr(hex(substr(data, 4 * k + 1, 4)), 1, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(hex(substr(data, 4 * k + 1, 4)), 2, 1)) - 1) + (((instr('0123456789ABCDEF', substr(hex(substr(data, 4 * k + 1, 4)), 3, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(hex(substr(data, 4 * k + 1, 4)), 4, 1)) - 1) << 8) + (((instr('0123456789ABCDEF', substr(hex(substr(data, 4 * k + 1, 4)), 5, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(hex(substr(data, 4 * k + 1, 4)), 6, 1)) - 1) << 16) + (((instr('0123456789ABCDEF', substr(hex(substr(data, 4 * k + 1, 4)), 7, 1)) - 1) * 16 + instr('0123456789ABCDEF', substr(hex(substr(data, 4 * k + 1, 4)), 8, 1)) - 1) << 24) FROM slot
)
SELECT oid, position, CASE WHEN u >= 2147483648 THEN u - 4294967296 ELSE u END FROM item;

-- The names of the cut-back reason codes an attempt stores.
CREATE TEMP VIEW ddb_cutback_reason_name(code, name) AS
VALUES
  (1, 'RATE_OF_CONVERGENCE_IS_SLOW'),
  (2, 'SOLUTION_APPEARS_TO_BE_DIVERGING'),
  (3, 'MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS'),
  (4, 'MAXIMUM_NUMBER_OF_SEVERE_DISCONTINUITY_ITERATIONS'),
  (5, 'MAXIMUM_NUMBER_OF_CONTACT_STRESS_AUGMENTATIONS'),
  (6, 'TEMPERATURE_FALLEN_BELOW_ABSOLUTE_ZERO'),
  (7, 'EXCESSIVE_ELEMENT_DISTORTION'),
  (8, 'MATERIAL_POINT_CALCULATIONS'),
  (9, 'TIME_INTEGRATION_STABILITY_LIMIT_EXCEEDED'),
  (10, 'TIME_INTEGRATION_ACCURACY_LIMIT_EXCEEDED'),
  (11, 'SEVERE_CONTACT_OVERCLOSURES'),
  (12, 'MAXIMUM_SLIDE_DISTANCE_EXCEEDED'),
  (13, 'NEW_CONTACT_PATCH'),
  (14, 'CAVITY_RADIATION_EMMISIVITY_TOO_LARGE'),
  (15, 'ADAPTIVE_MESH_SMOOTHING_FAILED'),
  (16, 'DEBONDING'),
  (17, 'USER_SUBROUTINE_REQUEST'),
  (18, 'REPETITIVE_SDI_PATTERN');

CREATE TEMP VIEW ddb_step AS
SELECT s.m_stepNumber AS step, s.m_stepName AS name, s.m_stepTimeCompleted AS step_time,
       s.m_incrementsCompleted AS increments_completed, s.OID AS oid
FROM dia_DiagnosticData j
JOIN ddb_list_entry e ON e.list = j."m_stepList#OID"
JOIN dia_Step s ON s.OID = e.oid;

CREATE TEMP VIEW ddb_increment AS
SELECT s.step, i.m_incrementNumber AS increment, i.m_initialIncrementSize AS initial_size,
       i.m_stepTimeCompleted AS step_time, i.OID AS oid
FROM ddb_step s
JOIN dia_Step st ON st.OID = s.oid
JOIN ddb_list_entry e ON e.list = st."m_incrementList#OID"
JOIN dia_Increment i ON i.OID = e.oid;

CREATE TEMP VIEW ddb_attempt AS
SELECT i.step, i.increment, a.m_attemptNumber AS attempt, a.m_attemptSize AS size, a.OID AS oid
FROM ddb_increment i
JOIN dia_Increment inc ON inc.OID = i.oid
JOIN ddb_list_entry e ON e.list = inc."m_attemptList#OID"
JOIN dia_Attempt a ON a.OID = e.oid;

-- Every cut-back reason of every attempt, by name.
CREATE TEMP VIEW ddb_cutback AS
SELECT a.step, a.increment, a.attempt, v.position, v.value AS code,
       COALESCE(n.name, 'UNKNOWN(' || v.value || ')') AS reason
FROM ddb_attempt a
JOIN dia_Attempt at ON at.OID = a.oid
JOIN ddb_int_array v ON v.array = at."m_cutbackCodes#OID"
LEFT JOIN ddb_cutback_reason_name n ON n.code = v.value;

CREATE TEMP VIEW ddb_iteration AS
SELECT a.step, a.increment, a.attempt, it.m_iterationNumber AS iteration,
       it.m_isConverged AS converged, it.OID AS oid
FROM ddb_attempt a
JOIN dia_Attempt at ON at.OID = a.oid
JOIN ddb_list_entry e ON e.list = at."m_iterationList#OID"
JOIN dia_Iteration it ON it.OID = e.oid;

CREATE TEMP VIEW ddb_residual AS
SELECT it.step, it.increment, it.attempt, it.iteration, r.m_fieldEquationType AS field,
       r.m_maxResidual AS max_residual, r.m_maxResidualPartInstanceName AS instance,
       r.m_maxResidualNode AS node, r.m_maxResidualDOF AS dof, r.m_residualCheck AS residual_check
FROM ddb_iteration it
JOIN dia_Iteration i ON i.OID = it.oid
JOIN ddb_list_entry e ON e.list = i."m_residualList#OID"
JOIN dia_Residual r ON r.OID = e.oid;

-- The job's warnings and errors with where they were raised and their catalog code
-- (`ddb catalog CODE` shows its title and explanatory text).
CREATE TEMP VIEW ddb_message AS
SELECT 'warning' AS kind, b.m_stepNumber AS step, b.m_incrementNumber AS increment,
       b.m_attemptNumber AS attempt, b.m_iterationNumber AS iteration,
       printf('0x%08X', d.m_type) AS code
FROM dia_DiagnosticData j
JOIN ddb_list_entry e ON e.list = j."m_warningList#OID"
JOIN dia_Warning w ON w.OID = e.oid
JOIN dia_WarningErrorBase b ON b.OID = w."##BaseClassOID"
JOIN dia_DiagnosticBase d ON d.OID = b."##BaseClassOID"
UNION ALL
SELECT 'error', b.m_stepNumber, b.m_incrementNumber, b.m_attemptNumber, b.m_iterationNumber,
       printf('0x%08X', d.m_type)
FROM dia_DiagnosticData j
JOIN ddb_list_entry e ON e.list = j."m_errorList#OID"
JOIN dia_Error x ON x.OID = e.oid
JOIN dia_WarningErrorBase b ON b.OID = x."##BaseClassOID"
JOIN dia_DiagnosticBase d ON d.OID = b."##BaseClassOID";
