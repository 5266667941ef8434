"""Walking a job of 100,000 iterations through the sequences, in one snapshot, keeps memory
bounded: the loop releases what it has passed. Measured in a fresh interpreter, as its peak
resident set. The residual history of the same job is read on a second thread while the first
keeps running: the module gives up the interpreter lock while it reads the file."""

import os
import subprocess
import sys
import time

import ddb_testing

WALK = r"""
import resource, sys, threading, time, ddb
db = ddb.openDdb(sys.argv[1])
iterations = residuals = 0
total = 0.0
with db.snapshot():
    for step in db.diagnosticData.steps:
        for increment in step.increments:
            for attempt in increment.attempts:
                for iteration in attempt.iterations:
                    iterations += 1
                    for residual in iteration.residuals:
                        residuals += 1
                        total += residual.maxResidual
walked = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
result = {}
reader = threading.Thread(
    target=lambda: result.update(history=db.diagnosticData.residual_history("Displacement")))
reader.start()
ticks = 0
while reader.is_alive():
    ticks += 1
    time.sleep(0.001)
reader.join()
print(iterations, residuals, walked, resource.getrusage(resource.RUSAGE_SELF).ru_maxrss,
      len(result["history"]), ticks)
"""


def test_a_100k_iteration_walk_stays_under_64_mb(tmp_path):
    path = str(tmp_path / "long.ddb")
    started = time.monotonic()
    ddb_testing.write_long_job(path, 100, 1000)
    written = time.monotonic()
    out = subprocess.run([sys.executable, "-c", WALK, path], check=True, capture_output=True,
                         text=True, env=dict(os.environ)).stdout.split()
    iterations, residuals, walk_kb, history_kb, history, ticks = map(int, out)
    print("\n100K-iteration walk: write %.1f s, walk %.1f s, peak RSS %.1f MB after the walk, "
          "%.1f MB after residual_history; %d ticks of the main thread meanwhile"
          % (written - started, time.monotonic() - written, walk_kb / 1024, history_kb / 1024,
             ticks))
    assert (iterations, residuals, history) == (100000, 100000, 100000)
    assert walk_kb < 64 * 1024
    assert history_kb < 64 * 1024
    assert ticks > 100
