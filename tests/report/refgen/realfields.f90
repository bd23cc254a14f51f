! Reference fields of the report real writers, written by the Fortran
! runtime's own F and 1PE edits.
!
! Reads cases "w d x" (lines starting with # are skipped) from standard input
! and writes one line per case:
!   w d bits|report field|buffer field|Fw.d|1PEw.d|
! where bits is the IEEE pattern of x in hexadecimal.
program realfields
  implicit none
  character(len=200) :: line
  character(len=99) :: f1, f2, f3, f4
  integer :: w, d, ios
  real(8) :: x
  integer(8) :: bits

  do
    read (*, '(A)', iostat=ios) line
    if (ios /= 0) exit
    line = adjustl(line)
    if (len_trim(line) == 0 .or. line(1:1) == '#') cycle
    read (line, *) w, d, x
    call chosen(w, d, x, 1, f1)
    call chosen(w, d, x, 3, f2)
    call edit('F', w, d, x, f3)
    call edit('E', w, d, x, f4)
    bits = transfer(x, bits)
    write (*, '(I0,1X,I0,1X,Z16.16,5A)') w, d, bits, '|', f1(1:w) // '|', &
        f2(1:w) // '|', f3(1:w) // '|', f4(1:w) // '|'
  end do

contains

  ! The report field: zero in fixed form; the exponent form outside the
  ! single-precision bounds 10**(shift-d) and 10**d; else fixed form with
  ! d - h decimals, h the decade of x.
  subroutine chosen(w, d, x, shift, out)
    integer, intent(in) :: w, d, shift
    real(8), intent(in) :: x
    character(len=*), intent(out) :: out
    real(4) :: lo, hi
    integer :: h, n
    if (x == 0d0 .or. abs(x) < 1d-50) then
      call edit('F', w, d, 0d0, out)
      return
    end if
    if (x /= x) then
      call edit('E', w, d, x, out)
      return
    end if
    lo = real(10d0**dble(shift - d), 4)
    hi = real(10d0**dble(d), 4)
    if (abs(x) <= lo .or. abs(x) >= hi) then
      call edit('E', w, d, x, out)
      return
    end if
    h = int(log10(abs(x)))
    if (h < 0) h = h - 1
    n = d - h
    if (n > d + 2) then
      call edit('E', w, d, x, out)
    else
      call edit('F', w, n, x, out)
    end if
  end subroutine

  subroutine edit(kind, w, n, x, out)
    character, intent(in) :: kind
    integer, intent(in) :: w, n
    real(8), intent(in) :: x
    character(len=*), intent(out) :: out
    character(len=32) :: fmt
    if (kind == 'F') then
      write (fmt, '(A,I0,A,I0,A)') '(F', w, '.', n, ')'
    else
      write (fmt, '(A,I0,A,I0,A)') '(1PE', w, '.', n, ')'
    end if
    out = ' '
    write (out(1:w), fmt) x
  end subroutine

end program
