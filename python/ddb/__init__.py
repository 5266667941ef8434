"""Read-only access to ddb files from Python.

The script access paths that the database layer renders evaluate in this module's namespace:

    >>> import ddb
    >>> eval("openDdb(r'/runs/job1.ddb').models['Model-1']", vars(ddb))

``openDdb(path)`` (also ``session.openDdb(path)``) opens a file read-only and returns its
database; ``models``, ``result``, ``userData`` and ``customData`` are its collections by the names
the paths use, and ``diagnosticData`` is the job's solver diagnostics: steps, increments,
attempts, iterations and residual checks, contact and element diagnostics, warnings and errors,
as sequences that load on access and release what a loop has passed; the job also offers each
level of its tree as one sequence (``job.iterations``, ``job.residuals``, ...). A long walk reads
best inside ``with db.snapshot():``: one read transaction for the whole block, so it sees one
state of a file a solver is still writing, and runs about twice as fast. Failures of the library
raise ``DdbError`` with the library's message.
"""

from ._ddb import *  # noqa: F401,F403
from ._ddb import DiagnosticData, FieldVariable, _field_name, _residual_columns


_HISTORY_FIELDS = [
    ("step", "i4"),
    ("increment", "i4"),
    ("attempt", "i4"),
    ("iteration", "i4"),
    ("residual", "f8"),
    ("node", "i4"),
    ("instance", None),
    ("dof", "i4"),
    ("accepted", "?"),
    ("converged", "?"),
    ("cutback", "?"),
]


def field_variable(field):
    """The FieldVariable meant by a member, its value, its canonical name
    ("DISPLACEMENT_FIELD") or its display name ("Displacement", any case)."""
    if isinstance(field, FieldVariable):
        return field
    if isinstance(field, int):
        return FieldVariable(field)
    text = str(field)
    if text in FieldVariable.__members__:
        return FieldVariable[text]
    for member in FieldVariable:
        if _field_name(member.value).lower() == text.lower():
            return member
    raise ValueError("no solution field named %r" % (field,))


def _residual_history(self, field="Displacement"):
    """The residual check of one solution field in every iteration of the job, in order, as a
    numpy structured array: step, increment, attempt and iteration numbers, the largest residual
    with its node, instance and degree of freedom, whether the check was accepted, whether the
    iteration converged and whether its attempt was cut back."""
    import numpy

    columns = _residual_columns(self, field_variable(field).value)
    names = columns.pop("instanceNames")
    width = max((len(name) for name in names), default=1) or 1
    dtype = [(name, kind or "U%d" % width) for name, kind in _HISTORY_FIELDS]
    history = numpy.zeros(len(columns["residual"]), dtype=dtype)
    for name, _ in _HISTORY_FIELDS:
        if name != "instance":
            history[name] = columns[name]
    if names:
        history["instance"] = numpy.array(names, dtype="U%d" % width)[columns["instance"]]
    return history


DiagnosticData.residual_history = _residual_history


class JobLevel:
    """Every record at one level of the job's tree, in tree order, as one sequence: len,
    indexing from either end, slices and iteration. Iteration walks the tree with the
    sequences' own iterators, so it releases what it has passed; len and indexing walk the
    levels above (len loads the records one level up, indexing walks to the record)."""

    def __init__(self, job, path):
        self._job = job
        self._path = path

    def __iter__(self):
        return _walk(self._job, self._path)

    def __len__(self):
        *above, last = self._path
        return sum(len(getattr(r, last)) for r in _walk(self._job, tuple(above)))

    def __getitem__(self, index):
        if isinstance(index, slice):
            wanted = range(*index.indices(len(self)))
            found = {}
            for i, record in enumerate(self):
                if i in wanted:
                    found[i] = record
            return [found[i] for i in wanted]
        if index < 0:
            index += len(self)
        if index >= 0:
            for i, record in enumerate(self):
                if i == index:
                    return record
        raise IndexError("index out of range")

    def __repr__(self):
        return "<ddb.JobLevel %s>" % ".".join(self._path)


def _walk(record, path):
    if not path:
        yield record
        return
    for child in getattr(record, path[0]):
        yield from _walk(child, path[1:])


_LEVELS = {
    "increments": ("steps", "increments"),
    "attempts": ("steps", "increments", "attempts"),
    "iterations": ("steps", "increments", "attempts", "iterations"),
    "residuals": ("steps", "increments", "attempts", "iterations", "residuals"),
    "compatibilityErrors": ("steps", "increments", "attempts", "iterations",
                            "compatibilityErrors"),
    "contactDiagnostics": ("steps", "increments", "attempts", "iterations",
                           "contactDiagnostics"),
    "elementDiagnostics": ("steps", "increments", "attempts", "iterations",
                           "elementDiagnostics"),
    "xplStatus": ("steps", "xplStatus"),
}
for _name, _path in _LEVELS.items():
    setattr(DiagnosticData, _name, property(lambda job, path=_path: JobLevel(job, path)))

__all__ = [name for name in dir() if not name.startswith("_")]
