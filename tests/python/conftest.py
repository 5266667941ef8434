"""Files the Python module's tests read: one written by the example program, one with models
and data written by the ddb_testing companion module, and a long job for the memory walk."""

import os
import subprocess

import pytest


@pytest.fixture(scope="session")
def example_file(tmp_path_factory):
    path = str(tmp_path_factory.mktemp("example") / "job.ddb")
    subprocess.run([os.environ["DDB_EXAMPLE"], path], check=True, stdout=subprocess.DEVNULL)
    return path


@pytest.fixture(scope="session")
def models_file(tmp_path_factory):
    import ddb_testing

    path = str(tmp_path_factory.mktemp("models") / "models.ddb")
    ddb_testing.write_database(path)
    return path
