"""A full walk of the file the example writes reads, record by record, every value the ddb command
exports, and the sequences of the tree behave as Python sequences."""

import json
import os
import subprocess

import ddb
import pytest

# Export keys that Python spells differently; keys of lists of records are walked, not compared.
SPELLED = {"step": "number", "increment": "number", "attempt": "number", "iteration": "number",
           "constraint": "variable", "integers": "intValues", "reals": "realValues",
           "strings": "stringValues", "nodes": "nodeLabels", "nodeInstances": "nodeInstanceNames",
           "elements": "elementLabels", "elementInstances": "elementInstanceNames",
           "internalError": "internalErrorString"}
WALKED = {"increments", "attempts", "iterations", "residuals", "compatibilityErrors",
          "diagnostics", "elementDiagnostics", "occurrences", "kind", "contactIteration"}
POSITION = {"step": "stepNumber", "increment": "incrementNumber", "attempt": "attemptNumber",
            "iteration": "iterationNumber"}


def plain(value):
    """Enumerations by name, sequences as lists."""
    if isinstance(value, (str, int, float)) and not hasattr(value, "name"):
        return value
    if hasattr(value, "name"):
        return value.name
    return [plain(v) for v in value]


def expect_same(record, exported, where, spelled=SPELLED):
    for key, value in exported.items():
        if key in WALKED:
            continue
        if key == "code":
            got = "0x%08X" % record.code
        else:
            got = plain(getattr(record, spelled.get(key, key)))
        assert got == value, (where, key)


def pairs(records, exported, where):
    records = list(records)
    assert len(records) == len(exported), where
    return zip(records, exported)


def children(record, exported, key):
    return pairs(getattr(record, key), exported[key], key)


def expect_same_coded(records, exported, where, spelled=SPELLED):
    for d, e in pairs(records, exported, where):
        expect_same(d, e, where, spelled)
        for o, eo in pairs(d.occurrences, e["occurrences"], where):
            expect_same(o, eo, where)


def test_full_walk_reads_every_value_the_ddb_command_exports(example_file):
    if "DDB_COMMAND" not in os.environ:
        pytest.skip("built without the ddb command (DDB_BUILD_TOOLS=OFF)")
    tree = json.loads(subprocess.run([os.environ["DDB_COMMAND"], "export", "--format", "json",
                                      example_file], check=True, capture_output=True,
                                     text=True).stdout)
    job = ddb.openDdb(example_file).diagnosticData
    assert (plain(job.jobStatus), job.doublePrecision, job.numDomains,
            list(job.jobHistoryDescription), job.userTime, job.systemTime, job.wallclockTime) == (
        tree["jobStatus"], tree["doublePrecision"], tree["domains"],
        tree["jobHistoryDescription"], *tree["cpuTimes"].values())
    iterations = 0
    for s, es in children(job, tree, "steps"):
        expect_same(s, es, "step")
        for inc, ei in children(s, es, "increments"):
            expect_same(inc, ei, "increment")
            expect_same_coded(inc.elementDiagnostics, ei["elementDiagnostics"], "increment")
            for a, ea in children(inc, ei, "attempts"):
                expect_same(a, ea, "attempt")
                for it, eit in children(a, ea, "iterations"):
                    iterations += 1
                    expect_same(it, eit, "iteration")
                    for r, er in children(it, eit, "residuals"):
                        expect_same(r, er, "residual")
                    for c, ec in children(it, eit, "compatibilityErrors"):
                        expect_same(c, ec, "compatibility error")
                    diagnostics = [d for ci in it.contactIterations for d in ci.contactDiagnostics]
                    diagnostics += list(it.contactDiagnostics) + list(it.elementDiagnostics)
                    expect_same_coded(diagnostics, eit["diagnostics"], "iteration")
    assert iterations == 34
    expect_same_coded(job.warnings, tree["warnings"], "warning", dict(SPELLED, **POSITION))
    expect_same_coded(job.errors, tree["errors"], "error", dict(SPELLED, **POSITION))


def residual_walk(job):
    return [(it.number, it.converged, [(r.maxResidual, r.maxResidualNode) for r in it.residuals])
            for it in job.iterations]


def test_one_snapshot_reads_the_same_and_kept_records_outlive_a_close(example_file):
    expected = residual_walk(ddb.openDdb(example_file).diagnosticData)
    db = ddb.openDdb(example_file)
    steps = db.diagnosticData.steps
    kept = [step for step in steps]  # the loop released every step from the list
    assert [s.name for s in kept] == ["Step-1", "Step-2"]
    assert steps[0] == kept[0] and steps[0].uid == kept[0].uid
    with db.snapshot():
        with db.snapshot():
            assert residual_walk(db.diagnosticData) == expected
        db.close()
    closed = "^'%s' is closed$" % example_file
    with pytest.raises(ddb.DdbError, match=closed):
        db.snapshot().__enter__()
    with pytest.raises(ddb.DdbError, match=closed):
        kept[0].name
    assert ddb.openDdb(example_file).diagnosticData.steps[0].name == "Step-1"


# Beyond the exported values: enumerations as Python enumerations, display names, catalog texts.
def test_values_read_naturally(example_file):
    job = ddb.openDdb(example_file).diagnosticData
    assert job.jobStatus is ddb.JobStatus.JOB_STATUS_COMPLETED_SUCCESSFULLY
    cut = job.steps[0].increments[2].attempts[0]
    assert cut.isCutback
    residual = cut.iterations[0].residuals[0]
    assert (residual.field, residual.fieldName, residual.fluxName) == (
        ddb.FieldVariable.DISPLACEMENT_FIELD, "Displacement", "Force")
    warning = job.warnings[0]
    assert warning.category is ddb.WarningErrorCategory.ELEMENT
    assert warning.message == ("Element PART-1.101 is distorted: the volume at integration "
                               "point 2 is 0.05 times the original volume.")
    assert warning.table().splitlines()[2] == "Small volume ratio"
    assert job.errors[-1].isError and not warning.isError


def test_each_level_reads_as_one_sequence_indexed_from_both_ends(example_file):
    job = ddb.openDdb(example_file).diagnosticData
    # Every iteration but the last of the 8 converged attempts reports a distorted element.
    counts = {"increments": 8, "attempts": 10, "iterations": 34, "residuals": 68,
              "contactDiagnostics": 34, "elementDiagnostics": 34 - 8, "compatibilityErrors": 0,
              "xplStatus": 0}
    for level, count in counts.items():
        sequence = getattr(job, level)
        assert len(sequence) == count == len(list(sequence)), level
    assert [i.number for i in job.increments] == [1, 2, 3, 4] * 2
    last = job.steps[-1].increments[-1].attempts[-1].iterations[-1]
    assert job.iterations[-1] == last == job.iterations[33]
    assert [a.number for a in job.attempts[2:5]] == [1, 2, 1]
    with pytest.raises(IndexError):
        job.residuals[68]
    increments = job.steps[-1].increments
    assert increments[-1] == increments[3] and increments[-4] == increments[0]
    assert [i.number for i in increments[1:3]] == [2, 3]
    assert [i.number for i in increments[::-2]] == [4, 2]
    assert [i.number for i in reversed(increments)] == [4, 3, 2, 1]
    for bad in (4, -5):
        with pytest.raises(IndexError):
            increments[bad]
    assert list(job.steps[0].xplStatus) == [] and len(job.steps[0].contactDiagnostics) == 0
