! Writes records on a unit of its own through the library's text channel, among its own WRITE
! statements, and checks the file holds them in order, cut at 120 characters.
program fortran_consumer
  use, intrinsic :: iso_c_binding, only: c_null_char
  use ddb_text
  implicit none
  character(len=512) :: path, line
  character(len=200) :: long
  character(len=16) :: buffer
  character(len=*), parameter :: expected(4) = [character(len=24) :: 'own line', &
      'Increment 14: cut back', 'zero-terminated', 'copied']
  integer :: status, i, unit

  call get_command_argument(1, path)
  open (newunit=unit, file=trim(path), status='replace', action='write')
  write (unit, '(A)') 'own line'
  status = dia_writefort(unit, len('Increment 14: cut back'), 'Increment 14: cut back')
  if (status /= 0) error stop 'dia_writefort failed'
  status = dia_write(unit, 'zero-terminated'//c_null_char)
  buffer = ' '
  call dia_intbtofstr(buffer, 'copied', 6)
  status = dia_writefort(unit, len_trim(buffer), buffer)
  long = repeat('x', 200)
  status = dia_writefort(unit, len(long), long)
  call dia_flushfort(unit)
  call dia_flush(unit)
  close (unit)

  open (newunit=unit, file=trim(path), status='old', action='read')
  do i = 1, 4
    read (unit, '(A)') line
    if (trim(line) /= trim(expected(i))) error stop 'record out of order'
  end do
  read (unit, '(A)') line
  if (len_trim(line) /= 120) error stop 'long record not cut at 120 characters'
  close (unit)
  print '(A)', 'fortran consumer: 4 records as written and one cut at 120'
end program fortran_consumer
