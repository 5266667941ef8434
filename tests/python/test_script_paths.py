"""The script paths the library renders for a file (their text is checked by the C++ shortcut
tests) evaluate, in the module's namespace, to the objects they name, in the solver edition and,
with the "session." prefix, in the two interactive editions: both reach the one open database."""

import ddb
import pytest

TAILS = {
    "": ddb.Ddb,
    ".models": ddb.Models,
    ".result": ddb.Results,
    ".userData": ddb.UserData,
    ".customData": ddb.CustomData,
    ".models['Model-1']": ddb.Model,
    ".models['Beam model']": ddb.Model,
}


def test_every_rendered_path_evaluates_to_the_object_it_names(models_file):
    db = ddb.openDdb(models_file)
    assert (db.fileName, list(db.models)) == (models_file, ["Beam model", "Model-1"])
    for prefix in ("openDdb(", "session.openDdb("):
        for tail, kind in TAILS.items():
            path = "%sr'%s')%s" % (prefix, models_file, tail)
            got = eval(path, vars(ddb))
            assert isinstance(got, kind), path
            if tail:
                assert got.uid == eval("db" + tail).uid, path
            else:
                assert got == db
            if kind is ddb.Model:
                assert got.name == tail[len(".models['"):-2]
            elif tail:
                assert list(got) == got.keys() == list(eval("db" + tail).keys()), path


def test_mappings_read_like_dictionaries(models_file):
    db = ddb.openDdb(models_file)
    assert len(db.models) == 2 and "Model-1" in db.models and "Model-9" not in db.models
    assert db.models["Beam model"].fileName == models_file
    item = db.result["r"]
    assert (item.name, item.typeId) == ("r", 0x7F0103)
    for mapping, key in ((db.models, "Model-9"), (db.userData, "nothing")):
        with pytest.raises(KeyError) as raised:
            mapping[key]
        assert raised.value.args == (key,)
