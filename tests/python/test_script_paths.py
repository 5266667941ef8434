"""Every script path the library renders for a file evaluates, in the module's namespace, to the
object its shortcut resolves to in C++, in the solver edition and, with the "session." prefix,
in the two interactive editions."""

import ddb
import ddb_testing

EDITIONS = {
    ddb_testing.SOLVER: "openDdb(",
    ddb_testing.ORVEL: "session.openDdb(",
    ddb_testing.LUMET: "session.openDdb(",
}


def test_every_rendered_path_evaluates_to_the_object_cpp_resolves(models_file):
    # C++ opens and closes the file for each edition before Python opens it.
    rendered = {e: ddb_testing.script_paths(models_file, e) for e in EDITIONS}
    kinds = {
        "ddb": ddb.Ddb,
        "models": ddb.Models,
        "result": ddb.Results,
        "userData": ddb.UserData,
        "customData": ddb.CustomData,
        "model": ddb.Model,
    }
    for edition, prefix in EDITIONS.items():
        seen = []
        for expected in rendered[edition]:
            path = expected["path"]
            assert path.startswith(prefix + "r'%s')" % models_file), path
            got = eval(path, vars(ddb))
            assert isinstance(got, kinds[expected["kind"]]), path
            if expected["kind"] == "ddb":
                assert (got.name, got.fileName) == (expected["name"], models_file)
            else:
                assert got.uid == expected["uid"], path
            if "keys" in expected:
                assert list(got) == expected["keys"] == got.keys()
            if expected["kind"] == "model":
                assert got.name == expected["name"]
            seen.append(expected["kind"])
        assert seen == ["ddb", "models", "result", "userData", "customData", "model", "model"]


def test_paths_share_one_open_database(models_file):
    first = eval("openDdb(r'%s').models['Model-1']" % models_file, vars(ddb))
    second = eval("session.openDdb(r'%s').models['Model-1']" % models_file, vars(ddb))
    assert first == second
    assert ddb.openDdb(models_file) is not None
    assert ddb.openDdb(models_file) == ddb.session.openDdb(models_file)


def test_mappings_read_like_dictionaries(models_file):
    db = ddb.openDdb(models_file)
    assert len(db.models) == 2 and "Model-1" in db.models and "Model-9" not in db.models
    assert db.models["Beam model"].fileName == models_file
    item = db.result["r"]
    assert (item.name, item.typeId) == ("r", 0x7F0103)
    for mapping, key in ((db.models, "Model-9"), (db.userData, "nothing")):
        try:
            mapping[key]
        except KeyError as e:
            assert e.args == (key,)
        else:
            raise AssertionError("no KeyError for %r" % key)
