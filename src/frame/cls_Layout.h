// cls_Layout<T>: the stored layout of a persistent class, declared once as constant data.
//
// A layout names the class, its type identifier, its schema version and, in stored order, one
// row per field: the persisted name, the stored kind, and how the value is reached in the
// object. The class's metadata (InitializeMetadata), its read constructor and its DBWrite are
// all derived from it, so adding a field is adding a row:
//
//   template <>
//   struct cls_LayoutOf<dia_Attempt> : cls_LayoutRows<dia_Attempt> {
//     static constexpr Row kRows[] = {
//         {"m_attemptNumber", kInt, At<&T::m_attemptNumber>},
//         {"m_iterationList", kObjectList, At<&T::m_iterationList>},
//     };
//   };
//   constexpr cls_Layout<dia_Attempt> kLayout("dia_Attempt", dia_TypeId_Attempt, 410,
//                                             &dia_Attempt::m_uid,
//                                             cls_LayoutOf<dia_Attempt>::kRows);
//
// The class befriends cls_LayoutOf, so its layout may name private members. Layouts are
// constant-initialised (classes are declared from a load-time constructor, before any
// dynamically initialised static exists): rows hold literals, kinds and function pointers only.
//
// The kinds (cls_kind) are shared with the older layouts of the schema history, which are rows
// of {name, kind} without a member: a field is declared the same way in both.
//
// How a row reaches its member:
//   At<&T::m>           by the member's type: int, double, bool and cow_String as values; an
//                       enumeration with a string table as its canonical string (an unknown
//                       string raises; a row that lacks it, an older layout or a display text
//                       no conversion knew, reads the first value); any other member as a
//                       persistent object of its own (lists, maps, arrays, member records) through
//                       a sub-visitor.
//   IfAny<&T::m>        an array stored only when it holds values and read only when stored.
//   IfDeclared<&T::m>   a field written only when the table being written declares it (a
//                       table of an older release written in place may lack it).
//   EnumOrFirst<&T::m>  an enumeration found by name wherever the stored layout placed it; a
//                       row that lacks it reads the first value of the enumeration.
// A class whose field needs anything else gives the row its own {read, write} pair.
//
// A derived class names its base (Base<B>): the base part is stored first, as a row of the base
// class linked to the derived row, and read by the base's own read constructor.
//
// A class template (the shortcut elements, the extension table) specialises cls_LayoutOf for
// all its arguments and defines its protocol functions once in a source file that instantiates
// it for each argument the library uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/omu_PrimEnum.h"
#include "ddb/platform/rom_Transporter.h"

// What a field stores: its attribute type, the type id of what it refers to (1 for a value) and
// its collection type.
struct cls_FieldKind {
  int attributeType;
  std::uint32_t typeId;
  int collectionType;
};

namespace cls_kind {
constexpr cls_FieldKind kInt{cls_AttrInt, 1, cls_CollNone};
constexpr cls_FieldKind kIntCode{cls_AttrIntCode, 1, cls_CollNone};
constexpr cls_FieldKind kDouble{cls_AttrDouble, 1, cls_CollNone};
constexpr cls_FieldKind kString{cls_AttrString, 1, cls_CollNone};
constexpr cls_FieldKind kBool{cls_AttrBool, 1, cls_CollNone};
constexpr cls_FieldKind kEnum{cls_AttrEnum, 1, cls_CollNone};
constexpr cls_FieldKind kObjectList{cls_AttrObject, cls_ObjListTypeId, cls_CollList};
constexpr cls_FieldKind kObjectMap{cls_AttrObject, cls_ObjListTypeId, cls_CollMap};
constexpr cls_FieldKind kIntArray{cls_AttrObject, cls_PrimArrayTypeId, cls_CollInts};
constexpr cls_FieldKind kDoubleArray{cls_AttrObject, cls_PrimArrayTypeId, cls_CollDoubles};
constexpr cls_FieldKind kStringArray{cls_AttrObject, cls_PrimArrayTypeId, cls_CollStrings};
// A list kept inside the owning row's primitive storage (the framework's embedded list).
constexpr cls_FieldKind kEmbeddedList{cls_AttrObject, cls_PrimArrayTypeId, cls_CollList};

// One object of class `typeId`, and a map of such objects.
constexpr cls_FieldKind Member(std::uint32_t typeId) {
  return {cls_AttrObject, typeId, cls_CollNone};
}
constexpr cls_FieldKind MapOf(std::uint32_t typeId) {
  return {cls_AttrObject, typeId, cls_CollMap};
}
}  // namespace cls_kind

// How one field of a T is read into the object and written from it.
template <class T>
struct cls_FieldAccess {
  void (*read)(const cls_ReadVisitor& reader, const cls_FieldHandle& field, T& object);
  void (*write)(const cls_WriteVisitor& writer, const cls_FieldHandle& field, const T& object);
};

template <class T>
struct cls_LayoutRow {
  const char* name;
  cls_FieldKind kind;
  cls_FieldAccess<T> access;
};

// The base part of a derived T.
template <class T>
struct cls_LayoutBase {
  std::uint32_t (*typeId)();
  void (*write)(const cls_WriteVisitor& writer, const T& object);
};

// How many rows the class's table grows by (a storage hint, cls_ExtQuant).
enum class cls_Extent { kDefault, kSmall, kMedium };

// Specialised by each persistent class's source file with its rows (see above).
template <class T>
struct cls_LayoutOf;

namespace cls_layout_detail {

template <class M>
struct MemberOf;
template <class C, class V>
struct MemberOf<V C::*> {
  using Class = C;
  using Value = V;
};

inline void Get(const cls_ReadVisitor& r, const cls_FieldHandle& f, int& v) {
  v = r.ReadInt(f, 0);
}
inline void Get(const cls_ReadVisitor& r, const cls_FieldHandle& f, double& v) {
  v = r.ReadDouble(f, 0.0);
}
inline void Get(const cls_ReadVisitor& r, const cls_FieldHandle& f, bool& v) {
  v = r.ReadBool(f, false);
}
inline void Get(const cls_ReadVisitor& r, const cls_FieldHandle& f, cow_String& v) {
  v = r.ReadString(f, "");
}
template <class V>
void Get(const cls_ReadVisitor& r, const cls_FieldHandle& f, V& v) {
  if constexpr (std::is_enum_v<V>)
    v = r.DataIsPresent(f) ? omu_PrimEnum<V, 1>(r.ReadString(f, "")).GetValue()
                           : omu_PrimEnum<V, 1>::Value(0);
  else
    v = V(cls_ReadVisitor(r, f));
}

inline void Put(const cls_WriteVisitor& w, const cls_FieldHandle& f, int v) {
  w.Memento().WriteInt(f, v);
}
inline void Put(const cls_WriteVisitor& w, const cls_FieldHandle& f, double v) {
  w.Memento().WriteDouble(f, v);
}
inline void Put(const cls_WriteVisitor& w, const cls_FieldHandle& f, bool v) {
  w.Memento().WriteBool(f, v);
}
// A member of the record being written: it stays as it is until the record's row is stored.
inline void Put(const cls_WriteVisitor& w, const cls_FieldHandle& f, const cow_String& v) {
  w.Memento().WriteHeldString(f, v);
}
template <class V>
void Put(const cls_WriteVisitor& w, const cls_FieldHandle& f, const V& v) {
  if constexpr (std::is_enum_v<V>) {
    // The canonical text is the table's constant; a value outside the table raises as the
    // wrapper does.
    const char* text = omu_PrimEnum<V, 1>::NameOf(static_cast<unsigned>(v));
    if (!text) omu_PrimEnum<V, 1>{v};
    w.Memento().WriteText(f, text);
  } else
    w.WriteMember(f, v);
}

template <auto M>
using ClassOf = typename MemberOf<decltype(M)>::Class;
template <auto M>
using ValueOf = typename MemberOf<decltype(M)>::Value;

template <auto M>
void Read(const cls_ReadVisitor& r, const cls_FieldHandle& f, ClassOf<M>& o) {
  Get(r, f, o.*M);
}
template <auto M>
void Write(const cls_WriteVisitor& w, const cls_FieldHandle& f, const ClassOf<M>& o) {
  Put(w, f, o.*M);
}

template <auto M>
void ReadIfStored(const cls_ReadVisitor& r, const cls_FieldHandle& f, ClassOf<M>& o) {
  if (r.ObjIsPresent(f.CName())) Get(r, f, o.*M);
}
// Readers take an absent array for an empty one, so an empty one is not stored.
template <auto M>
void WriteIfAny(const cls_WriteVisitor& w, const cls_FieldHandle& f, const ClassOf<M>& o) {
  if (!(o.*M).Values().IsEmpty()) Put(w, f, o.*M);
}

// A table written by an older release may lack the field; it is then left as it is.
template <auto M>
void WriteIfDeclared(const cls_WriteVisitor& w, const cls_FieldHandle& f, const ClassOf<M>& o) {
  if (w.FieldIsPresent(f)) Put(w, f, o.*M);
}

template <auto M>
void ReadEnumOrFirst(const cls_ReadVisitor& r, const cls_FieldHandle& f, ClassOf<M>& o) {
  using Enum = omu_PrimEnum<ValueOf<M>, 1>;
  const cls_FieldHandle byName(f.CName(), -1);
  o.*M = r.DataIsPresent(byName) ? Enum(r.ReadString(byName, "")).GetValue() : Enum::Value(0);
}

template <class T, class B>
void WriteBase(const cls_WriteVisitor& w, const T& o) {
  w.WriteBase(B::TypeId(), [&](const cls_WriteVisitor& base) { o.B::DBWrite(base); });
}

}  // namespace cls_layout_detail

// The vocabulary of a layout's rows, for cls_LayoutOf<T> to derive from.
template <class C>
struct cls_LayoutRows {
  using T = C;
  using Row = cls_LayoutRow<C>;

  template <auto M>
  static constexpr cls_FieldAccess<C> At{&cls_layout_detail::Read<M>, &cls_layout_detail::Write<M>};
  template <auto M>
  static constexpr cls_FieldAccess<C> IfAny{&cls_layout_detail::ReadIfStored<M>,
                                            &cls_layout_detail::WriteIfAny<M>};
  template <auto M>
  static constexpr cls_FieldAccess<C> EnumOrFirst{&cls_layout_detail::ReadEnumOrFirst<M>,
                                                  &cls_layout_detail::Write<M>};
  template <auto M>
  static constexpr cls_FieldAccess<C> IfDeclared{&cls_layout_detail::Read<M>,
                                                 &cls_layout_detail::WriteIfDeclared<M>};
  template <class B>
  static constexpr cls_LayoutBase<C> Base{&B::TypeId, &cls_layout_detail::WriteBase<C, B>};
};

template <class T>
class cls_Layout {
 public:
  template <std::size_t N>
  constexpr cls_Layout(const char* name, std::uint32_t typeId, int version, cls_Uid T::*uid,
                       const cls_LayoutRow<T> (&rows)[N], cls_LayoutBase<T> base = {},
                       cls_Extent extent = cls_Extent::kDefault)
      : name(name),
        typeId(typeId),
        version(version),
        m_uid(uid),
        m_rows(rows),
        m_count(N),
        m_base(base),
        m_extent(extent) {}
  // A class that stores no field of its own.
  constexpr cls_Layout(const char* name, std::uint32_t typeId, int version, cls_Uid T::*uid,
                       cls_LayoutBase<T> base = {})
      : name(name), typeId(typeId), version(version), m_uid(uid), m_base(base) {}

  // Declares the class with its reader constructor and handle destructor (either may be null).
  cls_ClassMetadata& Declare(cls_ClassRegistrar& registrar, cls_CtorFn ctor,
                             cls_DtorFn dtor) const {
    const std::uint32_t base = m_base.typeId ? m_base.typeId() : cls_NoBaseTypeId;
    cls_ClassMetadata& md = registrar.CreateClassMD(name, typeId, version, ctor, base);
    if (dtor) md.AddDtor(dtor);
    for (int i = 0; i < m_count; ++i)
      md.AddAttribute(Handle(i), m_rows[i].kind.attributeType, m_rows[i].kind.typeId,
                      m_rows[i].kind.collectionType);
    if (m_extent == cls_Extent::kSmall)
      md.AddTableExtentQuantum(cls_ExtQuant::Instance().ExtentQuantumConstSmall());
    if (m_extent == cls_Extent::kMedium)
      md.AddTableExtentQuantum(cls_ExtQuant::Instance().ExtentQuantumConstMedium());
    return md;
  }

  // Takes the reader's identity (an object read from nothing, a reference the row lacks, is a
  // new object) and reads every field (the base part is read by the base's read constructor).
  void Read(const cls_ReadVisitor& reader, T& object) const {
    object.*m_uid = reader.GetUid();
    if ((object.*m_uid).IsNull()) object.*m_uid = cls_Uid::AllocateUid();
    for (int i = 0; i < m_count; ++i) m_rows[i].access.read(reader, Handle(i), object);
  }

  // Stores the object once per write pass: its base part, then its fields in order.
  void Write(const cls_WriteVisitor& writer, const T& object) const {
    if (!writer.StartWrite(typeId, object.*m_uid)) return;
    if (m_base.write) m_base.write(writer, object);
    for (int i = 0; i < m_count; ++i) m_rows[i].access.write(writer, Handle(i), object);
  }

  int Count() const { return m_count; }
  const cls_LayoutRow<T>& Row(int i) const { return m_rows[i]; }

  const char* name;
  std::uint32_t typeId;
  int version;

 private:
  cls_FieldHandle Handle(int i) const { return cls_FieldHandle(m_rows[i].name, i); }

  cls_Uid T::*m_uid;
  const cls_LayoutRow<T>* m_rows = nullptr;
  int m_count = 0;
  cls_LayoutBase<T> m_base;
  cls_Extent m_extent = cls_Extent::kDefault;
};

// The reader constructor and handle destructor that most classes register.
template <class T>
void* cls_NewFromReader(cls_ReadVisitor& reader) {
  return new T(reader);
}
template <class T, class P = cow_Direct<T>>
void cls_DestroyHandle(void* handle) {
  cow_COW<T, P>::Destroy(static_cast<cow_COW<T, P>*>(handle));
}

namespace cls_layout_detail {
// A class registers its handle destructor when it has one (abstract bases store no handles).
template <class T, class = void>
struct DtorOf {
  static constexpr cls_DtorFn value = nullptr;
};
template <class T>
struct DtorOf<T, std::void_t<decltype(T::CowDtor)>> {
  static constexpr cls_DtorFn value = T::CowDtor;
};
}  // namespace cls_layout_detail

// The protocol functions of a persistent class T, defined from cls_LayoutOf<T>::kLayout in one
// line of T's source file:
//   CLS_DEFINE_PERSISTENT(T)             the read constructor, TypeName, TypeId, Ctor, CowDtor,
//                                        InitializeMetadata and DBWrite;
//   CLS_DEFINE_PERSISTENT_DERIVED(T, B)  the same for a class derived from B, whose read
//                                        constructor reads the base part first;
//   CLS_DEFINE_PROTOCOL(T)               all but the read constructor, for a class whose read
//                                        constructor does more than read its rows;
//   CLS_DEFINE_LAYOUT_FUNCTIONS(T)       TypeId, InitializeMetadata and DBWrite only, for a class
//                                        that defines its constructors and handle hooks itself;
//   CLS_DEFINE_TYPE_ID(T)                TypeId only;
//   CLS_DEFINE_ABSTRACT(T)               for an abstract class, whose stored rows are always of a
//                                        derived class: the read constructor of its part, a Ctor
//                                        that yields no object, TypeId, InitializeMetadata and
//                                        DBWrite; CLS_DEFINE_ABSTRACT_WITH_DTOR(T) adds a CowDtor
//                                        that frees a handle to any class derived from T;
//   CLS_DEFINE_LAYOUT_TEMPLATE(Name, (parameters), (arguments))
//                                        the read constructor, InitializeMetadata and DBWrite of a
//                                        class template, for the source that instantiates it.
#define CLS_DEFINE_TYPE_ID(T)               \
  std::uint32_t T::TypeId() {               \
    return cls_LayoutOf<T>::kLayout.typeId; \
  }

#define CLS_DEFINE_LAYOUT_FUNCTIONS(T)                                                          \
  CLS_DEFINE_TYPE_ID(T)                                                                         \
  void T::InitializeMetadata(cls_ClassRegistrar& registrar) {                                   \
    cls_LayoutOf<T>::kLayout.Declare(registrar, &T::Ctor, cls_layout_detail::DtorOf<T>::value); \
  }                                                                                             \
  void T::DBWrite(const cls_WriteVisitor& writer) const {                                       \
    cls_LayoutOf<T>::kLayout.Write(writer, *this);                                              \
  }

#define CLS_DEFINE_PROTOCOL(T)             \
  cow_String T::TypeName() {               \
    return cls_LayoutOf<T>::kLayout.name;  \
  }                                        \
  void* T::Ctor(cls_ReadVisitor& reader) { \
    return new T(reader);                  \
  }                                        \
  void T::CowDtor(void* handle) {          \
    cls_DestroyHandle<T>(handle);          \
  }                                        \
  CLS_DEFINE_LAYOUT_FUNCTIONS(T)

#define CLS_DEFINE_PERSISTENT(T)                  \
  T::T(const cls_ReadVisitor& reader) {           \
    cls_LayoutOf<T>::kLayout.Read(reader, *this); \
  }                                               \
  CLS_DEFINE_PROTOCOL(T)

#define CLS_DEFINE_PERSISTENT_DERIVED(T, B)                          \
  T::T(const cls_ReadVisitor& reader) : B(cls_ReadVisitor(reader)) { \
    cls_LayoutOf<T>::kLayout.Read(reader, *this);                    \
  }                                                                  \
  CLS_DEFINE_PROTOCOL(T)

#define CLS_DEFINE_ABSTRACT(T)                    \
  T::T(const cls_ReadVisitor& reader) {           \
    cls_LayoutOf<T>::kLayout.Read(reader, *this); \
  }                                               \
  void* T::Ctor(cls_ReadVisitor&) {               \
    return nullptr;                               \
  }                                               \
  CLS_DEFINE_LAYOUT_FUNCTIONS(T)

#define CLS_DEFINE_ABSTRACT_WITH_DTOR(T)          \
  void T::CowDtor(void* handle) {                 \
    cls_DestroyHandle<T, cow_Virtual<T>>(handle); \
  }                                               \
  CLS_DEFINE_ABSTRACT(T)

#define CLS_UNPAREN(...) __VA_ARGS__
#define CLS_DEFINE_LAYOUT_TEMPLATE(Name, Params, Args)                                             \
  template <CLS_UNPAREN Params>                                                                    \
  Name<CLS_UNPAREN Args>::Name(const cls_ReadVisitor& reader) {                                    \
    cls_LayoutOf<Name>::kLayout.Read(reader, *this);                                               \
  }                                                                                                \
  template <CLS_UNPAREN Params>                                                                    \
  void Name<CLS_UNPAREN Args>::InitializeMetadata(cls_ClassRegistrar& registrar) {                 \
    cls_LayoutOf<Name>::kLayout.Declare(registrar, &Ctor, cls_layout_detail::DtorOf<Name>::value); \
  }                                                                                                \
  template <CLS_UNPAREN Params>                                                                    \
  void Name<CLS_UNPAREN Args>::DBWrite(const cls_WriteVisitor& writer) const {                     \
    cls_LayoutOf<Name>::kLayout.Write(writer, *this);                                              \
  }

// The same definitions, inline, for a class defined in a header that several sources include
// (the tests' own record classes); the class declares TypeId, Ctor, InitializeMetadata, DBWrite
// and its read constructor, and has no handle destructor.
#define CLS_DEFINE_INLINE_LAYOUT_FUNCTIONS(T)                        \
  inline std::uint32_t T::TypeId() {                                 \
    return cls_LayoutOf<T>::kLayout.typeId;                          \
  }                                                                  \
  inline void* T::Ctor(cls_ReadVisitor& reader) {                    \
    return new T(reader);                                            \
  }                                                                  \
  inline void T::InitializeMetadata(cls_ClassRegistrar& registrar) { \
    cls_LayoutOf<T>::kLayout.Declare(registrar, &T::Ctor, nullptr);  \
  }                                                                  \
  inline void T::DBWrite(const cls_WriteVisitor& writer) const {     \
    cls_LayoutOf<T>::kLayout.Write(writer, *this);                   \
  }
#define CLS_DEFINE_INLINE_PERSISTENT(T)           \
  inline T::T(const cls_ReadVisitor& reader) {    \
    cls_LayoutOf<T>::kLayout.Read(reader, *this); \
  }                                               \
  CLS_DEFINE_INLINE_LAYOUT_FUNCTIONS(T)
#define CLS_DEFINE_INLINE_PERSISTENT_DERIVED(T, B)                          \
  inline T::T(const cls_ReadVisitor& reader) : B(cls_ReadVisitor(reader)) { \
    cls_LayoutOf<T>::kLayout.Read(reader, *this);                           \
  }                                                                         \
  CLS_DEFINE_INLINE_LAYOUT_FUNCTIONS(T)
