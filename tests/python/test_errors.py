"""Files that are not readable ddb files raise ddb.DdbError with the library's exact message (each
of the library's messages has its own C++ test; these are one of each kind of failure)."""

import os
import shutil
import sqlite3

import ddb
import pytest


def missing(path, example):
    pass


def truncated(path, example):
    shutil.copyfile(example, path)
    with open(path, "r+b") as f:
        f.truncate(os.path.getsize(path) // 2)


def newer_layout(path, example):
    shutil.copyfile(example, path)
    with sqlite3.connect(path) as db:
        db.execute("pragma user_version = 4")


CASES = [
    (missing, "'{}' does not exist"),
    (truncated, "'{}' is damaged: the file is truncated"),
    (newer_layout,
     "'{}' was written by a newer release of ddb (layout 4; this release reads up to layout 3)"),
]


@pytest.mark.parametrize("make, message", CASES, ids=[c[0].__name__ for c in CASES])
def test_bad_files_raise_the_library_message(tmp_path, example_file, make, message):
    path = str(tmp_path / "bad.ddb")
    make(path, example_file)
    with pytest.raises(ddb.DdbError) as raised:
        ddb.openDdb(path)
    assert str(raised.value) == message.format(path)
    # Nothing was left open: a good file opens afterwards.
    assert ddb.openDdb(example_file).diagnosticData.steps[0].number == 1


def test_eval_of_a_path_to_a_missing_file_raises_too(tmp_path):
    path = str(tmp_path / "gone.ddb")
    with pytest.raises(ddb.DdbError, match="^'%s' does not exist$" % path):
        eval("session.openDdb(r'%s').models['Model-1']" % path, vars(ddb))
