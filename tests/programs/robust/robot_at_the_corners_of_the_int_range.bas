// The robot placed at the far corners of the int range computes nothing out of
// range: past the far edges it is brought back onto the arena.
big = 2147483647
small = -2147483647 - 1
rlocate small, small
print rgpsx(); rgpsy()
rlocate small, big
print rgpsx(); rgpsy()
rlocate big, small
print rgpsx(); rgpsy()
rlocate big, big, 45
print rgpsx(); rgpsy()
rturn 10
print rbumper(); rfeel(); rrange(); rlook()
rlocate 1e300, -1e300
print rgpsx(); rgpsy()
print "done"
