"""A file that is not a readable ddb file raises ddb.DdbError with the library's exact message (the
library's messages each have their own C++ test; every one reaches Python the same way)."""

import os
import shutil

import ddb
import pytest


def test_a_bad_file_raises_the_library_message_and_leaves_nothing_open(tmp_path, example_file):
    path = str(tmp_path / "bad.ddb")
    shutil.copyfile(example_file, path)
    with open(path, "r+b") as f:
        f.truncate(os.path.getsize(path) // 2)
    with pytest.raises(ddb.DdbError) as raised:
        ddb.openDdb(path)
    assert str(raised.value) == "'%s' is damaged: the file is truncated" % path
    assert ddb.openDdb(example_file).diagnosticData.steps[0].number == 1


def test_eval_of_a_path_to_a_missing_file_raises_too(tmp_path):
    path = str(tmp_path / "gone.ddb")
    with pytest.raises(ddb.DdbError, match="^'%s' does not exist$" % path):
        eval("session.openDdb(r'%s').models['Model-1']" % path, vars(ddb))
