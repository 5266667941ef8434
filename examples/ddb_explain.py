#!/usr/bin/env python3
"""Explains a run from its ddb file: how the job ended, where the solver had to cut back and
why, the residuals that would not settle, and the warnings and errors with the catalog's
messages; then writes the convergence plot.

Usage: ddb_explain.py file.ddb [plot.png]
(with the build tree: PYTHONPATH=build/python /usr/bin/python3 examples/ddb_explain.py ...)
"""

import sys

import ddb
import ddb.plot


def explain_attempt(step, increment, attempt):
    reasons = ", ".join(r.name.lower().replace("_", " ") for r in attempt.cutbackReasons)
    print("  step %d (%s), increment %d, attempt %d (size %g): cut back after %d iterations: %s"
          % (step.number, step.name, increment.number, attempt.number, attempt.size,
             len(attempt.iterations), reasons))
    last = attempt.iterations[-1]
    for residual in last.residuals:
        if not residual.accepted:
            print("    %s residual %g at node %s.%d (dof %d) not accepted"
                  % (residual.fieldName, residual.maxResidual, residual.maxResidualInstance,
                     residual.maxResidualNode, residual.maxResidualDof))
    for diagnostic in last.elementDiagnostics:
        print("    %s: %s" % (diagnostic.title, diagnostic.message))


def explain(path, plot):
    db = ddb.openDdb(path)
    job = db.diagnosticData
    print("%s: %s, written %s" % (path, db.description, db.modifyTime))
    print("job status: %s after %g s wall clock, %d step(s)"
          % (job.jobStatus.name, job.wallclockTime, len(job.steps)))
    cutbacks = 0
    reached = None
    for step in job.steps:
        for increment in step.increments:
            for attempt in increment.attempts:
                if attempt.isCutback:
                    if cutbacks == 0:
                        print("where the solver struggled:")
                    cutbacks += 1
                    explain_attempt(step, increment, attempt)
            if increment.converged:
                reached = (step.number, increment.number, increment.stepTimeCompleted)
    print("%d attempt(s) cut back" % cutbacks)
    if reached:
        print("last converged: step %d, increment %d, step time %g" % reached)
    for kind, diagnostics in (("warning", job.warnings), ("error", job.errors)):
        for d in diagnostics:
            print("%s at step %d, increment %d, attempt %d, iteration %d: %s"
                  % (kind, d.stepNumber, d.incrementNumber, d.attemptNumber, d.iterationNumber,
                     d.title))
            print("  " + d.message)
            if kind == "error" and d.internalErrorString:
                print("  internal: " + d.internalErrorString)
    if plot:
        ddb.plot.convergence(job, plot, title=path)
        print("wrote " + plot)


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__.split("\n\n")[1])
    try:
        explain(sys.argv[1], sys.argv[2] if len(sys.argv) == 3 else None)
    except ddb.DdbError as e:
        sys.exit("ddb_explain: %s" % e)
