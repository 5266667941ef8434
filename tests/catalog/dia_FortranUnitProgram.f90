! Writes on one unit from Fortran, has the library print a diagnostic on the same unit, writes
! again, and checks that the file holds exactly those records, in order. Stops with code 1 when
! it does not.
program dia_FortranUnitProgram
  use, intrinsic :: iso_c_binding, only: c_int
  implicit none
  interface
    subroutine ddbtest_print_distorted(unit) bind(C, name="ddbtest_print_distorted")
      import :: c_int
      integer(c_int), value, intent(in) :: unit
    end subroutine ddbtest_print_distorted
  end interface
  integer, parameter :: u = 42
  character(len=*), parameter :: path = 'dia_FortranUnitProgram.txt'
  character(len=:), allocatable :: expected

  open (unit=u, file=path, status='replace', action='write', form='formatted')
  write (u, '(A)') 'solver output before the table'
  call ddbtest_print_distorted(int(u, c_int))
  write (u, '(A)') 'solver output after the table'
  close (u)

  expected = ''
  call expect('solver output before the table')
  call expect(' ')
  call expect(repeat('-', 80))
  call expect('')
  call expect(' ')
  call expect(' Element  ')
  call expect('--------- ')
  call expect('       17 ')
  call expect('     1234 ')
  call expect(' ')
  call expect('solver output after the table')
  call compare_file()
  print '(A)', 'dia_FortranUnitProgram: all records in order'

contains

  subroutine expect(text)
    character(len=*), intent(in) :: text

    expected = expected//text//new_line('a')
  end subroutine expect

  ! Reads the file back as bytes, so that trailing blanks and empty records count exactly.
  subroutine compare_file()
    character(len=:), allocatable :: actual
    integer :: bytes

    inquire (file=path, size=bytes)
    if (bytes /= len(expected)) call fail('file size differs from the expected records')
    allocate (character(len=bytes) :: actual)
    open (unit=u, file=path, access='stream', form='unformatted', status='old', action='read')
    read (u) actual
    close (u, status='delete')
    if (actual /= expected) call fail('records differ: '//new_line('a')//actual)
  end subroutine compare_file

  subroutine fail(message)
    character(len=*), intent(in) :: message

    print '(A)', 'dia_FortranUnitProgram: '//message
    error stop 1
  end subroutine fail

end program dia_FortranUnitProgram
