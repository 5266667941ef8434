! The Fortran end of the text channel: writes the first length characters of text as one
! formatted sequential record on unit, through the same runtime (and so the same unit tables and
! buffers) as the solver's own WRITE statements. Returns the I/O status.
integer(c_int) function dia_writerecord(unit, length, text) bind(C, name="dia_writerecord")
  use, intrinsic :: iso_c_binding, only: c_int, c_char
  implicit none
  integer(c_int), value, intent(in) :: unit
  integer(c_int), value, intent(in) :: length
  character(kind=c_char), intent(in) :: text(128)
  integer :: status, i

  ! Format reversion never happens: the item list runs out before the 128 A edits do, which
  ! ends the record, so a zero length writes an empty record.
  write (unit, '(128A)', iostat=status) (text(i), i = 1, length)
  dia_writerecord = int(status, c_int)
end function dia_writerecord
