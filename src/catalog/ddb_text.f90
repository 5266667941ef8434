! ddb_text: the library's text channel for Fortran callers (use ddb_text).
!
! Each write puts one record on a Fortran unit through the same runtime, and so the same unit
! tables and buffers, as the caller's own WRITE statements; the record holds the first length
! characters of the text, at most 120 (a longer text is cut, a negative length writes an empty
! record). The writes return the runtime's I/O status (0 on success) unexamined. Flushing does
! nothing: records reach the unit in call order anyway.
!
!   use ddb_text
!   character(len=*), parameter :: line = 'Increment 14: cut back'
!   integer :: status
!   status = dia_writefort(6, len(line), line)
!   call dia_flushfort(6)
!
! Diagnostics (contact, element, warning and error records) are built and printed as catalog
! tables from C++ (dia_PrintTable); Fortran code holds no diagnostic records, so this module
! offers the line channel only.
module ddb_text
  use, intrinsic :: iso_c_binding, only: c_int, c_char
  implicit none
  private
  public :: dia_writefort, dia_flushfort, dia_write, dia_flush, dia_intbtofstr

  interface
    ! Writes the first length characters of text as one record on unit.
    integer(c_int) function dia_writefort(unit, length, text) bind(C, name="dia_writefort")
      import :: c_int, c_char
      integer(c_int), intent(in) :: unit, length
      character(kind=c_char), intent(in) :: text(*)
    end function dia_writefort

    ! Does nothing; kept so that callers can flush where the channel's contract says they may.
    subroutine dia_flushfort(unit) bind(C, name="dia_flushfort")
      import :: c_int
      integer(c_int), intent(in) :: unit
    end subroutine dia_flushfort

    ! Writes a zero-terminated text (e.g. 'text'//c_null_char) as one record on unit.
    integer(c_int) function dia_write(unit, text) bind(C, name="dia_Write")
      import :: c_int, c_char
      integer(c_int), value, intent(in) :: unit
      character(kind=c_char), intent(in) :: text(*)
    end function dia_write

    subroutine dia_flush(unit) bind(C, name="dia_Flush")
      import :: c_int
      integer(c_int), value, intent(in) :: unit
    end subroutine dia_flush

    ! Copies length characters from source to destination (into a fixed character buffer).
    subroutine dia_intbtofstr(destination, source, length) bind(C, name="dia_intbtofstr")
      import :: c_int, c_char
      character(kind=c_char), intent(out) :: destination(*)
      character(kind=c_char), intent(in) :: source(*)
      integer(c_int), value, intent(in) :: length
    end subroutine dia_intbtofstr
  end interface
end module ddb_text
