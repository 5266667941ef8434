"""The convergence plot is a PNG of the requested size; the history exports to pandas."""

import struct

import ddb
import ddb.plot
import pytest


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR"
    return struct.unpack(">II", head[16:24])


def test_convergence_writes_a_png_of_the_requested_size(tmp_path, example_file):
    job = ddb.openDdb(example_file).diagnosticData
    path = str(tmp_path / "convergence.png")
    history = ddb.plot.convergence(job, path, width=6, height=4, dpi=50)
    assert png_size(path) == (300, 200)
    assert len(history) == 34 and history["cutback"].sum() == 10


def test_residual_history_is_a_numpy_record_per_iteration(example_file):
    job = ddb.openDdb(example_file).diagnosticData
    by_name = job.residual_history("Displacement")
    assert by_name.tolist() == job.residual_history(ddb.FieldVariable.DISPLACEMENT_FIELD).tolist()
    first = by_name[0]
    assert (first["step"], first["increment"], first["attempt"], first["iteration"],
            first["residual"], first["node"], first["instance"]) == (1, 1, 1, 1, 1.0, 42, "PLATE-1")
    rotation = job.residual_history("ROTATION_FIELD")
    assert rotation["residual"][0] == 0.25
    with pytest.raises(ValueError):
        job.residual_history("Voltage")


def test_history_exports_to_a_dataframe(example_file):
    pytest.importorskip("pandas")
    frame = ddb.plot.dataframe(ddb.openDdb(example_file).diagnosticData)
    assert list(frame.columns[:4]) == ["step", "increment", "attempt", "iteration"]
    assert len(frame) == 34 and frame["cutback"].sum() == 10


def test_the_explain_example_tells_where_and_why_and_plots(tmp_path, example_file):
    import os
    import subprocess
    import sys

    script = os.path.join(os.environ["DDB_SOURCE_DIR"], "examples", "ddb_explain.py")
    plot = str(tmp_path / "explain.png")
    out = subprocess.run([sys.executable, script, example_file, plot], check=True,
                         capture_output=True, text=True).stdout
    assert "job status: JOB_STATUS_COMPLETED_SUCCESSFULLY" in out
    assert ("  step 2 (Step-2), increment 3, attempt 1 (size 0.25): cut back after 5 iterations: "
            "solution appears to be diverging, maximum number of equilibrium iterations") in out
    assert "2 attempt(s) cut back" in out
    assert "error at step 2, increment 4, attempt 1, iteration 3: Excessively distorted elements" in out
    assert png_size(plot) == (800, 450)
    bad = subprocess.run([sys.executable, script, str(tmp_path / "none.ddb")],
                         capture_output=True, text=True)
    assert bad.returncode == 1
    assert bad.stderr == "ddb_explain: '%s' does not exist\n" % (tmp_path / "none.ddb")
