// With slip a turn cannot be cut short by arithmetic: every degree draws its
// own chance. The statement budget still ends it, each degree counting.
rlocate 400, 300
rslip 10
print "turning"
rturn 2147483647
print "never"
