// One statement that would hold eight texts of 200 MB at once: past the
// run's memory bound (400 MiB here) no further large text is built, and the
// run ends with error 73 instead of taking 1.6 GB.
// (It takes gigabytes without its bound: fuzz/seeds.sh leaves it out.)
call f(srepeat("a", 200000000), srepeat("b", 200000000), srepeat("c", 200000000), srepeat("d", 200000000), srepeat("e", 200000000), srepeat("f", 200000000), srepeat("g", 200000000), srepeat("h", 200000000))
print "done"
end
sub f(p1, p2, p3, p4, p5, p6, p7, p8)
print length(p1) + length(p8)
return 0
