"""Pictures and tables of a job's convergence.

``convergence(job, path)`` writes a PNG of the largest residual of one solution field over the
job's iterations, with the iterations of cut-back attempts and the increment boundaries marked;
``dataframe(job)`` gives the same history as a pandas DataFrame when pandas is installed.
Plotting uses matplotlib's Agg canvas directly, so it needs no display and leaves pyplot's
global state alone.
"""

from . import _field_name, field_variable


def _history(job, field):
    return job.residual_history(field)


def convergence(job, path, field="Displacement", width=8.0, height=4.5, dpi=100, title=None):
    """Writes the residual history of `field` as a PNG of width x height inches at `dpi` dots
    per inch to `path` and returns the history it plotted."""
    from matplotlib.backends.backend_agg import FigureCanvasAgg
    from matplotlib.figure import Figure

    history = _history(job, field)
    figure = Figure(figsize=(width, height), dpi=dpi)
    FigureCanvasAgg(figure)
    axes = figure.add_subplot(1, 1, 1)
    x = list(range(len(history)))
    residual = [abs(r) for r in history["residual"]]
    axes.plot(x, residual, color="tab:blue", linewidth=1.0, marker=".", markersize=3,
              label="largest residual")
    if any(r > 0 for r in residual):
        axes.set_yscale("log")
    _mark_increments(axes, history)
    _mark_cutbacks(axes, history, residual)
    axes.set_xlabel("iteration (job-wide)")
    axes.set_ylabel("largest %s residual" % _field_name(field_variable(field).value).lower())
    axes.set_title(title or "Residual history")
    axes.grid(True, which="major", alpha=0.3)
    axes.legend(loc="upper right", fontsize="small")
    figure.tight_layout()
    figure.savefig(path, format="png", dpi=dpi)
    return history


def _mark_increments(axes, history):
    last = None
    for i, key in enumerate(zip(history["step"], history["increment"])):
        if last is not None and key != last:
            axes.axvline(i - 0.5, color="0.85", linewidth=0.8, zorder=0)
        last = key


def _mark_cutbacks(axes, history, residual):
    """Marks the last iteration of every attempt that was cut back."""
    xs, ys = [], []
    n = len(history)
    for i in range(n):
        if not history["cutback"][i]:
            continue
        ends = i + 1 == n or (history["step"][i + 1], history["increment"][i + 1],
                              history["attempt"][i + 1]) != (history["step"][i],
                                                             history["increment"][i],
                                                             history["attempt"][i])
        if ends:
            xs.append(i)
            ys.append(residual[i])
    if xs:
        axes.plot(xs, ys, linestyle="none", marker="x", markersize=9, color="tab:red",
                  markeredgewidth=2, label="cut back")
        for x in xs:
            axes.axvline(x + 0.5, color="tab:red", linestyle="--", linewidth=0.8)


def dataframe(job, field="Displacement"):
    """The residual history of `field` as a pandas DataFrame; ImportError without pandas."""
    try:
        import pandas
    except ImportError as e:
        raise ImportError("ddb.plot.dataframe needs pandas (Debian package python3-pandas)") from e
    return pandas.DataFrame.from_records(_history(job, field))
