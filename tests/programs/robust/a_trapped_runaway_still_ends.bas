// A recursion that passes a long text down every level grows past the run's
// memory bound (512 MiB here) and meets error 73. The handler below carries on
// recursing; once the memory is half as much again past the bound, the run
// ends with the error although the program traps it. (The handler prints
// nothing: on a loaded machine the far alarm may come before its next line.)
// (It takes gigabytes without its bound: fuzz/seeds.sh leaves it out.)
traps = 0
onerror full
call deeper("")
end
full:
_traps = _traps + 1
onerror full
call deeper("")
return
sub deeper(p)
call deeper(spaces(20000000))
return 0
