"""A full walk of the file the example writes reads, record by record, the values C++ reads,
and the sequences of the tree behave as Python sequences."""

import ddb
import ddb_testing
import pytest


def coded(kind, d):
    return (kind, d.code, d.title, d.messages, d.table(), d.uid)


def python_records(path):
    job = ddb.openDdb(path).diagnosticData
    out = [("job", int(job.jobStatus), job.userTime, job.systemTime, job.wallclockTime,
            len(job.steps), job.uid)]
    for s in job.steps:
        out.append(("step", s.number, s.name, s.stepTimeCompleted, s.incrementsCompleted, s.uid))
        for inc in s.increments:
            out.append(("increment", inc.number, inc.size, inc.stepTimeCompleted, inc.converged,
                        inc.uid))
            for a in inc.attempts:
                out.append(("attempt", a.number, a.size, a.converged,
                            [int(r) for r in a.cutbackReasons], a.uid))
                for it in a.iterations:
                    out.append(("iteration", it.number, it.converged, it.uid))
                    for r in it.residuals:
                        out.append(("residual", int(r.field), r.maxResidual, r.maxResidualNode,
                                    r.maxResidualInstance, r.maxResidualDof, r.accepted, r.uid))
                    for ci in it.contactIterations:
                        out.append(("contactIteration", ci.number, ci.converged, ci.uid))
                        out += [coded("contact", d) for d in ci.contactDiagnostics]
                    out += [coded("contact", d) for d in it.contactDiagnostics]
                    out += [coded("element", d) for d in it.elementDiagnostics]
    out += [coded("warning", w) for w in job.warnings]
    for e in job.errors:
        out.append(coded("error", e))
        out.append(("errorText", e.internalErrorString))
    return out


def test_full_walk_matches_cpp(example_file):
    expected = ddb_testing.walk_job(example_file)
    got = python_records(example_file)
    assert len(got) == len(expected) > 100
    for g, e in zip(got, expected):
        assert g == tuple(e)


def test_a_walk_in_one_snapshot_reads_the_same_and_outlives_a_close(example_file):
    db = ddb.openDdb(example_file)
    with db.snapshot():
        with db.snapshot():
            assert python_records(example_file) == [tuple(e) for e in
                                                    ddb_testing.walk_job(example_file)]
        db.close()
    with pytest.raises(ddb.DdbError, match="^'%s' is closed$" % example_file):
        db.snapshot().__enter__()


def test_values_read_naturally(example_file):
    job = ddb.openDdb(example_file).diagnosticData
    assert job.jobStatus is ddb.JobStatus.JOB_STATUS_COMPLETED_SUCCESSFULLY
    step = job.steps[0]
    assert step.incrementationScheme.name == "AUTO_INCREMENTATION" and step.isNlgeom
    cut = step.increments[2].attempts[0]
    assert cut.isCutback and [r.name for r in cut.cutbackReasons] == [
        "SOLUTION_APPEARS_TO_BE_DIVERGING", "MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS"]
    residual = cut.iterations[0].residuals[0]
    assert (residual.field, residual.fieldName, residual.fluxName) == (
        ddb.FieldVariable.DISPLACEMENT_FIELD, "Displacement", "Force")
    warning = job.warnings[0]
    assert warning.category is ddb.WarningErrorCategory.ELEMENT
    assert (warning.stepNumber, warning.incrementNumber, warning.attemptNumber,
            warning.iterationNumber) == (1, 3, 1, 5)
    assert warning.title == "Distorted elements"
    assert warning.message == ("Element PART-1.101 is distorted: the volume at integration "
                               "point 2 is 0.05 times the original volume.")
    assert warning.table().splitlines()[2] == "Small volume ratio"
    occurrence = warning.occurrences[0]
    assert (occurrence.variation, occurrence.intValues, occurrence.realValues,
            occurrence.elementLabels, occurrence.elementInstanceNames) == (
        1, [2], [0.05], [101], ["PART-1"])
    assert job.errors[-1].isError and not warning.isError


def test_sequences_index_from_both_ends_and_slice(example_file):
    job = ddb.openDdb(example_file).diagnosticData
    increments = job.steps[-1].increments
    assert len(increments) == 4
    assert increments[-1] == increments[3] and increments[-4] == increments[0]
    assert [i.number for i in increments[1:3]] == [2, 3]
    assert [i.number for i in increments[::-2]] == [4, 2]
    assert [i.number for i in reversed(increments)] == [4, 3, 2, 1]
    for bad in (4, -5):
        with pytest.raises(IndexError):
            increments[bad]
    assert list(job.steps[0].xplStatus) == [] and len(job.steps[0].contactDiagnostics) == 0


def test_an_element_outlives_its_release_and_its_database(example_file):
    db = ddb.openDdb(example_file)
    steps = db.diagnosticData.steps
    kept = [step for step in steps]  # the loop released every step from the list
    assert [s.name for s in kept] == ["Step-1", "Step-2"]
    assert steps[0] == kept[0] and steps[0].uid == kept[0].uid
    db.close()
    with pytest.raises(ddb.DdbError, match="^'%s' is closed$" % example_file):
        kept[0].name
    assert ddb.openDdb(example_file).diagnosticData.steps[0].name == "Step-1"


def test_each_level_of_the_tree_reads_as_one_sequence(example_file):
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
