// Seq<T>: a persistent list of a record read from a database, as a Python sequence: len,
// indexing from either end, slices and iteration. Elements load when asked for; an iterator
// releases from the list each element it has moved past (the Python object handed out keeps
// its own element), so a loop over a long list holds only what the loop body keeps.
#pragma once

#include <pybind11/pybind11.h>

#include <memory>
#include <string>
#include <utility>

#include "Library.h"
#include "ddb/frame/cls_ListObj.h"

namespace ddbpy {

template <class T>
class Seq {
 public:
  using List = cls_ListObj<T>;

  // `keeper` keeps alive the record that owns the list.
  Seq(DbRef db, std::shared_ptr<const void> keeper, const List* list)
      : m_db(std::move(db)), m_keeper(std::move(keeper)), m_list(list) {}

  // Under the library mutex, keeping the interpreter lock: the length is in memory.
  int Length() const {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    m_db->RequireOpen();
    return m_list->Length();
  }
  // Element i, counted from the end when negative; IndexError outside the list.
  Node<T> At(long index) const {
    const int n = Length();
    if (index < 0) index += n;
    if (index < 0 || index >= n) throw py::index_error("index out of range");
    return Load(static_cast<int>(index));
  }
  Node<T> Load(int i) const {
    return Locked([&] {
      m_db->RequireOpen();
      return Node<T>(m_db, m_list->ConstGetCOW(i));
    });
  }
  // Drops element i from the list's memory when it is safely stored.
  void Release(int i) const {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    if (!m_db->IsClosed() && i < m_list->Length()) m_list->Release(i);
  }

 private:
  DbRef m_db;
  std::shared_ptr<const void> m_keeper;
  const List* m_list;
};

template <class T>
class SeqIterator {
 public:
  explicit SeqIterator(Seq<T> seq) : m_seq(std::move(seq)) {}
  Node<T> Next() {
    if (m_next > 0) m_seq.Release(m_next - 1);
    if (m_next >= m_seq.Length()) throw py::stop_iteration();
    return m_seq.Load(m_next++);
  }

 private:
  Seq<T> m_seq;
  int m_next = 0;
};

// The sequence of `list` of the record held by `owner`.
template <class P, class T>
Seq<T> SeqOf(const Node<P>& owner, const cls_ListObj<T>& (P::*list)() const) {
  std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
  auto keeper = std::make_shared<const Node<P>>(owner);
  return Seq<T>(owner.Db(), keeper, &(owner.Get().*list)());
}

// Binds Seq<T> and its iterator under the Python name `name`.
template <class T>
void BindSequence(py::module_& m, const std::string& name) {
  py::class_<SeqIterator<T>>(m, (name + "Iterator").c_str())
      .def("__iter__", [](py::object self) { return self; })
      .def("__next__", &SeqIterator<T>::Next);
  py::class_<Seq<T>>(m, name.c_str())
      .def("__len__", &Seq<T>::Length)
      .def("__getitem__", &Seq<T>::At, py::arg("index"))
      .def("__getitem__",
           [](const Seq<T>& seq, const py::slice& slice) {
             py::ssize_t start = 0, stop = 0, step = 0, count = 0;
             if (!slice.compute(seq.Length(), &start, &stop, &step, &count))
               throw py::error_already_set();
             py::list items;
             for (py::ssize_t k = 0; k < count; ++k, start += step)
               items.append(py::cast(seq.Load(static_cast<int>(start))));
             return items;
           })
      .def("__iter__", [](const Seq<T>& seq) { return SeqIterator<T>(seq); })
      .def("__repr__", [name](const Seq<T>& seq) {
        return "<ddb." + name + " of " + std::to_string(seq.Length()) + ">";
      });
}

}  // namespace ddbpy
