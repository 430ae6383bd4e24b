print "a", "b"; "c"
commatab
print "a", "b"; "c"
commatab 0
print "a", "b"; "c"
undeclare
z = 1
print z
allowevents 0
allowevents
honorcrlf 0
honorcrlf
oldstyle 1
oldstyle 0
inlineinputmode 0
inlineinputmode
seedrandom 7
a = random(1000)
seedrandom 7
print random(1000) = a
abortmethod 3
abortmethod
print "done"
