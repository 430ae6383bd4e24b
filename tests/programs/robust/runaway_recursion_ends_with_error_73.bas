// A recursion that passes a fresh text of 20 MB down every level ends with
// error 73 at its run's memory bound (512 MiB here), where it would otherwise
// take the machine's memory. (fuzz/seeds.sh leaves it out.)
call deeper("")
end
sub deeper(p)
call deeper(spaces(20000000))
return 0
