! Test helpers: connect a Fortran unit to a file, write on it from Fortran, and disconnect it, so
! that C++ tests can read back exactly the records on the unit, in order.
subroutine ddbtest_open_unit(unit, path, length) bind(C, name="ddbtest_open_unit")
  use, intrinsic :: iso_c_binding, only: c_int, c_char
  implicit none
  integer(c_int), value, intent(in) :: unit, length
  character(kind=c_char), intent(in) :: path(length)
  character(len=length) :: name
  integer :: i

  do i = 1, length
    name(i:i) = path(i)
  end do
  open (unit=unit, file=name, status='replace', action='write', form='formatted')
end subroutine ddbtest_open_unit

subroutine ddbtest_write_line(unit, text, length) bind(C, name="ddbtest_write_line")
  use, intrinsic :: iso_c_binding, only: c_int, c_char
  implicit none
  integer(c_int), value, intent(in) :: unit, length
  character(kind=c_char), intent(in) :: text(length)
  integer :: i

  write (unit, '(*(A))') (text(i), i = 1, length)
end subroutine ddbtest_write_line

subroutine ddbtest_close_unit(unit) bind(C, name="ddbtest_close_unit")
  use, intrinsic :: iso_c_binding, only: c_int
  implicit none
  integer(c_int), value, intent(in) :: unit

  close (unit)
end subroutine ddbtest_close_unit
