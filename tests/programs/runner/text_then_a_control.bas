' A control made after some printing finds the screen as printing left it.
print "before"
addbutton "B", 30, 40, 80, 25, "a hint"
print getbuttonx("B"), getbuttony("B")
print "after"
